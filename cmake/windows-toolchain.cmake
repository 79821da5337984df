# Cross-builds for 64-bit Windows with Debian's mingw-w64 (the posix thread model, which
# the C++ threads in SDL2's dependants need). Pass the libraries' prefix as
# -DCMAKE_FIND_ROOT_PATH=PREFIX; the compiler's own folder is added here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(PKG_CONFIG_EXECUTABLE x86_64-w64-mingw32-pkg-config)
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# ld orders a program's imports by the paths of the libraries they come from. Named as
# /./usr/..., the system's sort before any folder the other libraries may lie in, so the
# order, and the bytes, are the same wherever those were built.
set(system_libraries "-L/./usr/x86_64-w64-mingw32/lib")
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " ${system_libraries}")
string(APPEND CMAKE_SHARED_LINKER_FLAGS_INIT " ${system_libraries}")
