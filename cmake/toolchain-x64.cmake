# The 64-bit module, page host and tests.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(DOCKET_TRIPLE x86_64-w64-mingw32)
set(DOCKET_WIDL_TARGET --win64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
