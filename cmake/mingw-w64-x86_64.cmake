# Cross-building for Windows x86-64 with Debian's MinGW-w64 (posix threads: Qt Test needs
# std::mutex, which the win32-thread compiler lacks) against a static Qt and the libraries
# scripts/windows-deps builds.
#   -DQUORVEX_WINDOWS_QT=<unpacked static Qt>  -DQUORVEX_WINDOWS_DEPS=<its prefix>
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# try_compile projects see these too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUORVEX_WINDOWS_QT QUORVEX_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH ${QUORVEX_WINDOWS_QT} ${QUORVEX_WINDOWS_DEPS} /usr/x86_64-w64-mingw32)
set(CMAKE_PREFIX_PATH ${QUORVEX_WINDOWS_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config answers from the Windows libraries only, never from the host's.
set(ENV{PKG_CONFIG_LIBDIR} ${QUORVEX_WINDOWS_DEPS}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# The MinGW runtime (libgcc, libstdc++, winpthread) linked in: the run-time folder needs no DLLs
# of the compiler's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
