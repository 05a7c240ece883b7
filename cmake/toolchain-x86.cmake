# Cross-compile the module for 32-bit Windows with Debian's mingw-w64 (posix threads flavour,
# which has std::mutex and std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(DOCKET_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${DOCKET_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DOCKET_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${DOCKET_TRIPLE}-windres)
set(DOCKET_WIDL        ${DOCKET_TRIPLE}-widl)
set(DOCKET_WIDL_TARGET --win32)
set(CMAKE_FIND_ROOT_PATH /usr/${DOCKET_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
