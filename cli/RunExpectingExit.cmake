# Runs PROGRAM with ARGUMENTS (a ;-list) and fails unless it exits with
# EXPECTED_EXIT and its standard output and error together match PATTERN.
# With STREAM=stdout or STREAM=stderr only that stream must match PATTERN and
# the other one must stay empty (usage goes to one place only).
execute_process(COMMAND ${PROGRAM} ${ARGUMENTS}
  RESULT_VARIABLE exit_code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(STREAM STREQUAL "stdout")
  set(subject "${out}")
  set(other "${err}")
elseif(STREAM STREQUAL "stderr")
  set(subject "${err}")
  set(other "${out}")
else()
  set(subject "${out}${err}")
  set(other "")
endif()
if(NOT exit_code STREQUAL "${EXPECTED_EXIT}")
  message(FATAL_ERROR "exit ${exit_code}, expected ${EXPECTED_EXIT}\n${out}${err}")
endif()
if(NOT subject MATCHES "${PATTERN}")
  message(FATAL_ERROR "output does not match '${PATTERN}':\n${subject}")
endif()
if(NOT other STREQUAL "")
  message(FATAL_ERROR "unexpected output besides the ${STREAM}:\n${other}")
endif()
