; The Windows installer: the portable folder installed into Program Files,
; Start-menu entries for both releases, an entry in Windows' list of
; installed programs and an uninstaller.
;
; Built on Linux by scripts/build-windows:
;   makensis -DVERSION=1.1 -DSOURCE=<portable folder> -DOUTFILE=<setup.exe>
;            -DFILES=<install list> -DUNFILES=<uninstall list> -DICON=<program icon>
;            installer.nsi
; The two lists come from the portable folder, so the uninstaller removes
; exactly what the installer brought.
;
; Since Program Files cannot be written by users, the program keeps each
; user's licence defaults in their own application-data folder; the
; Config.lic beside the program holds the administrators' defaults. An
; installation over an older one keeps that file, and the uninstaller keeps it
; when an administrator has changed it. Users' own files are never touched.

; A 64-bit installer, as the programs are.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!define PRODUCT "Trumi Editor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SHIPPED_DEFAULTS '"",""$\r$\n'

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) 2026 The Trumi Editor developers"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define MUI_ABORTWARNING
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The program started from the last page runs as the user, not with the
; installer's administrator rights: the shell (Explorer) starts it.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartAsUser
!insertmacro MUI_PAGE_LICENSE "${SOURCE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the one shown where Windows speaks neither.
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "English"

LangString KeptDefaults ${LANG_SPANISH} "Se conservan las licencias por defecto cambiadas: $INSTDIR\Config.lic"
LangString KeptDefaults ${LANG_ENGLISH} "The changed default licences are kept: $INSTDIR\Config.lic"
LangString CloseIt ${LANG_SPANISH} "Trumi Editor está abierto. Ciérrelo y pulse Reintentar."
LangString CloseIt ${LANG_ENGLISH} "Trumi Editor is running. Close it and press Retry."

; A running program (it holds this mutex while it runs) is never replaced or
; removed halfway: the user is asked to close it; in silent mode the
; installer or uninstaller stops with exit status 2 and changes nothing.
!macro RefuseWhileRunning
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "TrumiEditorRunning") p .r0'
        ${If} $0 == 0
            ${Break}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r0)'
        ${If} ${Silent}
            SetErrorLevel 2
            Quit
        ${EndIf}
        ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(CloseIt)" IDRETRY`
            Quit
        ${EndIf}
    ${Loop}
!macroend

Function StartAsUser
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\trumi-editor.exe"'
FunctionEnd

Function .onInit
    SetRegView 64
    SetShellVarContext all
    !insertmacro RefuseWhileRunning
FunctionEnd

Section
    !include "${FILES}"
    ; The administrators' defaults: installed once, kept over later installs.
    SetOutPath "$INSTDIR"
    SetOverwrite off
    File "${SOURCE}\Config.lic"
    SetOverwrite on

    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\trumi-editor.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} 1.0.lnk" "$INSTDIR\trumi-editor-1.0.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\trumi-editor.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Trumi Editor developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
    !insertmacro RefuseWhileRunning
FunctionEnd

; Removes Config.lic when it still holds the shipped empty defaults.
Function un.RemoveShippedDefaults
    ClearErrors
    FileOpen $0 "$INSTDIR\Config.lic" r
    IfErrors done
    FileSeek $0 0 END $1
    FileSeek $0 0 SET
    FileRead $0 $2
    FileClose $0
    ${If} $1 == 7
    ${AndIf} $2 == '${SHIPPED_DEFAULTS}'
        Delete "$INSTDIR\Config.lic"
    ${Else}
        DetailPrint "$(KeptDefaults)"
    ${EndIf}
    done:
FunctionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} 1.0.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    !include "${UNFILES}"
    Call un.RemoveShippedDefaults
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
