# Hardening of the Linux programs (the ones the .deb ships among them), as
# Debian builds its packages: fortified C library calls where the compiler
# optimises, a stack protector, position-independent executables, and
# relocations resolved at start and then made read-only. The sanitizer and
# fuzzer builds, the Windows program and the browser build keep their own
# flags.
if(NOT WIN32 AND NOT EMSCRIPTEN AND NOT FLICKERMOTH_SANITIZE AND NOT FLICKERMOTH_FUZZ)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-fstack-protector-strong
                      "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>")
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
