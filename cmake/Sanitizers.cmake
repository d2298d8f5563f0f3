# ASan + UBSan for the test build. Applied to every target, so the library,
# the program's subsystems and the tests are instrumented alike.
if(PELMORA_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_compile_options(${_san})
  add_link_options(${_san})
  # g++ 12's flow analysis is confused by the sanitizers' instrumentation and
  # reports uninitialised values inside libstdc++ (std::regex, std::function);
  # the plain build keeps the warning as an error.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-maybe-uninitialized)
  endif()
endif()

# Fuzz builds instrument every target for coverage, so the fuzzer sees inside
# the product code and not only inside the harness.
if(FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# ThreadSanitizer for the thread-heavy tests; cannot be combined with ASan.
option(PELMORA_TSAN "Build with ThreadSanitizer" OFF)
if(PELMORA_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
