# Shared build helpers. Each folder under src/ and tests/ has its own CMakeLists.txt.

# GoogleTest: the system's on Linux, built from Debian's sources for MinGW.
if(WIN32)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QUILLET_GTEST GTest::gtest GTest::gmock)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gmock ALIAS gmock)
  endif()
else()
  find_package(GTest REQUIRED)
  set(QUILLET_GTEST GTest::gtest GTest::gmock)
  include(GoogleTest)
endif()

# quillet_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>] [WIN_ONLY] [NATIVE_ONLY]
#                  [DPIS <dpi...>])
# Builds one test program with gtest's main. Natively every test case becomes a ctest entry;
# under Wine each program is one entry (starting Wine per case would be slow) and prints gtest's
# own summary; with DPIS it runs again in a prefix whose screen is at each of those DPIs.
function(quillet_add_test)
  cmake_parse_arguments(T "WIN_ONLY;NATIVE_ONLY" "NAME" "SOURCES;LIBS;DPIS" ${ARGN})
  if(T_WIN_ONLY AND NOT WIN32)
    return()
  endif()
  if(T_NATIVE_ONLY AND WIN32)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} ${QUILLET_GTEST} quillet_gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  if(WIN32)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_brief=1)
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 600)
    # Once more in a prefix at each DPI asked for (scripts/wine.sh, QUILLET_DPI).
    foreach(dpi ${T_DPIS})
      add_test(NAME ${T_NAME}_${dpi}dpi COMMAND ${T_NAME} --gtest_brief=1)
      set_tests_properties(${T_NAME}_${dpi}dpi PROPERTIES TIMEOUT 600 ENVIRONMENT QUILLET_DPI=${dpi})
    endforeach()
  else()
    gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# quillet_add_bench(NAME <name> SOURCES <files...> [LIBS <targets...>] [WIN_ONLY] [NATIVE_ONLY])
# Benchmark programs land in <build>/bench/, where scripts/bench.sh runs every one of them. Each
# prints lines "name: value unit (ratio N.NN x baseline)" with its baseline measured in the same run.
function(quillet_add_bench)
  cmake_parse_arguments(B "WIN_ONLY;NATIVE_ONLY" "NAME" "SOURCES;LIBS" ${ARGN})
  if((B_WIN_ONLY AND NOT WIN32) OR (B_NATIVE_ONLY AND WIN32))
    return()
  endif()
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS})
  target_include_directories(${B_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/bench)
  set_target_properties(${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# quillet_shipped_program(<target>): the programs we hand out go stripped, without the sections
# nothing refers to, and with a terminate handler that leaves libstdc++'s demangler out.
# (-ffunction-sections does not pay here: ld keeps every function's unwind table entry, and with it
# the function, so the finer sections only cost alignment.)
function(quillet_shipped_program target)
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src/app/terminate_handler.cpp)
  target_link_options(${target} PRIVATE -s -Wl,--gc-sections)
endfunction()
