# Shared by the MinGW-w64 toolchain files: compilers for OVENBELL_MINGW_TRIPLE and a static runtime.

# Thread model of the compiler: win32 keeps winpthread (about 30 KB) out of the exe, but GCC 12
# offers std::mutex, which GoogleTest needs, only with posix; so builds with tests use posix.
if(NOT OVENBELL_MINGW_THREADS)
    set(OVENBELL_MINGW_THREADS posix)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES OVENBELL_MINGW_THREADS)

set(CMAKE_C_COMPILER ${OVENBELL_MINGW_TRIPLE}-gcc-${OVENBELL_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${OVENBELL_MINGW_TRIPLE}-g++-${OVENBELL_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${OVENBELL_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${OVENBELL_MINGW_TRIPLE}-objdump CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${OVENBELL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every executable carries its runtime, so it needs no toolchain DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
