# Cross toolchain: 64-bit Windows with MinGW-w64's POSIX thread model, for
# machines whose kernel runs no 32-bit code (there Wine's 32-bit loader, and
# with it Debian's `wine` wrapper, cannot start). The same sources build
# here; test executables run under Wine's 64-bit loader, called directly.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Debian keeps the 64-bit loader off PATH (package wine64).
find_program(PELTORA_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_DEFAULT_PATH)
if(NOT PELTORA_WINE64)
  find_program(PELTORA_WINE64 NAMES wine64 REQUIRED)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${PELTORA_WINE64})
