# Shared part of the mingw-w64 toolchain files; the including file sets VENTRIO_TRIPLET. The
# -posix compilers are the ones with std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VENTRIO_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VENTRIO_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VENTRIO_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VENTRIO_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
