# Makes a manual page from its template: the field options, which the field
# table gives, are taken from the program's own --help in English, so that
# the page lists exactly the options the program has.
# cmake -DPROGRAM=... -DLANGUAGE_FILE=... -DTEMPLATE=... -DOUTPUT=... -P ManPage.cmake
set(scratch ${OUTPUT}.help)
file(REMOVE_RECURSE ${scratch})
file(MAKE_DIRECTORY ${scratch})
file(COPY ${PROGRAM} DESTINATION ${scratch})
file(COPY ${LANGUAGE_FILE} DESTINATION ${scratch})
get_filename_component(name ${PROGRAM} NAME)
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY LC_ALL=C.UTF-8
                        ${scratch}/${name} --help
                OUTPUT_VARIABLE help RESULT_VARIABLE status)
file(REMOVE_RECURSE ${scratch})
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()

# The lines under "Field options:", up to the empty line after them.
string(REGEX MATCH "Field options:\n([^\n]+\n)+" block "${help}")
string(REGEX REPLACE "^Field options:\n" "" block "${block}")
string(REGEX REPLACE "\n$" "" block "${block}")
string(REPLACE "\n" ";" lines "${block}")
set(FIELD_OPTIONS "")
foreach(line ${lines})
  string(REGEX MATCH "--([a-z-]+)=([^ ]+) +(.*)" _ "${line}")
  set(option ${CMAKE_MATCH_1})
  set(value ${CMAKE_MATCH_2})
  set(meaning ${CMAKE_MATCH_3})
  string(REPLACE "-" "\\-" option "${option}")
  string(REPLACE "-" "\\-" meaning "${meaning}")
  string(SUBSTRING "${meaning}" 0 1 first)
  string(SUBSTRING "${meaning}" 1 -1 rest)
  string(TOUPPER "${first}" first)
  # A word for any value is in italics; the values themselves are not.
  if(value MATCHES "\\|")
    set(macro ".BR")
  else()
    set(macro ".BI")
  endif()
  string(APPEND FIELD_OPTIONS ".TP\n${macro} \\-\\-${option} \" ${value}\"\n${first}${rest}.\n")
endforeach()
string(REGEX REPLACE "\n$" "" FIELD_OPTIONS "${FIELD_OPTIONS}")
if(FIELD_OPTIONS STREQUAL "")
  message(FATAL_ERROR "no field options in ${PROGRAM} --help")
endif()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
