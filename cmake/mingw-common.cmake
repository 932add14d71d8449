# Shared by both MinGW-w64 toolchain files.
#
# ORBIQUELL_MINGW_THREADS chooses the compilers' thread model, and with it what
# the build tree may hold:
# - win32 (the default): everything that ships or that the end-to-end tests
#   start. These compilers link no threads runtime; the program has one thread.
# - posix: only the Windows test programs that link GoogleTest. Debian's
#   GoogleTest needs std::mutex, which the win32 model's libstdc++ lacks. The
#   posix compilers link winpthreads in statically, and it imports
#   GetTickCount64 (Vista), AddVectoredExceptionHandler (XP) and
#   TryEnterCriticalSection (NT family only), so an exe built with them would
#   not even load on the older Windows the program is for.
set(ORBIQUELL_MINGW_THREADS win32 CACHE STRING "MinGW-w64 thread model: win32 or posix")
set_property(CACHE ORBIQUELL_MINGW_THREADS PROPERTY STRINGS win32 posix)
if(NOT ORBIQUELL_MINGW_THREADS MATCHES "^(win32|posix)$")
    message(FATAL_ERROR "ORBIQUELL_MINGW_THREADS must be win32 or posix")
endif()

set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-${ORBIQUELL_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-${ORBIQUELL_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Linked statically, so that nothing but the system's own DLLs is needed; each
# function and object in a section of its own, so that the linker drops what
# nothing calls.
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")

# Windows test executables run under Wine, so ctest treats them like native ones.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
