# Cross-compiling with Debian's mingw-w64, posix threads flavour (it has std::mutex and
# std::thread); the including toolchain file sets DOCKET_TRIPLE, the processor and the widl target.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${DOCKET_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DOCKET_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${DOCKET_TRIPLE}-windres)
set(DOCKET_WIDL        ${DOCKET_TRIPLE}-widl)
set(CMAKE_FIND_ROOT_PATH /usr/${DOCKET_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
