# Test executables built for Windows run under Wine. One prefix per test run lives in the
# build tree; a CTest fixture starts a persistent wineserver before the first test and
# stops it after the last one.
set(VEXLO_TEST_PROPERTIES "")
if(WIN32 AND VEXLO_USE_WINE)
  set(VEXLO_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
                 @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh CACHE FILEPATH "" FORCE)
  add_test(NAME wine.start COMMAND ${CMAKE_BINARY_DIR}/wine-run.sh --start)
  add_test(NAME wine.stop COMMAND ${CMAKE_BINARY_DIR}/wine-run.sh --stop)
  set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)
  set(VEXLO_TEST_PROPERTIES FIXTURES_REQUIRED wine)
endif()
