# The demo program end to end under a private Xvfb and session bus, driven
# only through XTEST, the tray's bus calls and the demo's key pipe; it writes
# the README's screenshots (to PELMORA_E2E_SHOTS when set). One long test, so
# registered as one CTest test with a timeout to match.
pkg_check_modules(PRODUCT_TEST_DEPS REQUIRED IMPORTED_TARGET cairo x11 xtst libsystemd sqlite3)
add_executable(product_e2e_tests
  ${PROJECT_SOURCE_DIR}/tests/product/DemoDriver.cpp
  ${PROJECT_SOURCE_DIR}/tests/product/PrivateDisplay.cpp
  ${PROJECT_SOURCE_DIR}/tests/product/TrayHost.cpp
  ${PROJECT_SOURCE_DIR}/tests/product/ProductTest.cpp
  ${PROJECT_SOURCE_DIR}/tests/zephui/tray/PrivateSessionBus.cpp)
target_link_libraries(product_e2e_tests PRIVATE PkgConfig::PRODUCT_TEST_DEPS GTest::gtest GTest::gtest_main)
target_include_directories(product_e2e_tests PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(product_e2e_tests PRIVATE
  PELMORA_DEMO_PROGRAM="$<TARGET_FILE:pelmora-keyboard-t40-demo>")
pelmora_warnings(product_e2e_tests)
add_dependencies(product_e2e_tests pelmora-keyboard-t40-demo)
add_test(NAME product_e2e COMMAND product_e2e_tests WORKING_DIRECTORY ${PELMORA_BIN_DIR})
set_tests_properties(product_e2e PROPERTIES LABELS e2e TIMEOUT 900)
