# Writes a command's manual page as the program itself prints it (--man,
# from the table its --help comes from), compressed as Debian keeps pages.
#   -DPROGRAM= -DOUTPUT=<dir>/<name>.1.gz
cmake_minimum_required(VERSION 3.25)
get_filename_component(dir ${OUTPUT} DIRECTORY)
string(REGEX REPLACE "\\.gz$" "" page ${OUTPUT})
file(MAKE_DIRECTORY ${dir})
# No display is needed; a sanitizer build's leak report must not fail the build.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{ASAN_OPTIONS} detect_leaks=0)
execute_process(COMMAND ${PROGRAM} --man OUTPUT_FILE ${page} RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --man: ${status} ${err}")
endif()
# -n: no name nor time in the header, so the same page gives the same bytes.
execute_process(COMMAND gzip -9nf ${page} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip ${page}: ${status}")
endif()
