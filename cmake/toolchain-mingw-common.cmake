# Shared by the MinGW-w64 toolchain files: compilers for OVENBELL_MINGW_TRIPLE and a static runtime.
# The posix thread model, since GoogleTest needs std::mutex; -static links winpthread in as well.
set(CMAKE_C_COMPILER ${OVENBELL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OVENBELL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${OVENBELL_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${OVENBELL_MINGW_TRIPLE}-objdump CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${OVENBELL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every executable carries its runtime, so it needs no toolchain DLLs beside it.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -static -static-libgcc -static-libstdc++")
