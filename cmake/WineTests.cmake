# Test programs: GoogleTest built from Debian's sources with the cross
# toolchain; CTest runs each test program under Wine (the emulator).
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -w)  # not held to our warning flags
include(GoogleTest)

set(TESTS_DIR ${PROJECT_SOURCE_DIR}/tests)
file(GLOB TEST_SUPPORT_SOURCES CONFIGURE_DEPENDS ${TESTS_DIR}/support/*.cpp)
add_library(test_support STATIC ${TEST_SUPPORT_SOURCES})
target_include_directories(test_support PUBLIC ${TESTS_DIR} ${PROJECT_SOURCE_DIR}/framework)
target_link_libraries(test_support PUBLIC gtest user32 gdi32 comctl32 ole32 oleaut32 uuid ws2_32 wininet gdiplus)

# add_wine_test(NAME [DESKTOP] SOURCES... [RESOURCES rc...] [LIBS libs...])
# DESKTOP: the tests use what the whole display shares (global hotkeys, the
# notification area, input through SendInput, the pointer, the foreground
# window), so that `ctest -j` never runs two of them at once.
function(add_wine_test name)
  cmake_parse_arguments(T "DESKTOP" "" "SOURCES;RESOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
  target_include_directories(${name} PRIVATE ${TESTS_DIR} ${PROJECT_SOURCE_DIR}/res)
  target_link_libraries(${name} PRIVATE test_support ${T_LIBS})
  set(properties TIMEOUT 120)
  if(T_DESKTOP)
    list(APPEND properties RESOURCE_LOCK desktop)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 PROPERTIES ${properties})
endfunction()
