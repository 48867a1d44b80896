set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KORVANY_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# 64-bit Windows programs run here under Wine (the emulator is set up in
# the top CMakeLists.txt, where the build tree is known).
set(KORVANY_WINE ON)
