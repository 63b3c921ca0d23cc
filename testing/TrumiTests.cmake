# Under the sanitizers, leaks that system libraries keep for the life of the
# process are not ours to report.
set(TRUMI_TEST_ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0")

set(TRUMI_WINDOWS_TESTS_DIR ${CMAKE_BINARY_DIR}/windows-tests)

# A Qt Test program, run headless on the offscreen platform (under Wine in
# the Windows build):
# trumi_add_test(NAME SOURCE [POSIX_ONLY "why"] [WINDOWS_ONLY] LIBRARIES lib...)
function(trumi_add_test name source)
  cmake_parse_arguments(ARG "WINDOWS_ONLY" "POSIX_ONLY" "LIBRARIES" ${ARGN})
  if((WIN32 AND ARG_POSIX_ONLY) OR (NOT WIN32 AND ARG_WINDOWS_ONLY))
    if(WIN32)
      message(STATUS "Not built for Windows: ${name} (${ARG_POSIX_ONLY})")
    endif()
    return()
  endif()
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} Qt6::Test)
  set(arguments)
  if(WIN32)
    # A static Qt links only the plugins named: the tests need the headless
    # one, named on the command line (Wine does not pass QT_QPA_PLATFORM on),
    # and sit together beside the fonts and translations the build brings.
    qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin)
    if(trumi_testing IN_LIST ARG_LIBRARIES)  # the tests with windows
      set(arguments -platform offscreen)
    endif()
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRUMI_WINDOWS_TESTS_DIR})
  endif()
  trumi_set_warnings(${name})
  add_test(NAME ${name} COMMAND ${name} ${arguments})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;${TRUMI_TEST_ENVIRONMENT}"
    TIMEOUT 120)
endfunction()

# A script that drives a real executable under Xvfb with xdotool. The server
# is kept as it is when a program ends, so that the next one can connect.
function(trumi_add_e2e_test name script executable)
  if(WIN32)
    return()  # these drive the Linux programs; the Windows build has its own
  endif()
  add_test(NAME ${name}
    COMMAND xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"
            bash ${CMAKE_CURRENT_SOURCE_DIR}/${script} $<TARGET_FILE:${executable}> ${ARGN})
  set_tests_properties(${name} PROPERTIES TIMEOUT 180 LABELS e2e ENVIRONMENT "${TRUMI_TEST_ENVIRONMENT}")
endfunction()
