# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build (scripts/build-windows.sh, with cmake/mingw-w64-x86_64.cmake):
# io/'s file code from its Windows twins in io/windows/, every program linked
# statically, and the unit tests that run there (under Wine in
# scripts/test-windows.sh) built with GoogleTest's own sources.
list(FILTER IO_SOURCES EXCLUDE REGEX "/io/(AtomicFile|SaveTarget|SaveJournal|RegularFile|RemoveFiles|RecoveryFolder|ProgramArguments)\\.cpp$")
file(GLOB IO_WINDOWS_SOURCES CONFIGURE_DEPENDS io/windows/*.cpp)
list(APPEND IO_SOURCES ${IO_WINDOWS_SOURCES})
add_link_options(-static -static-libgcc -static-libstdc++)
# The static libspng needs zlib after it: at the end of every link line.
string(APPEND CMAKE_CXX_STANDARD_LIBRARIES " ${ZLIB_LIBRARIES}")
# Windows has no disk quotas and no errno value for them: a value no call
# gives, so that the messages' reasons need no exception for Windows.
add_compile_definitions(EDQUOT=1122)

option(TESSARO_WINDOWS_TESTS "Build the unit tests that run on Windows" ON)
set(TESSARO_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")
# The unit tests that hold for Windows too.
set(TESSARO_WINDOWS_UNIT_TESTS file_platform_test bmp_writer_test png_writer_test palette_writers_test cli_commands_test)

if(TESSARO_WINDOWS_TESTS)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TESSARO_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

function(tessaro_windows_targets)
  # The command line in UTF-16 (io/windows/ProgramArgumentsWindows.cpp).
  target_link_libraries(tessaro_io PUBLIC shell32)
  if(TARGET tessaro)
    # A window program: no console window opens beside it.
    set_target_properties(tessaro PROPERTIES WIN32_EXECUTABLE ON)
    # Static Qt: the Windows platform plugin is linked in.
    if(TARGET Qt6::QWindowsIntegrationPlugin)
      qt_import_plugins(tessaro INCLUDE Qt6::QWindowsIntegrationPlugin)
    endif()
  endif()
  foreach(program tessaro tessaro-cli tessaro-script)
    if(TARGET ${program})
      target_sources(${program} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/windows/utf8.rc)
    endif()
  endforeach()
  if(NOT TESSARO_WINDOWS_TESTS)
    return()
  endif()
  foreach(name ${TESSARO_WINDOWS_UNIT_TESTS})
    set(source ${PROJECT_SOURCE_DIR}/tests/unit/${name}.cpp)
    add_executable(test_${name} ${source} ${PROJECT_SOURCE_DIR}/cmake/windows/utf8.rc)
    tessaro_target(test_${name})
    target_link_libraries(test_${name} PRIVATE tessaro_editor gtest gtest_main)
    if(name MATCHES "^cli_")
      target_link_libraries(test_${name} PRIVATE tessaro_cli_lib)
    endif()
    if(name MATCHES "^png_")
      target_link_libraries(test_${name} PRIVATE ZLIB::ZLIB)
    endif()
    # The tests run under Wine, whose drive Z: is the build machine's root.
    target_compile_definitions(test_${name} PRIVATE
      TESSARO_TESTDATA="Z:${PROJECT_SOURCE_DIR}/tests/data"
      TESSARO_FIXTURES="Z:${PROJECT_SOURCE_DIR}/tests/scenarios/fixtures"
      TESSARO_SOURCE_DIR="Z:${PROJECT_SOURCE_DIR}")
    add_dependencies(tessaro-windows-tests test_${name})
  endforeach()
endfunction()
add_custom_target(tessaro-windows-tests)
cmake_language(DEFER CALL tessaro_windows_targets)
