# The fuzz targets need clang's libFuzzer, so they are built by clang in a
# build of their own (build/fuzz) as part of this build, and each runs for a
# few seconds from its committed seed corpus as a test. Without clang they
# are left out.
if(NOT TRUMI_FUZZ)
  return()
endif()
find_program(TRUMI_CLANGXX NAMES clang++ clang++-14)
if(NOT TRUMI_CLANGXX)
  message(STATUS "clang++ not found: the fuzz targets are not built (install clang and libclang-rt-14-dev)")
  return()
endif()

# The sub-build runs again only when a source it compiles has changed.
set(fuzz_sources)
foreach(library trumi_core trumi_settings)
  get_target_property(sources ${library} SOURCES)
  get_target_property(folder ${library} SOURCE_DIR)
  list(TRANSFORM sources PREPEND ${folder}/)
  list(APPEND fuzz_sources ${sources})
endforeach()
file(GLOB fuzz_target_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*.cpp ${CMAKE_SOURCE_DIR}/fuzz/*.txt)

include(ExternalProject)
ExternalProject_Add(trumi_fuzz_build
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=${TRUMI_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRUMI_FUZZ_ONLY=ON
             -DTRUMI_WARNINGS_AS_ERRORS=${TRUMI_WARNINGS_AS_ERRORS} -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
  INSTALL_COMMAND "")
ExternalProject_Add_StepDependencies(trumi_fuzz_build build ${fuzz_sources} ${fuzz_target_sources})

set(TRUMI_FUZZ_SECONDS 5 CACHE STRING "How long each fuzz target runs in the tests")
foreach(target settings licence_file document document_reader)
  add_test(NAME fuzz_${target}
    COMMAND ${CMAKE_SOURCE_DIR}/fuzz/run_fuzzer.sh ${CMAKE_BINARY_DIR}/fuzz/fuzz/fuzz_${target}
            ${CMAKE_SOURCE_DIR}/fuzz/corpus/${target} ${TRUMI_FUZZ_SECONDS})
  set_tests_properties(fuzz_${target} PROPERTIES TIMEOUT 120 LABELS fuzz)
endforeach()
