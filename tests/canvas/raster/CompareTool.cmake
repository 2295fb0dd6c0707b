# Runs a script-drawing tool on one fixture script and compares its standard
# output byte for byte with the recorded output; fails on any difference or on
# a non-zero exit code.
#
#   cmake -DTOOL=<canvas-script> -DSCRIPT=<name>.txt -DEXPECTED=<name>.hex -DOUTPUT=<file> -P CompareTool.cmake
foreach(var TOOL SCRIPT EXPECTED OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "CompareTool.cmake needs -D${var}=...")
    endif()
endforeach()
execute_process(COMMAND ${TOOL} INPUT_FILE ${SCRIPT} OUTPUT_FILE ${OUTPUT} ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${TOOL} exited with ${status}:\n${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED} RESULT_VARIABLE different)
if(NOT different EQUAL 0)
    message(FATAL_ERROR "${OUTPUT} differs from ${EXPECTED}")
endif()
