# Runs the program with an empty environment: no display, no platform named.
execute_process(COMMAND env -i ${PROGRAM} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
if(NOT rc EQUAL 1 OR NOT out STREQUAL "" OR NOT err STREQUAL "tagwright-folio: cannot connect to a display: DISPLAY is not set\n")
  message(FATAL_ERROR "without a display: exit ${rc}, output '${out}', errors '${err}'")
endif()
# Its options need no display.
execute_process(COMMAND env -i ${PROGRAM} --version RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^Tagwright Folio [0-9]+\\.[0-9]+\\.[0-9]+\n$")
  message(FATAL_ERROR "--version without a display: exit ${rc}, output '${out}', errors '${err}'")
endif()
