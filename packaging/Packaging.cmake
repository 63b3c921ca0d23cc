# Three ways to take Trumi Editor away from the build:
#
# - The portable archive (cmake --build build --target package): a .tar.gz
#   whose top folder is a program folder, with both executables, the Spanish
#   TE.ini, the English one in english/, README.md, the user's manual in
#   docs/ and LICENSE, the manual
#   pages in man/ and the bash completion in bash-completion/.
# - The Debian package, made by the same command: the program folder in
#   /usr/lib/trumi-editor, links in /usr/bin, the desktop entry and its
#   icon, README.md, manual.md and the copyright in /usr/share/doc/trumi-editor, the manual
#   pages and the bash completion where man and bash look for them. Its program
#   folder belongs to root, so each user's licence defaults are kept in the
#   user's configuration folder.
# - A system installation (cmake --install build --prefix /usr/local), with
#   the same files as the Debian package.
include(GNUInstallDirs)

set(portable_files
  ${TRUMI_PROGRAM_DIR}/TE.ini ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE)
install(TARGETS trumi-editor trumi-editor-1.0 trumi-editor-window DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
install(FILES ${portable_files} DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)

# The manual pages (compressed where they are installed, as Debian wants
# them), their field options from the program's --help in English, and the
# completion of the command line's options in bash.
set(man_pages trumi-editor.1 trumi-editor-1.0.1)
set(compressed_man_pages)
foreach(page ${man_pages})
  set(template ${CMAKE_SOURCE_DIR}/packaging/man/${page}.in)
  set(english ${CMAKE_SOURCE_DIR}/settings/languages/en/TE.ini)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page} ${CMAKE_BINARY_DIR}/man/${page}.gz
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:trumi-editor> -DLANGUAGE_FILE=${english}
            -DTEMPLATE=${template} -DOUTPUT=${CMAKE_BINARY_DIR}/man/${page}
            -P ${CMAKE_SOURCE_DIR}/packaging/man/ManPage.cmake
    COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/man/${page} > ${CMAKE_BINARY_DIR}/man/${page}.gz
    DEPENDS ${template} ${english} trumi-editor ${CMAKE_SOURCE_DIR}/packaging/man/ManPage.cmake VERBATIM)
  list(APPEND compressed_man_pages ${CMAKE_BINARY_DIR}/man/${page}.gz)
  install(FILES ${CMAKE_BINARY_DIR}/man/${page} DESTINATION man COMPONENT portable EXCLUDE_FROM_ALL)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${compressed_man_pages})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/bash-completion/trumi-editor DESTINATION bash-completion
        COMPONENT portable EXCLUDE_FROM_ALL)

set(program_folder lib/trumi-editor)
foreach(entry ${TRUMI_OTHER_LANGUAGES})
  string(REPLACE ":" ";" code_and_folder ${entry})
  list(GET code_and_folder 0 code)
  list(GET code_and_folder 1 folder)
  set(language_file ${CMAKE_SOURCE_DIR}/settings/languages/${code}/TE.ini)
  install(FILES ${language_file} DESTINATION ${folder} COMPONENT portable EXCLUDE_FROM_ALL)
  install(FILES ${language_file} DESTINATION ${program_folder}/${folder} COMPONENT system)
endforeach()
set(documentation ${CMAKE_INSTALL_DATADIR}/doc/trumi-editor)
install(TARGETS trumi-editor trumi-editor-1.0 trumi-editor-window DESTINATION ${program_folder} COMPONENT system)
install(FILES ${TRUMI_PROGRAM_DIR}/TE.ini DESTINATION ${program_folder} COMPONENT system)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/trumi-editor.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT system)
# The icon: scalable, and drawn from the same SVG at each size menus ask for.
include(cmake/TrumiIcons.cmake)
set(icon_sizes 16 22 24 32 48 64 128 256)
trumi_icon_pngs(icon_files ${icon_sizes})
foreach(size ${icon_sizes})
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}/trumi-editor.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps COMPONENT system)
endforeach()
add_custom_target(icons ALL DEPENDS ${icon_files})
install(FILES ${TRUMI_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT system)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/trumi-editor.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME org.example.trumi_editor.metainfo.xml COMPONENT system)
# Debian's documentation folder: the machine-readable copyright (which holds
# the licence) and the changelog, compressed.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debian
  COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/debian/changelog > ${CMAKE_BINARY_DIR}/debian/changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/debian/changelog VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/docs/manual.md ${CMAKE_SOURCE_DIR}/packaging/debian/copyright
              ${CMAKE_BINARY_DIR}/debian/changelog.gz DESTINATION ${documentation} COMPONENT system)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME trumi-editor COMPONENT system)
# The administrators' licence defaults, a configuration file of the package.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/debian/Config.lic DESTINATION /etc/trumi-editor COMPONENT system)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs DESTINATION ${documentation} COMPONENT system)
install(FILES ${compressed_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT system)
foreach(program trumi-editor trumi-editor-1.0)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/bash-completion/trumi-editor
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ${program} COMPONENT system)
endforeach()
foreach(program trumi-editor trumi-editor-1.0)
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(CREATE_LINK \"../${program_folder}/${program}\" \"\${bin}/${program}\" SYMBOLIC)
    " COMPONENT system)
endforeach()

set(CPACK_PACKAGE_NAME trumi-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Equipo Trumi <trumi@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Read-me document editor for software authors")
set(CPACK_PACKAGE_DESCRIPTION "Describe a product about to be released (name, version, status, author,
dates, description and licences) in one window and write its plain-text
read-me document, in Windows-1252 with CR LF line ends.")
set(CPACK_GENERATOR TGZ DEB)
set(CPACK_STRIP_FILES ON)
# What differs between the archive and the package (which components, which
# file name) is set per generator.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackPerGenerator.cmake)
set(CPACK_PACKAGE_FILE_NAME trumi-editor-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Qt libraries are found by dpkg-shlibdeps; what Qt loads while running
# (the X11 platform plugin, the translations) and the fonts the windows are
# laid out for are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/debian/conffiles)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/WithoutLdconfig.cmake)
include(CPack)

# The package's own tests check what is packed, not the code: a build under
# the sanitizers has nothing to add to them.
if(TRUMI_SANITIZE)
  return()
endif()

# The completion and the manual pages know every option, and the examples in
# the manuals run as printed.
add_test(NAME option_lists
  COMMAND bash ${CMAKE_SOURCE_DIR}/packaging/tests/option_lists.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
add_test(NAME e2e_examples
  COMMAND bash ${CMAKE_SOURCE_DIR}/packaging/tests/e2e_examples.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
set_tests_properties(e2e_examples PROPERTIES TIMEOUT 120 LABELS e2e)

add_test(NAME e2e_archive
  COMMAND xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"
          bash ${CMAKE_SOURCE_DIR}/packaging/tests/e2e_archive.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
set_tests_properties(e2e_archive PROPERTIES TIMEOUT 300 LABELS e2e ENVIRONMENT "${TRUMI_TEST_ENVIRONMENT}")

# The unpacked Debian package runs as an unprivileged user, who needs the X
# server without its access control.
add_test(NAME e2e_deb
  COMMAND xvfb-run -a -s "-screen 0 1280x1024x24 -noreset -ac"
          bash ${CMAKE_SOURCE_DIR}/packaging/tests/e2e_deb.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
set_tests_properties(e2e_deb PROPERTIES TIMEOUT 300 LABELS e2e SKIP_RETURN_CODE 77 ENVIRONMENT "${TRUMI_TEST_ENVIRONMENT}")
