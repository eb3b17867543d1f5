# Helpers for tests, fuzz harnesses and benchmarks. Every test program runs headless.

set(PIVLO_TEST_ENVIRONMENT
  QT_QPA_PLATFORM=offscreen
  SDL_AUDIODRIVER=dummy
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0
)

# pivlo_add_test_suite(NAME SOURCES src... LIBS lib... [MAIN main-library])
# MAIN defaults to pivlo_test_main; pivlo_gui_test_main gives the tests fonts.
function(pivlo_add_test_suite name)
  cmake_parse_arguments(ARG "" "MAIN" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_MAIN)
    set(ARG_MAIN pivlo_test_main)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_MAIN} ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${PIVLO_TEST_ENVIRONMENT}")
endfunction()

# pivlo_add_fuzzer(NAME SOURCE file CORPUS dir LIBS lib...)
# The harness defines LLVMFuzzerTestOneInput. Normally it is linked with a driver that
# replays the committed corpus (run by CTest); with PIVLO_LIBFUZZER it becomes a libFuzzer
# program that explores from that corpus.
function(pivlo_add_fuzzer name)
  cmake_parse_arguments(ARG "" "SOURCE;CORPUS" "LIBS" ${ARGN})
  if(PIVLO_LIBFUZZER)
    add_executable(${name} ${ARG_SOURCE})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set(replay_flags -runs=0)  # CTest only replays; fuzz by running the program by hand
  else()
    add_executable(${name} ${ARG_SOURCE} ${PROJECT_SOURCE_DIR}/tests/fuzz/FuzzReplayMain.cpp)
    set(replay_flags)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/fuzz)
  add_test(NAME ${name}_corpus COMMAND ${name} ${replay_flags} ${ARG_CORPUS})
  set_tests_properties(${name}_corpus PROPERTIES ENVIRONMENT "${PIVLO_TEST_ENVIRONMENT}" LABELS fuzz)
endfunction()

# pivlo_add_benchmark(NAME SOURCES src... LIBS lib... [SMOKE_FILTER regex])
# CTest runs each benchmark once, briefly, so that it keeps working (only those matching
# SMOKE_FILTER when given); the figures come from the optimised tree (./run bench).
function(pivlo_add_benchmark name)
  cmake_parse_arguments(ARG "" "SMOKE_FILTER" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/bench/BenchMain.cpp)
  target_link_libraries(${name} PRIVATE benchmark::benchmark ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bench)
  set(smoke_filter)
  if(ARG_SMOKE_FILTER)
    set(smoke_filter --benchmark_filter=${ARG_SMOKE_FILTER})
  endif()
  add_test(NAME ${name}_smoke COMMAND ${name} --benchmark_min_time=0.000001 --benchmark_repetitions=1 ${smoke_filter})
  set_tests_properties(${name}_smoke PROPERTIES ENVIRONMENT "${PIVLO_TEST_ENVIRONMENT}" LABELS bench)
endfunction()
