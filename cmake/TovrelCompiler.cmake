# Compiler settings shared by every target: warnings, sanitizers, ccache.
find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

add_compile_options(-Wall -Wextra)
if(TOVREL_WERROR)
  add_compile_options(-Werror)
endif()

if(TOVREL_SANITIZER STREQUAL "asan")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(TOVREL_SANITIZER STREQUAL "tsan")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT TOVREL_SANITIZER STREQUAL "")
  message(FATAL_ERROR "TOVREL_SANITIZER must be empty, asan or tsan")
endif()

# The fuzz build instruments every library, not only the harnesses: coverage
# must reach the parsers for the fuzzer to find its way through them, and a
# fault inside a library must stop the run where it happens. The harnesses
# add the fuzzer's own main (see tovrel_add_fuzzer). -O1 keeps a million runs
# within minutes; assertions stay on.
if(TOVREL_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TOVREL_BUILD_FUZZERS needs clang (CC=clang CXX=clang++)")
  endif()
  if(TOVREL_SANITIZER STREQUAL "tsan")
    message(FATAL_ERROR "TOVREL_BUILD_FUZZERS runs with the address sanitizer, not tsan")
  endif()
  add_compile_options(-O1 -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
