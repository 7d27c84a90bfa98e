# vxra.exe as a user runs it, each command a process of its own under Wine, its exit code and its
# output checked. Run with `cmake -P`, given
#   WINE      Wine's 64-bit loader
#   VXRA      the program
#   DEMO_DIR  the build's demo folder
#   WORK_DIR  a folder of this test's own, made afresh
# The program sees this machine's absolute paths through drive Z:.
cmake_minimum_required(VERSION 3.25)

# Wine reads its own arguments in the locale's character set before it makes the wide command line;
# these names are UTF-8, whatever locale CTest runs in.
set(ENV{LC_ALL} C.UTF-8)

# Runs VXRA with ARGS; its exit code must be EXIT, its standard error ERR and its standard output OUT
# (or, with OUT_MATCHES, match that expression).
function(expect_run)
    cmake_parse_arguments(RUN "" "EXIT;OUT;OUT_MATCHES;ERR" "ARGS" ${ARGN})
    execute_process(COMMAND ${WINE} ${VXRA} ${RUN_ARGS} RESULT_VARIABLE exit OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    set(wrong)
    if(NOT "${exit}" STREQUAL "${RUN_EXIT}")
        string(APPEND wrong "exit code ${exit}, expected ${RUN_EXIT}\n")
    endif()
    if(DEFINED RUN_OUT_MATCHES)
        if(NOT out MATCHES "${RUN_OUT_MATCHES}")
            string(APPEND wrong "standard output does not match [${RUN_OUT_MATCHES}]\n")
        endif()
    elseif(NOT "${out}" STREQUAL "${RUN_OUT}")
        string(APPEND wrong "standard output, expected [${RUN_OUT}]\n")
    endif()
    if(NOT "${err}" STREQUAL "${RUN_ERR}")
        string(APPEND wrong "standard error, expected [${RUN_ERR}]\n")
    endif()
    if(wrong)
        list(JOIN RUN_ARGS "] [" shown)
        message(SEND_ERROR "vxra [${shown}]\n${wrong}standard output [${out}]\nstandard error [${err}]")
    endif()
endfunction()

set(demo "Z:${DEMO_DIR}")
set(damaged "${demo}\\replay\\Damaged signature.rpy")
expect_run(ARGS --sim-dir ${demo} find hollowmere
           EXIT 0 OUT_MATCHES "  Hollowmere online race\\.rpy\n"
           ERR "vxra: Error reading replay file - is this a standard VELTRA4 replay?: ${damaged}\n")

# A damaged replay: a failure, with its reason and the file.
expect_run(ARGS info ${damaged} EXIT 1 OUT "" ERR "vxra: HeaderClass: Error reading file!\nvxra: ${damaged}\n")

# This build cannot draw: a usage error, before anything is read.
expect_run(ARGS --sim-dir ${demo} graph "${demo}/replay/Hollowmere online race.rpy:0:race:2" --channel speed
                -o graph.png
           EXIT 2 OUT "" ERR "vxra: -o is not available in this build\nRun 'vxra --help' for usage.\n")

# Names beyond any ANSI code page reach the program whole, through its wide command line: the
# simulator folder gives the track length (no warning), the replay is read, and its export file,
# named after it, is written in the folder given.
set(simulator "${WORK_DIR}/Jörg – VELTRA Racing 4")
set(replay "Kvällsrace Łódź")
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY "${simulator}/replay")
file(COPY "${DEMO_DIR}/tracks/HollowMere" DESTINATION "${simulator}/tracks")
file(COPY_FILE "${DEMO_DIR}/replay/Hollowmere online race.rpy" "${simulator}/replay/${replay}.rpy")
expect_run(ARGS --sim-dir "Z:${simulator}" report race "Z:${simulator}/replay/${replay}.rpy"
                -o "Z:${simulator}"
           EXIT 0 OUT "Z:${simulator}\\${replay}_Race.txt\n" ERR "")
file(READ "${simulator}/${replay}_Race.txt" exported)
if(NOT exported MATCHES "^Track: Hollowmere ")
    message(SEND_ERROR "the export file is not the race report of Hollowmere: [${exported}]")
endif()
