# ASan + UBSan for the test build. Applied to every target, so the library,
# the program's subsystems and the tests are instrumented alike.
if(PELMORA_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_compile_options(${_san})
  add_link_options(${_san})
endif()
