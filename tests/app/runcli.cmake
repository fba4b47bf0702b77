# Runs the real program from the command line and checks its exit status,
# and its output against an expected file when one is given.
#   -DPROGRAM= -DARGS=a|b|c -DEXPECT_STATUS= [-DEXPECTED_FILE=] [-DEXPECT_ERROR=]
# Runs without any display: the command line must not need one.
set(ENV{DISPLAY} "")
set(ENV{QT_QPA_PLATFORM} "")
string(REPLACE "|" ";" ARGS "${ARGS}")
execute_process(COMMAND ${PROGRAM} ${ARGS}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status STREQUAL EXPECT_STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${EXPECT_STATUS}\nstderr: ${err}")
endif()
if(DEFINED EXPECTED_FILE)
  file(READ ${EXPECTED_FILE} expected)
  if(NOT out STREQUAL expected)
    message(FATAL_ERROR "output differs from ${EXPECTED_FILE}:\n${out}")
  endif()
endif()
if(DEFINED EXPECT_ERROR)
  string(FIND "${err}" "${EXPECT_ERROR}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "stderr lacks '${EXPECT_ERROR}': ${err}")
  endif()
endif()
