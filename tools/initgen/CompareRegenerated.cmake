# Runs the generator into an empty folder and compares every file it makes
# with the committed one of the same name in data/.
file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT})
execute_process(COMMAND ${GENERATOR} ${DESCRIPTION} ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the generator failed (${result})")
endif()
file(GLOB generated RELATIVE ${OUTPUT} ${OUTPUT}/*)
list(LENGTH generated count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "expected two initial files, got: ${generated}")
endif()
foreach(name IN LISTS generated)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT}/${name} ${DATA}/${name}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "data/${name} differs from what the generator makes now; "
                        "run quillon-initgen tools/initgen/defaults.txt data")
  endif()
endforeach()
