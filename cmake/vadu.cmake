# The one way the unit tests, benchmarks and fuzz targets are made:
#
#   vadu_program(<name> BIRIM|OLCUM|BULANIK SOURCES <files...> [LIBRARIES <targets...>])
#
# BIRIM    a GoogleTest unit test, linked with GoogleTest's main and run by ctest
#          as the test <name> within a time limit.
# OLCUM    a Google Benchmark program: built, never run by ctest.
# BULANIK  a libFuzzer target, linked with libFuzzer's main.
#
# Every one of them includes the project's headers from the root, as the
# libraries do.
include_guard(GLOBAL)

function(vadu_program ad)
  cmake_parse_arguments(A "BIRIM;OLCUM;BULANIK" "" "SOURCES;LIBRARIES" ${ARGN})
  set(turler)
  foreach(tur BIRIM OLCUM BULANIK)
    if(A_${tur})
      list(APPEND turler ${tur})
    endif()
  endforeach()
  list(LENGTH turler tur_sayisi)
  if(NOT tur_sayisi EQUAL 1)
    message(FATAL_ERROR "vadu_program(${ad}): give exactly one of BIRIM, OLCUM, BULANIK")
  endif()
  if(A_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "vadu_program(${ad}): unknown arguments ${A_UNPARSED_ARGUMENTS}")
  endif()

  add_executable(${ad} ${A_SOURCES})
  target_include_directories(${ad} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${ad} PRIVATE ${A_LIBRARIES})
  if(A_BIRIM)
    target_link_libraries(${ad} PRIVATE GTest::gtest GTest::gtest_main)
    add_test(NAME ${ad} COMMAND ${ad})
    set_tests_properties(${ad} PROPERTIES TIMEOUT 120)
  elseif(A_OLCUM)
    target_link_libraries(${ad} PRIVATE benchmark::benchmark)
  else()
    target_link_options(${ad} PRIVATE -fsanitize=fuzzer)
  endif()
endfunction()

# Lua 5.4, for the programs that run the macro scripts: finds it (the
# arguments go to find_package, e.g. REQUIRED or QUIET) and, where it is
# found, makes the target vadu_lua, which carries the library and its headers.
# LUA_FOUND tells the caller which.
macro(vadu_lua)
  find_package(Lua 5.4 EXACT ${ARGN})
  if(LUA_FOUND AND NOT TARGET vadu_lua)
    add_library(vadu_lua INTERFACE)
    target_link_libraries(vadu_lua INTERFACE ${LUA_LIBRARIES})
    target_include_directories(vadu_lua SYSTEM INTERFACE ${LUA_INCLUDE_DIR})
  endif()
endmacro()
