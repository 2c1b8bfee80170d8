# 64-bit Windows: the same program, built so that 64-bit Wine can run it and its tests here.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
