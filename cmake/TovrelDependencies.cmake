# Debian's packages, found through pkg-config. The media engine binds FFmpeg and SDL
# at run time, so its targets only get the headers (tovrel::ffmpeg_headers,
# tovrel::sdl2_headers); test support code may link the libraries directly.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET
  libavcodec>=59 libavformat>=59 libavutil>=57 libavfilter>=8 libswscale>=6 libswresample>=4)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(ZLIB REQUIRED IMPORTED_TARGET zlib)
find_package(JPEG REQUIRED)
find_package(GIF REQUIRED)

add_library(tovrel_ffmpeg_headers INTERFACE)
target_include_directories(tovrel_ffmpeg_headers SYSTEM INTERFACE ${FFMPEG_INCLUDE_DIRS})
add_library(tovrel::ffmpeg_headers ALIAS tovrel_ffmpeg_headers)

add_library(tovrel_sdl2_headers INTERFACE)
target_include_directories(tovrel_sdl2_headers SYSTEM INTERFACE ${SDL2_INCLUDE_DIRS})
add_library(tovrel::sdl2_headers ALIAS tovrel_sdl2_headers)

if(TOVREL_BUILD_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()
if(TOVREL_BUILD_BENCH)
  find_package(benchmark QUIET)
endif()
