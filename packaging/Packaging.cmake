# Two ways to take Trumi Editor away from the build:
#
# - The portable archive (cmake --build build --target package): a .tar.gz
#   whose top folder is a program folder, with both executables, the Spanish
#   TE.ini, the English one in english/, README.md and LICENSE.
# - A system installation (cmake --install build --prefix /usr/local): the
#   program folder goes to lib/trumi-editor, with links in bin, a desktop
#   entry and its icon. Config.lic is then kept in that folder, so saving the
#   default licences needs write access to it.
include(GNUInstallDirs)

set(portable_files
  ${TRUMI_PROGRAM_DIR}/TE.ini ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE)
install(TARGETS trumi-editor trumi-editor-1.0 DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
install(FILES ${portable_files} DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_SOURCE_DIR}/settings/languages/en/TE.ini DESTINATION english
        COMPONENT portable EXCLUDE_FROM_ALL)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)

set(program_folder ${CMAKE_INSTALL_LIBDIR}/trumi-editor)
install(TARGETS trumi-editor trumi-editor-1.0 DESTINATION ${program_folder} COMPONENT system)
install(FILES ${TRUMI_PROGRAM_DIR}/TE.ini DESTINATION ${program_folder} COMPONENT system)
install(FILES ${CMAKE_SOURCE_DIR}/settings/languages/en/TE.ini DESTINATION ${program_folder}/english
        COMPONENT system)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/trumi-editor.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT system)
install(FILES ${CMAKE_SOURCE_DIR}/resources/pictures/app_icon48.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME trumi-editor.png COMPONENT system)
foreach(program trumi-editor trumi-editor-1.0)
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(CREATE_LINK \"../${program_folder}/${program}\" \"\${bin}/${program}\" SYMBOLIC)
    " COMPONENT system)
endforeach()

set(CPACK_PACKAGE_NAME trumi-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME trumi-editor-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_GENERATOR TGZ)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL portable)
set(CPACK_STRIP_FILES ON)
include(CPack)

add_test(NAME e2e_archive
  COMMAND xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"
          bash ${CMAKE_SOURCE_DIR}/packaging/tests/e2e_archive.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
set_tests_properties(e2e_archive PROPERTIES TIMEOUT 300 LABELS e2e ENVIRONMENT "${TRUMI_TEST_ENVIRONMENT}")
