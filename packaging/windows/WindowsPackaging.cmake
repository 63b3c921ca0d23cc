# The Windows build's portable folder, as the original was delivered: both
# programs beside the shipped language file, the other languages in a folder
# each, empty licence defaults, and what Qt and the windows need that a
# Windows system may lack (the fonts the windows are laid out for, Qt's own
# translations). `cmake --install BUILD --prefix FOLDER` makes it.
install(TARGETS trumi-editor trumi-editor-1.0 trumi-editor-console trumi-editor-1.0-console RUNTIME DESTINATION .)

# Each program's icon and version, in a resource built into it. The icon is
# drawn from the same picture as the Linux one, at Windows' sizes.
enable_language(RC)
include(cmake/TrumiIcons.cmake)
find_program(IMAGEMAGICK_CONVERT convert REQUIRED)
set(TRUMI_WINDOWS_ICON ${CMAKE_BINARY_DIR}/windows/trumi-editor.ico)
trumi_icon_pngs(icon_pngs 16 20 24 32 40 48 64 256)
add_custom_command(OUTPUT ${TRUMI_WINDOWS_ICON}
  COMMAND ${IMAGEMAGICK_CONVERT} ${icon_pngs} ${TRUMI_WINDOWS_ICON}
  DEPENDS ${icon_pngs} VERBATIM)
add_custom_target(windows_icon DEPENDS ${TRUMI_WINDOWS_ICON})
# Each program, window and console companion, has its resource: icon,
# version and manifest.
foreach(release "trumi-editor:${PROJECT_VERSION}:.exe" "trumi-editor-1.0:1.0:.exe"
                "trumi-editor-console:${PROJECT_VERSION}:.com" "trumi-editor-1.0-console:1.0:.com")
  string(REPLACE ":" ";" release "${release}")
  list(GET release 0 target)
  list(GET release 1 RC_VERSION)
  list(GET release 2 suffix)
  string(REGEX REPLACE "-console$" "" RC_PROGRAM ${target})
  set(RC_FILE ${RC_PROGRAM}${suffix})
  string(REPLACE "." "," RC_VERSION_NUMBERS "${RC_VERSION},0,0")
  set(RC_VERSION_FULL "${RC_VERSION}.0.0")
  set(RC_DESCRIPTION "Trumi Editor ${RC_VERSION}")
  set(RC_MANIFEST ${CMAKE_BINARY_DIR}/windows/${target}.manifest)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/program.manifest ${RC_MANIFEST} @ONLY)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/program.rc.in ${CMAKE_BINARY_DIR}/windows/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/windows/${target}.rc)
  set_source_files_properties(${CMAKE_BINARY_DIR}/windows/${target}.rc PROPERTIES
                              OBJECT_DEPENDS "${TRUMI_WINDOWS_ICON};${RC_MANIFEST}")
  add_dependencies(${target} windows_icon)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/settings/languages/es/TE.ini ${CMAKE_SOURCE_DIR}/packaging/debian/Config.lic
        ${CMAKE_CURRENT_LIST_DIR}/README.txt DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
foreach(entry ${TRUMI_OTHER_LANGUAGES})
  string(REGEX REPLACE ":.*" "" code ${entry})
  string(REGEX REPLACE ".*:" "" folder ${entry})
  install(FILES ${CMAKE_SOURCE_DIR}/settings/languages/${code}/TE.ini DESTINATION ${folder})
endforeach()

set(font_dir /usr/share/fonts/truetype/liberation)
install(FILES ${font_dir}/LiberationSans-Regular.ttf ${font_dir}/LiberationSans-Bold.ttf
        ${font_dir}/LiberationSerif-Regular.ttf ${font_dir}/LiberationMono-Regular.ttf DESTINATION fonts)
install(FILES /usr/share/doc/fonts-liberation/copyright DESTINATION fonts RENAME LICENSE.txt)
install(FILES /usr/share/qt6/translations/qtbase_es.qm /usr/share/qt6/translations/qtbase_en.qm
        DESTINATION translations)

# The tests run beside the same fonts and translations.
file(COPY ${font_dir}/LiberationSans-Regular.ttf ${font_dir}/LiberationSans-Bold.ttf
     ${font_dir}/LiberationSerif-Regular.ttf ${font_dir}/LiberationMono-Regular.ttf
     DESTINATION ${TRUMI_WINDOWS_TESTS_DIR}/fonts)
file(COPY /usr/share/qt6/translations/qtbase_es.qm /usr/share/qt6/translations/qtbase_en.qm
     DESTINATION ${TRUMI_WINDOWS_TESTS_DIR}/translations)

# The installer that scripts/build-windows makes, installed, used and removed
# under Wine, its document compared with the Linux program's.
set(TRUMI_WINDOWS_OUTPUT "" CACHE PATH "Where scripts/build-windows puts the installer")
set(TRUMI_LINUX_PROGRAM ${CMAKE_SOURCE_DIR}/build/program/trumi-editor CACHE FILEPATH
    "The Linux program whose document the Windows one is compared with")
if(TRUMI_WINDOWS_OUTPUT)
  add_test(NAME e2e_wine
    COMMAND xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"
            bash ${CMAKE_CURRENT_LIST_DIR}/tests/e2e_wine.sh
            ${TRUMI_WINDOWS_OUTPUT}/trumi-editor-${PROJECT_VERSION}-setup.exe ${TRUMI_LINUX_PROGRAM})
  set_tests_properties(e2e_wine PROPERTIES TIMEOUT 300 LABELS e2e SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
endif()
