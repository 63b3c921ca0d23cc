# The fuzz targets need clang's libFuzzer, so they are built by clang in a
# build of their own (build/fuzz) as part of this build, and each runs for a
# few seconds from its committed seed corpus as a test.
if(NOT TRUMI_FUZZ)
  return()
endif()
find_program(TRUMI_CLANGXX NAMES clang++ clang++-14 REQUIRED)
include(ExternalProject)
ExternalProject_Add(trumi_fuzz_build
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=${TRUMI_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRUMI_FUZZ_ONLY=ON
             -DTRUMI_WARNINGS_AS_ERRORS=${TRUMI_WARNINGS_AS_ERRORS}
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")

set(TRUMI_FUZZ_SECONDS 5 CACHE STRING "How long each fuzz target runs in the tests")
foreach(target settings licencias document)
  add_test(NAME fuzz_${target}
    COMMAND ${CMAKE_SOURCE_DIR}/fuzz/run_fuzzer.sh ${CMAKE_BINARY_DIR}/fuzz/fuzz/fuzz_${target}
            ${CMAKE_SOURCE_DIR}/fuzz/corpus/${target} ${TRUMI_FUZZ_SECONDS})
  set_tests_properties(fuzz_${target} PROPERTIES TIMEOUT 120 LABELS fuzz)
endforeach()
