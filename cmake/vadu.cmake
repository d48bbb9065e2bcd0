# The one way the unit tests, benchmarks and fuzz targets are made:
#
#   vadu_program(<name> BIRIM|OLCUM|BULANIK SOURCES <files...> [LIBRARIES <targets...>]
#                [LOCK <resource>])
#
# BIRIM    a GoogleTest unit test, linked with GoogleTest's main and run by ctest
#          as the test <name> within a time limit. Tests that bind the same fixed
#          port name it as their LOCK, and ctest runs them one at a time.
# OLCUM    a Google Benchmark program: built, never run by ctest.
# BULANIK  a libFuzzer target, linked with libFuzzer's main.
#
# Every one of them includes the project's headers from the root, as the
# libraries do.
include_guard(GLOBAL)

function(vadu_program ad)
  cmake_parse_arguments(A "BIRIM;OLCUM;BULANIK" "LOCK" "SOURCES;LIBRARIES" ${ARGN})
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
  if(A_LOCK AND NOT A_BIRIM)
    message(FATAL_ERROR "vadu_program(${ad}): LOCK is for a BIRIM test")
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
    if(A_LOCK)
      set_tests_properties(${ad} PROPERTIES RESOURCE_LOCK ${A_LOCK})
    endif()
  elseif(A_OLCUM)
    target_link_libraries(${ad} PRIVATE benchmark::benchmark)
  else()
    target_link_options(${ad} PRIVATE -fsanitize=fuzzer)
  endif()
endfunction()
