# GoogleTest: Debian's library natively, built from Debian's source when cross-compiling
# for Windows; a native Windows build uses its installed package. The source counts as the
# package: hiding GTest from CMake hides it too.
if(QUELMARN_CROSS_WINDOWS AND NOT CMAKE_DISABLE_FIND_PACKAGE_GTest)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_library(quelmarn_gtest INTERFACE)
  target_link_libraries(quelmarn_gtest INTERFACE gmock gtest_main)
else()
  find_package(GTest REQUIRED)
  add_library(quelmarn_gtest INTERFACE)
  target_link_libraries(quelmarn_gtest INTERFACE GTest::gmock GTest::gtest_main)
endif()

include(GoogleTest)

if(QUELMARN_CROSS_WINDOWS)
  # One Wine prefix per build tree, created (headless) before any test runs and
  # shut down after the last one.
  add_test(NAME wine_prefix_start COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run --prefix ${QUELMARN_WINEPREFIX} --start)
  add_test(NAME wine_prefix_stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run --prefix ${QUELMARN_WINEPREFIX} --stop)
  set_tests_properties(wine_prefix_start PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300)
  set_tests_properties(wine_prefix_stop PROPERTIES FIXTURES_CLEANUP wine_prefix)
endif()

# Registers a GoogleTest executable with CTest. Natively each test case is its own
# CTest test; under Wine each executable runs whole, since every Wine start costs time.
function(quelmarn_add_gtest target)
  target_link_libraries(${target} PRIVATE quelmarn_gtest)
  if(QUELMARN_CROSS_WINDOWS)
    add_test(NAME ${target} COMMAND ${target} --gtest_color=no)
    set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 900)
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
