# Under the sanitizers, leaks that system libraries keep for the life of the
# process are not ours to report.
set(TRUMI_TEST_ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0")

# A Qt Test program, run headless on the offscreen platform:
# trumi_add_test(NAME SOURCE LIBRARIES lib...)
function(trumi_add_test name source)
  cmake_parse_arguments(ARG "" "" "LIBRARIES" ${ARGN})
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} Qt6::Test)
  trumi_set_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;${TRUMI_TEST_ENVIRONMENT}"
    TIMEOUT 120)
endfunction()

# A script that drives a real executable under Xvfb with xdotool. The server
# is kept as it is when a program ends, so that the next one can connect.
function(trumi_add_e2e_test name script executable)
  add_test(NAME ${name}
    COMMAND xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"
            bash ${CMAKE_CURRENT_SOURCE_DIR}/${script} $<TARGET_FILE:${executable}> ${ARGN})
  set_tests_properties(${name} PROPERTIES TIMEOUT 180 LABELS e2e ENVIRONMENT "${TRUMI_TEST_ENVIRONMENT}")
endfunction()
