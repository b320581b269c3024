# The portable suite as 32-bit Linux code (g++ -m32), for machines whose kernel
# runs no 32-bit programs: ctest runs each test under qemu-i386, which
# translates the program's instructions itself. What ships is 32-bit code, so
# the portable code is tested as such even where 32-bit Wine cannot run.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386 -L /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
