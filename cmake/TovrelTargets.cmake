# One library per folder of src/, one test program per folder, each test labelled
# with its layer so that `ctest -L <layer>` runs one area.

# tovrel_add_library(<name> SOURCES ... [DEPS ...] [PRIVATE_DEPS ...])
# Creates static library tovrel_<name> with alias tovrel::<name>; headers are
# included as "<folder>/<File>.h" relative to src/.
function(tovrel_add_library name)
  cmake_parse_arguments(L "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(tovrel_${name} STATIC ${L_SOURCES})
  add_library(tovrel::${name} ALIAS tovrel_${name})
  target_include_directories(tovrel_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(tovrel_${name} PUBLIC ${L_DEPS} Threads::Threads PRIVATE ${L_PRIVATE_DEPS})
endfunction()

# Environment every test runs in: no display, no sound device.
set(TOVREL_TEST_ENVIRONMENT
  "SDL_AUDIODRIVER=dummy"
  "SDL_VIDEODRIVER=dummy"
  "TOVREL_BACKEND=headless"
  "TOVREL_TEST_MEDIA_DIR=${CMAKE_BINARY_DIR}/test-media"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
  "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=${CMAKE_SOURCE_DIR}/tests/tsan-suppressions.txt")

# tovrel_add_test_program(<name> LABEL <layer> SOURCES ... [LIBS ...])
function(tovrel_add_test_program name)
  cmake_parse_arguments(T "" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 120
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS "${T_LABEL}" TIMEOUT 600)
  # gtest_discover_tests flattens list-valued properties (only the first variable would
  # survive), so the environment is set by a script ctest runs after discovery.
  set(environment_script "${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake")
  file(WRITE "${environment_script}"
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT [==[${TOVREL_TEST_ENVIRONMENT}]==])\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${environment_script}")
endfunction()

# tovrel_add_fuzzer(<name> SOURCES ... LIBS ... [DEFINITIONS ...])
# A libFuzzer program, built only with TOVREL_BUILD_FUZZERS (which instruments
# the libraries too); its body is shared with a replay test of the normal suite.
function(tovrel_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS;DEFINITIONS" ${ARGN})
  if(NOT TOVREL_BUILD_FUZZERS)
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_compile_definitions(${name} PRIVATE ${F_DEFINITIONS})
endfunction()

# Adds every listed subfolder that has a CMakeLists.txt, so areas can land one by one.
function(tovrel_add_present_subdirectories)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
