# One static library per source folder; the folder's files are the library.
# A core library passes Qt6::Core only in LINKS, so a widget include fails to build.
function(kestrane_add_library target)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  add_library(${target} STATIC ${srcs})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_LINKS})
endfunction()

# A GoogleTest program per test file. GUI tests get a QApplication on the
# offscreen platform; core tests a QCoreApplication and no display at all.
function(kestrane_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/testmain.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} test_support GTest::gtest Qt6::Core)
  target_compile_options(${name} PRIVATE -include ${PROJECT_SOURCE_DIR}/tests/support/qtprinters.h)
  target_compile_definitions(${name} PRIVATE
      KESTRANE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
      KESTRANE_SAMPLE_DATA="${PROJECT_SOURCE_DIR}/data")
  if(ARG_GUI)
    target_compile_definitions(${name} PRIVATE KESTRANE_GUI_TEST=1)
    target_link_libraries(${name} PRIVATE Qt6::Widgets Qt6::Test)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
