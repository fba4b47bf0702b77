# Checks that the build's program folder holds no test or benchmark program,
# then installs the build into a temporary prefix and starts the installed program
# from there: its folder holds no season and is read-only, so it must seed a
# per-user data folder (under a temporary HOME) from the installed season,
# and keep the user's store on the next start.
#   -DBUILD_DIR= -DWORK= -DREFERENCE=<the build's kestrane> -DSEASON=<data folder>
cmake_minimum_required(VERSION 3.25)

function(run)
  cmake_parse_arguments(R "" "STATUS;OUTPUT" "COMMAND" ${ARGN})
  execute_process(COMMAND ${R_COMMAND} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status STREQUAL "0")
    message(FATAL_ERROR "${R_COMMAND}\nexit status ${status}\n${out}\n${err}")
  endif()
  if(R_OUTPUT)
    set(${R_OUTPUT} "${out}" PARENT_SCOPE)
  endif()
endfunction()

function(expect_file path)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "missing: ${path}")
  endif()
endfunction()

if(EXISTS ${WORK})
  # A failed run may have left read-only folders behind.
  file(CHMOD_RECURSE ${WORK} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
       PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  file(REMOVE_RECURSE ${WORK})
endif()
# The build's program folder holds the program and its season, as a user's
# does: no test or benchmark program among them.
get_filename_component(program_dir ${REFERENCE} DIRECTORY)
file(GLOB entries LIST_DIRECTORIES false ${program_dir}/*)
foreach(entry IN LISTS entries)
  get_filename_component(name ${entry} NAME)
  file(READ ${entry} head LIMIT 4 HEX)
  if(head STREQUAL "7f454c46" AND NOT name MATCHES "^(kestrane|[Pp]orvex)$")
    message(FATAL_ERROR "the program folder ${program_dir} holds another program: ${name} "
                        "(left there by an older build? remove it and build again)")
  endif()
endforeach()

set(prefix ${WORK}/prefix)
run(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

include(GNUInstallDirs)
set(program ${prefix}/${CMAKE_INSTALL_BINDIR}/kestrane)
expect_file(${program})
# The sending tool beside it, where "Envoyer" looks for it.
expect_file(${prefix}/${CMAKE_INSTALL_BINDIR}/Porvex)
foreach(file kestrane/2013.txt kestrane/Resultats2013.ini applications/kestrane.desktop
             icons/hicolor/scalable/apps/kestrane.svg)
  expect_file(${prefix}/${CMAKE_INSTALL_DATADIR}/${file})
endforeach()
find_program(validate desktop-file-validate)
if(validate)
  run(COMMAND ${validate} ${prefix}/${CMAKE_INSTALL_DATADIR}/applications/kestrane.desktop)
else()
  message(STATUS "desktop-file-validate is missing: the desktop entry is not validated")
endif()

# The installed folders read-only, as a system install leaves them.
foreach(dir ${prefix}/${CMAKE_INSTALL_BINDIR} ${prefix}/${CMAKE_INSTALL_DATADIR}/kestrane)
  file(CHMOD ${dir} PERMISSIONS OWNER_READ OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()

set(ENV{HOME} ${WORK}/home)
set(ENV{XDG_DATA_HOME} ${WORK}/home/data)
set(ENV{XDG_CONFIG_HOME} ${WORK}/home/config)
set(ENV{DISPLAY} "")
set(ENV{QT_QPA_PLATFORM} "")
set(user ${WORK}/home/data/kestrane)

run(COMMAND ${REFERENCE} --data-dir ${SEASON} --print-standings OUTPUT expected)
run(COMMAND ${program} --print-standings OUTPUT installed)
run(COMMAND ${prefix}/${CMAKE_INSTALL_BINDIR}/Porvex --version OUTPUT tool)
if(NOT tool MATCHES "^Porvex ")
  message(FATAL_ERROR "the installed sending tool does not start: ${tool}")
endif()
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "the installed program prints other standings:\n${installed}")
endif()
expect_file(${user}/2013.txt)
expect_file(${user}/Resultats2013.ini)

# The user's store is theirs from now on: a second start keeps it.
file(APPEND ${user}/Resultats2013.ini "[Essai]\r\nMarque=gardée\r\n")
run(COMMAND ${program} -platform offscreen --quit-after-first-paint OUTPUT window)
if(NOT window MATCHES "widgets: [0-9]+")
  message(FATAL_ERROR "the installed window did not start: ${window}")
endif()
file(READ ${user}/Resultats2013.ini store)
if(NOT store MATCHES "Marque=gardée")
  message(FATAL_ERROR "the user's store was replaced")
endif()

# A copy unpacked with its season beside it keeps its data there while it
# may write there; read-only, it moves to the per-user folder. Root writes
# anywhere, so that half is told by the decision's own tests.
set(portable ${WORK}/portable)
file(MAKE_DIRECTORY ${portable})
file(COPY ${program} ${SEASON}/2013.txt ${SEASON}/Resultats2013.ini DESTINATION ${portable})
set(ENV{XDG_DATA_HOME} ${WORK}/home2/data)
run(COMMAND ${portable}/kestrane --print-standings)
if(EXISTS ${WORK}/home2/data/kestrane)
  message(FATAL_ERROR "a writable program folder holding the season was left for the user folder")
endif()
file(CHMOD ${portable} PERMISSIONS OWNER_READ OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
if(uid STREQUAL "0")
  message(STATUS "run as root: a read-only folder does not bind, the read-only copy is not started")
else()
  run(COMMAND ${portable}/kestrane --print-standings)
  expect_file(${WORK}/home2/data/kestrane/Resultats2013.ini)
endif()

# Leave a folder that the next run (and a plain rm) can remove.
foreach(dir ${prefix}/${CMAKE_INSTALL_BINDIR} ${prefix}/${CMAKE_INSTALL_DATADIR}/kestrane ${portable})
  file(CHMOD ${dir} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE PERMISSIONS OWNER_READ OWNER_WRITE
       OWNER_EXECUTE)
endforeach()
