# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with Debian's mingw-w64. The posix thread model, since the core
# uses std::thread and std::mutex; everything linked statically, so the programs run without DLLs
# beside them. TRIVALTO_RADICI_WIN lists the prefixes of the libraries built for Windows (the cache
# of scripts/windows.sh): they are searched instead of the host's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TRIPLETTA x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TRIPLETTA}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRIPLETTA}-g++-posix)
set(CMAKE_RC_COMPILER ${TRIPLETTA}-windres)
set(CMAKE_AR ${TRIPLETTA}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${TRIPLETTA}-ranlib CACHE FILEPATH "")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Static archives only: a DLL's import library found instead would clash with -static.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)

if(NOT DEFINED TRIVALTO_RADICI_WIN AND DEFINED ENV{TRIVALTO_RADICI_WIN})
  set(TRIVALTO_RADICI_WIN "$ENV{TRIVALTO_RADICI_WIN}")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TRIVALTO_RADICI_WIN)
set(CMAKE_FIND_ROOT_PATH /usr/${TRIPLETTA} ${TRIVALTO_RADICI_WIN})
set(CMAKE_PREFIX_PATH ${TRIVALTO_RADICI_WIN})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must see only the Windows libraries' files, never the host's.
set(_pc "")
foreach(r IN LISTS TRIVALTO_RADICI_WIN)
  string(APPEND _pc "${r}/lib/pkgconfig:")
endforeach()
set(ENV{PKG_CONFIG_LIBDIR} "${_pc}")
set(ENV{PKG_CONFIG_PATH} "")
