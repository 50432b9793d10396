# Runs PROGRAM with ARGUMENTS (a ;-list) and fails unless it exits with
# EXPECTED_EXIT and its standard output and error together match PATTERN.
execute_process(COMMAND ${PROGRAM} ${ARGUMENTS}
  RESULT_VARIABLE exit_code OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(APPEND out "${err}")
if(NOT exit_code STREQUAL "${EXPECTED_EXIT}")
  message(FATAL_ERROR "exit ${exit_code}, expected ${EXPECTED_EXIT}\n${out}")
endif()
if(NOT out MATCHES "${PATTERN}")
  message(FATAL_ERROR "output does not match '${PATTERN}':\n${out}")
endif()
