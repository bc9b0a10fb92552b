# CMake toolchain for cross building to 64-bit Windows with Debian's MinGW-w64.
# The -posix compilers, because the -win32 ones have no std::thread/std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
# The libraries cross-built for the workbooks (scripts/windows_xlsx_deps.sh:
# zlib, minizip, libxlsxwriter) live in the Qt prefix: libraries are found
# there too, and pkg-config reads their .pc files, never the host's.
if(DEFINED ENV{TARVELO_QT_MINGW})
  list(APPEND CMAKE_FIND_ROOT_PATH "$ENV{TARVELO_QT_MINGW}")
  set(ENV{PKG_CONFIG_LIBDIR} "$ENV{TARVELO_QT_MINGW}/lib/pkgconfig")
endif()
