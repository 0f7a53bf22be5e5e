# DAC_EVAL_FUZZ=ON builds the libFuzzer targets of fuzz/ with Clang. The chip model and the board
# link are compiled with coverage instrumentation and the address and undefined-behaviour
# checks, so the fuzzer is guided through their branches and stops at the first report.
option(DAC_EVAL_FUZZ "Build the libFuzzer targets (needs Clang)" OFF)

if(DAC_EVAL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "DAC_EVAL_FUZZ needs Clang (e.g. -DCMAKE_CXX_COMPILER=clang++-14)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
endif()

# One fuzz target: `name` from `source`, linked with the libFuzzer driver.
function(dac_eval_fuzz_target name source)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${ARGN})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  dac_eval_warnings(${name})
endfunction()
