# Which files `set` writes: with -o only OUT.vrc, the input as it was;
# without -o the input itself, with the same bytes -o would have written; when
# an assignment is refused, nothing at all.
#   -DPROGRAM=quillon-cli -DFIXTURE=a clone file -DWORK=a scratch folder
#   -DGOOD=an assignment the file takes -DBAD=one it refuses
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY_FILE ${FIXTURE} ${WORK}/in.vrc)
file(SHA256 ${FIXTURE} original)

function(run_set expected_exit)
  execute_process(COMMAND ${PROGRAM} set ${ARGN}
    RESULT_VARIABLE exit_code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT exit_code STREQUAL "${expected_exit}")
    message(FATAL_ERROR "set ${ARGN}: exit ${exit_code}, expected ${expected_exit}\n${out}${err}")
  endif()
endfunction()

function(expect_unchanged path)
  file(SHA256 ${path} now)
  if(NOT now STREQUAL original)
    message(FATAL_ERROR "${path} was changed")
  endif()
endfunction()

run_set(2 ${WORK}/in.vrc ${GOOD} ${BAD} -o ${WORK}/refused.vrc)
expect_unchanged(${WORK}/in.vrc)
if(EXISTS ${WORK}/refused.vrc)
  message(FATAL_ERROR "a refused assignment still saved ${WORK}/refused.vrc")
endif()

run_set(0 ${WORK}/in.vrc ${GOOD} -o ${WORK}/out.vrc)
expect_unchanged(${WORK}/in.vrc)
file(SHA256 ${WORK}/out.vrc typed)
if(typed STREQUAL original)
  message(FATAL_ERROR "-o saved the file without the typed text")
endif()

run_set(0 ${WORK}/in.vrc ${GOOD})
file(SHA256 ${WORK}/in.vrc in_place)
if(NOT in_place STREQUAL typed)
  message(FATAL_ERROR "saving in place wrote other bytes than -o")
endif()
