// Test entry point: the tests run on a single-threaded apartment, as a page's script does.
#include "com/win.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  testing::InitGoogleTest(&argc, argv);
  const int rc = RUN_ALL_TESTS();
  ::CoUninitialize();
  return rc;
}
