# Every target of the project compiles with the warnings on; CI also makes
# them errors (TRUMI_WARNINGS_AS_ERRORS).
function(trumi_set_warnings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(TRUMI_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${TRUMI_WARNINGS_AS_ERRORS}>:/WX>)
  endif()
endfunction()
