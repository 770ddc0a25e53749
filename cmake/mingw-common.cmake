# Shared part of the two mingw toolchain files. Everything is linked statically so the
# program needs only the system DLLs. The "win32" compiler variant links no thread library of
# its own: the program has one thread, and the POSIX variant's library imports functions that
# Windows 95, 98 and NT 4.0 do not have.
set(CMAKE_C_COMPILER ${TAVRIN_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TAVRIN_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${TAVRIN_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVRIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Test programs run through this wrapper, which points Wine at the build's private prefix and display.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/harness/wine-run)
