# SPDX-License-Identifier: GPL-3.0-or-later
# The core library's report equals the program's, view by view, on every
# bundled example; and the core's executable needs no toolkit library but
# Qt Core. Run with -DCORE=... -DPROGRAM=... -DEXAMPLES=... [-DREADELF=...].
if(READELF)
    execute_process(COMMAND ${READELF} -d ${CORE} OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "readelf failed on ${CORE}")
    endif()
    if(dynamic MATCHES "Qt[56](Gui|Widgets|PrintSupport)")
        message(FATAL_ERROR "the core library links a toolkit library beyond Qt Core:\n${dynamic}")
    endif()
endif()
file(GLOB examples ${EXAMPLES}/*.lp)
list(LENGTH examples count)
if(count LESS 8)
    message(FATAL_ERROR "the bundled examples are missing from ${EXAMPLES}")
endif()
foreach(example ${examples})
    foreach(views "" "--fractions" "--explain;--ranging" "--branch;--fractions;--explain")
        execute_process(COMMAND ${CORE} ${example} ${views} OUTPUT_VARIABLE core RESULT_VARIABLE core_status)
        execute_process(COMMAND ${PROGRAM} --report ${views} ${example} OUTPUT_VARIABLE program
                        RESULT_VARIABLE program_status)
        if(NOT core_status EQUAL 0 OR NOT program_status EQUAL 0 OR NOT core STREQUAL program)
            message(FATAL_ERROR "the core's report of ${example} (${views}) differs from the program's")
        endif()
    endforeach()
endforeach()
