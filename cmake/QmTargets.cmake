# Helper functions every folder uses to declare its targets.
#
#   qm_core_library(name SOURCES ... [LIBS ...])   portable code, built everywhere
#   qm_win32_library(name SOURCES ... [LIBS ...])  Win32 layer, built for Windows only
#   qm_program(name SOURCES ... [LIBS ...] [RC file] [DIST subdir] [CONSOLE])
#   qm_native_test(name SOURCES ... [LIBS ...])    GoogleTest, native build, run by CTest
#   qm_wine_test(name SOURCES ... [LIBS ...] [OWN_PREFIX])
#                                                  GoogleTest, Windows build, run under Wine
#                                                  (OWN_PREFIX: in a fresh prefix of its own)
#   qm_benchmark(name SOURCES ... [LIBS ...])      Google Benchmark, native build with QM_BENCH
#   qm_wine_benchmark(name SOURCES ... [RC rc] [LIBS ...])
#                                                  benchmark of window code, Windows build
#                                                  (classlib/tests/WineBenchmark.h); bench.sh
#                                                  runs it under Wine
#   qm_fuzzer(name SOURCES ... [LIBS ...])         libFuzzer target, native clang with QM_FUZZ

include(CMakeParseArguments)

# Outside files the tests, fuzz seeds and benchmarks read (see testdata/README.md).
set(QM_TESTDATA_DIR "${CMAKE_SOURCE_DIR}/testdata")
set(QM_FORMATS_DIR "${QM_TESTDATA_DIR}/formats")
if(WIN32)
  # Wine maps the Unix root onto drive Z:.
  set(QM_TESTDATA_PATH "Z:${QM_TESTDATA_DIR}")
  set(QM_FORMATS_PATH "Z:${QM_FORMATS_DIR}")
else()
  set(QM_TESTDATA_PATH "${QM_TESTDATA_DIR}")
  set(QM_FORMATS_PATH "${QM_FORMATS_DIR}")
endif()

function(qm_core_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_LIBS})
endfunction()

function(qm_win32_library name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_LIBS})
endfunction()

function(qm_static_windows_link target)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
endfunction()

# A resource script compiles again when a file of its folder (a bitmap, an
# icon, a manifest it names) changes, not only when the script does.
function(qm_rc_depends rc)
  get_filename_component(rc_path "${rc}" ABSOLUTE)
  get_filename_component(rc_dir "${rc_path}" DIRECTORY)
  file(GLOB rc_inputs "${rc_dir}/*.bmp" "${rc_dir}/*.ico" "${rc_dir}/*.cur" "${rc_dir}/*.manifest")
  set_property(SOURCE "${rc}" APPEND PROPERTY OBJECT_DEPENDS ${rc_inputs})
endfunction()

function(qm_program name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(A "CONSOLE" "RC;DIST" "SOURCES;LIBS" ${ARGN})
  set(srcs ${A_SOURCES})
  if(A_RC)
    list(APPEND srcs ${A_RC})
    qm_rc_depends(${A_RC})
  endif()
  if(A_CONSOLE)
    add_executable(${name} ${srcs})
  else()
    add_executable(${name} WIN32 ${srcs})
  endif()
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  qm_static_windows_link(${name})
  set(dist "${QM_DIST_DIR}/win${QM_WINDOWS_BITS}")
  if(A_DIST)
    set(dist "${dist}/${A_DIST}")
  endif()
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory "${dist}"
    COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:${name}>" "${dist}/")
endfunction()

function(qm_native_test name)
  if(WIN32 OR QM_FUZZ OR NOT QM_TESTS)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    QM_TESTDATA_DIR="${QM_TESTDATA_PATH}" QM_FORMATS_DIR="${QM_FORMATS_PATH}")
  add_test(NAME ${name} COMMAND ${name})
endfunction()

function(qm_wine_test name)
  if(NOT WIN32 OR NOT QM_TESTS)
    return()
  endif()
  cmake_parse_arguments(A "OWN_PREFIX" "RC" "SOURCES;LIBS" ${ARGN})
  set(srcs ${A_SOURCES})
  if(A_RC)
    list(APPEND srcs ${A_RC})
    qm_rc_depends(${A_RC})
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${A_LIBS} gtest gtest_main)
  # The tests' shared helpers are named from the repository's top.
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE
    QM_TESTDATA_DIR="${QM_TESTDATA_PATH}" QM_FORMATS_DIR="${QM_FORMATS_PATH}"
    QM_DIST_DIR="Z:${QM_DIST_DIR}/win${QM_WINDOWS_BITS}")
  qm_static_windows_link(${name})
  if(A_OWN_PREFIX)
    add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-own-prefix.sh
             ${CMAKE_BINARY_DIR}/wineprefix-${name} $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
endfunction()

function(qm_benchmark name)
  if(WIN32 OR NOT QM_BENCH)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(${name} PRIVATE
    QM_TESTDATA_DIR="${QM_TESTDATA_PATH}" QM_FORMATS_DIR="${QM_FORMATS_PATH}")
  set_property(GLOBAL APPEND PROPERTY QM_BENCHMARKS ${name})
endfunction()

function(qm_wine_benchmark name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(A "" "RC" "SOURCES;LIBS" ${ARGN})
  set(srcs ${A_SOURCES} ${CMAKE_SOURCE_DIR}/classlib/tests/WineBenchmark.cpp)
  if(A_RC)
    list(APPEND srcs ${A_RC})
    qm_rc_depends(${A_RC})
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE
    QM_TESTDATA_DIR="${QM_TESTDATA_PATH}" QM_FORMATS_DIR="${QM_FORMATS_PATH}")
  qm_static_windows_link(${name})
  # Built with the programs; bench.sh finds it by its name in this folder.
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/winbench)
endfunction()

function(qm_fuzzer name)
  if(WIN32 OR NOT QM_FUZZ)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LIBS;SEEDS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  # Seed folders, one per line, for the fuzz runner.
  string(REPLACE ";" "\n" seeds "${A_SEEDS}")
  file(WRITE ${CMAKE_BINARY_DIR}/fuzzers/${name}.seeds "${seeds}\n")
  set_property(GLOBAL APPEND PROPERTY QM_FUZZERS ${name})
endfunction()
