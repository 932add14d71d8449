# 64-bit Windows; this build is also the one the Wine-hosted tests run, because a
# 64-bit host without 32-bit user-space support cannot execute the 32-bit build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
