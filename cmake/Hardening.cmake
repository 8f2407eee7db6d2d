# Compiler and linker hardening for every build made with GCC or Clang: stack
# canaries, a position-independent executable and, where the linker is ELF, a
# read-only relocation table.
# Fortified libc calls need optimisation and would hide errors from the
# sanitizers, so they are added only to optimised builds without them.
if(MSVC)
  return()
endif()

# Windows executables are relocatable already: MinGW's linker marks them for
# address-space randomisation (dynamicbase, high-entropy-va) and DEP by default.
if(NOT WIN32)
  include(CheckPIESupported)
  check_pie_supported(OUTPUT_VARIABLE pie_output LANGUAGES CXX)
  if(NOT CMAKE_CXX_LINK_PIE_SUPPORTED)
    message(WARNING "The linker cannot make a position-independent executable: ${pie_output}")
  endif()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()

add_compile_options(-fstack-protector-strong)
# MinGW's canary checks live in libssp, which only the flag at link time brings in.
if(MINGW)
  add_link_options(-fstack-protector-strong)
endif()
# Only ELF linkers know a read-only relocation table; MinGW's and Apple's refuse the options.
if(CMAKE_EXECUTABLE_FORMAT STREQUAL "ELF")
  add_link_options(LINKER:-z,relro,-z,now)
endif()
if(NOT VEVADUDORI_SANITIZE AND NOT VEVADUDORI_FUZZ)
  add_compile_options("$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
endif()
