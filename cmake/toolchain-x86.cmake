# The 32-bit module (compile check: Wine here runs 64-bit programs only).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(DOCKET_TRIPLE i686-w64-mingw32)
set(DOCKET_WIDL_TARGET --win32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
