kestrane_add_test(standingstable_test SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/standingstable_test.cpp LINKS standings_ui standings_core GUI)
