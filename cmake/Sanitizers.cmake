# DAC_EVAL_SANITIZE=ON builds every target of the project, the test suites and the stand-in driver
# libraries included, under AddressSanitizer and UndefinedBehaviorSanitizer. Every report stops
# the program (no recovery), so a test that triggers one fails.
option(DAC_EVAL_SANITIZE "Build everything under AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(DAC_EVAL_SANITIZE)
  if(MSVC)
    message(FATAL_ERROR "DAC_EVAL_SANITIZE needs GCC or Clang")
  endif()
  set(dac_eval_sanitizer_flags -fsanitize=address,undefined -fno-sanitize-recover=all
                               -fno-omit-frame-pointer)
  add_compile_options(${dac_eval_sanitizer_flags})
  # Executables and shared libraries alike: the stand-in driver libraries are loaded with dlopen
  # into a sanitized test and take the runtime from it.
  add_link_options(-fsanitize=address,undefined)
endif()
