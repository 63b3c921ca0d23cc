# Run by cpack after packing: CPack's Debian generator adds ldconfig to
# postinst and postrm for any shared object under /usr/lib, but the window
# module in /usr/lib/trumi-editor is loaded by path, never through the
# linker's cache. The package is packed again without those two scripts.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  set(tree "${package}.tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND dpkg-deb -R "${package}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
  foreach(script postinst postrm)
    file(READ "${tree}/DEBIAN/${script}" body)
    string(REGEX REPLACE "#![^\n]*\n|set -e\n|if \\[ \"\\$1\" = \"[a-z]+\" \\]; then\n|[ \t]*ldconfig\n|fi\n|[ \t\n]" ""
           rest "${body}")
    if(NOT rest STREQUAL "")
      message(FATAL_ERROR "${script} does more than call ldconfig:\n${body}")
    endif()
    file(REMOVE "${tree}/DEBIAN/${script}")
  endforeach()
  execute_process(COMMAND dpkg-deb --root-owner-group -Zxz -b "${tree}" "${package}" OUTPUT_QUIET
                  COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${tree}")
endforeach()
