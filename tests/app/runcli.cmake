# Runs the real program from the command line and checks its exit status,
# and its output against an expected file when one is given.
#   -DPROGRAM= -DARGS=a|b|c -DEXPECT_STATUS= [-DEXPECTED_FILE=] [-DEXPECT_ERROR=]
#   [-DFOLDER= [-DCOPY=source>name|...] [-DMKDIR=name|...]]
# FOLDER is made afresh before each run with the files COPY names (a source
# copied under a new name) and the folders MKDIR names, so a run that mends
# its program folder is tested from the same start every time.
# Runs without any display: the command line must not need one.
set(ENV{DISPLAY} "")
set(ENV{QT_QPA_PLATFORM} "")
string(REPLACE "|" ";" ARGS "${ARGS}")
if(DEFINED FOLDER)
  file(REMOVE_RECURSE ${FOLDER})
  file(MAKE_DIRECTORY ${FOLDER})
  string(REPLACE "|" ";" COPY "${COPY}")
  foreach(pair IN LISTS COPY)
    string(REPLACE ">" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 name)
    file(COPY_FILE ${source} ${FOLDER}/${name})
  endforeach()
  string(REPLACE "|" ";" MKDIR "${MKDIR}")
  foreach(name IN LISTS MKDIR)
    file(MAKE_DIRECTORY ${FOLDER}/${name})
  endforeach()
endif()
execute_process(COMMAND ${PROGRAM} ${ARGS}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
# A sanitizer report fails the run whatever the status: the program may have
# been meant to fail, and a leak report comes after a clean exit.
if(err MATCHES "runtime error:|Sanitizer")
  message(FATAL_ERROR "sanitizer report on stderr:\n${err}")
endif()
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
