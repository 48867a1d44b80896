set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KORVANY_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# No emulator: this machine's kernel runs no 32-bit code, so the 32-bit
# build is compiled and linked but its tests are not run.
