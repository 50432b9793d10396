# The warning check from the command line on files made with `set` from the
# initial files, and the write refusing a file with errors.
#   -DPROGRAM=quillon-cli -DDATA=the data folder -DWORK=a scratch folder
cmake_minimum_required(VERSION 3.20)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run expected_exit pattern)
  execute_process(COMMAND ${PROGRAM} ${ARGN} RESULT_VARIABLE exit_code
    OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
  if(NOT "${expected_exit}" STREQUAL "any" AND NOT exit_code STREQUAL "${expected_exit}")
    message(FATAL_ERROR "${ARGN}: exit ${exit_code}, expected ${expected_exit}\n${out}${err}")
  endif()
  if(NOT "${out}${err}" MATCHES "${pattern}")
    message(FATAL_ERROR "${ARGN}: output does not match '${pattern}':\n${out}${err}")
  endif()
endfunction()

# An LMR file whose MSK ID groups lie in their ranges has nothing to report.
set(groups CL_Msk_AdrRange_Group[0]=0100)
foreach(group RANGE 1 7)
  list(APPEND groups CL_Msk_IdGroup_Adr[${group}]=010${group})
endforeach()
run(0 "" set ${DATA}/QX7315C_LMR.vrc ${groups} -o ${WORK}/clean.vrc)

# name | assignments on the clean file | exit of check | what check prints
set(cases
  "clean|-|0|^no errors or warnings\n$"
  "repeater|CL_Mch_FreqR[0]=146.52|3|^W Memory Channels\n  Memory Channels, 1, Operation Mode: Repeater — receive and transmit frequencies are equal on a repeater channel\n$"
  "band|CL_Mch_FreqR[0]=50|1|^E Memory Channels\n  Memory Channels, 1, Receive \\(MHz\\): 50.000000 — the frequency is outside the radio's band\n"
  "timeout|CL_Common_Tot_Repeat=12|3|^W Timers\n  Timers, Repeat time-out \\(min\\), Value: 12 — the value is outside its range"
  "both|CL_Mch_FreqR[0]=50,CL_Common_Tot_Repeat=12|1|^E Memory Channels\n.*W Timers\n"
  "group|CL_Msk_IdGroup_Adr[3]=0102|3|^W ID Groups\n  ID Groups, 3, Address: 0102 — the ID group has the same address as another ID group\n  ID Groups, 4, Address: 0102 — ")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 assignments)
  list(GET fields 2 expected)
  list(GET fields 3 pattern)
  string(REPLACE "," ";" assignments "${assignments}")
  if(assignments STREQUAL "-")
    file(COPY_FILE ${WORK}/clean.vrc ${WORK}/${name}.vrc)
  else()
    run(0 "" set ${WORK}/clean.vrc ${assignments} -o ${WORK}/${name}.vrc)
  endif()
  run(${expected} "${pattern}" check --file ${WORK}/${name}.vrc)
endforeach()

# The initial files as they come: the PMR file has one doubled talk group.
run(3 "^W dPMR IDs\n" check --model-type 1)

# A write stops before the link is touched, with the program's message and
# the sheets to correct; --force goes on with a warning.
run(1 "^quillon-cli: The data holds errors[^\n]*\nMemory Channels\nE Memory Channels\n"
  write --tcp 127.0.0.1:9 ${WORK}/band.vrc)
run(any "warning: --force writes the file with its errors"
  write --tcp 127.0.0.1:9 --force --yes ${WORK}/band.vrc)
