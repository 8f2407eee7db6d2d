# libFuzzer builds: every library is instrumented for coverage and checked by
# AddressSanitizer and UndefinedBehaviorSanitizer; the fuzz targets in fuzz/ add
# libFuzzer's own main.
if(NOT VEVADUDORI_FUZZ)
  return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "VEVADUDORI_FUZZ needs clang (libFuzzer); configure with CMAKE_CXX_COMPILER=clang++")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
