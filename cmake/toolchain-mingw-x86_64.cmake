# Cross build as PE32+ (x86-64) with mingw-w64, posix thread model: the same code as the
# PE32 deliverables, used to run the Windows tests where 32-bit Wine cannot run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZAVOTRA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${ZAVOTRA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZAVOTRA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${ZAVOTRA_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZAVOTRA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
