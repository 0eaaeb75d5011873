# The engine fuzzer, built with clang and libFuzzer apart from the main
# (GCC) build, run for a bounded time.
set(CORVANET_FUZZ_SECONDS 60 CACHE STRING "How long the fuzz_engine test runs the fuzzer, in seconds")

add_test(NAME fuzz_engine
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/run_fuzz.sh ${CMAKE_BINARY_DIR}/fuzz ${CORVANET_FUZZ_SECONDS})
# Building with the sanitizers takes a while on two cores; allow for it.
math(EXPR _corvanet_fuzz_timeout "${CORVANET_FUZZ_SECONDS} + 600")
set_tests_properties(fuzz_engine PROPERTIES TIMEOUT ${_corvanet_fuzz_timeout} LABELS fuzz)
