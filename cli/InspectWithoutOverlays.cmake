# Runs a copy of PROGRAM that has no overlay files beside it (in WORK/bin)
# on FIXTURE: inspect still shows the file's layout and says why it shows no
# channels.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/bin)
file(COPY ${PROGRAM} DESTINATION ${WORK}/bin)
get_filename_component(name ${PROGRAM} NAME)
execute_process(COMMAND ${WORK}/bin/${name} inspect ${FIXTURE}
  RESULT_VARIABLE exit_code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT exit_code STREQUAL "0")
  message(FATAL_ERROR "exit ${exit_code}, expected 0\n${out}${err}")
endif()
set(expected "parameter table: base [0-9A-F]+, [0-9]+ entries\n.*\nmemory channels in use: not shown, the overlay files are not installed beside the program\n$")
if(NOT out MATCHES "${expected}")
  message(FATAL_ERROR "output does not match '${expected}':\n${out}${err}")
endif()
