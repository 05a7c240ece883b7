// A write must not pass as done while bytes are left over.
#include "streams/write_fully.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using docket::streams::kWriteMadeNoProgress;
using docket::streams::WriteFully;

// A device that takes at most takes[i] bytes on its i-th call (the last repeats) and fails on
// call `failing` with error 112.
struct StingyDevice {
  std::vector<std::uint32_t> takes;
  int failing = -1;
  std::string received;
  int calls = 0;

  std::uint32_t operator()(const char* data, std::uint32_t size, std::uint32_t* written) {
    const int call = calls++;
    if (call == failing) return 112;
    *written = std::min(size, takes[std::min<std::size_t>(call, takes.size() - 1)]);
    received.append(data, *written);
    return 0;
  }
};

TEST(WriteFully, ShortWritesContinueAndNoProgressOrAPlatformErrorFails) {
  const std::string text = "0123456789";
  StingyDevice stingy{{3}, -1, {}, 0};
  EXPECT_EQ(WriteFully(text.data(), 10, std::ref(stingy)), 0u);
  EXPECT_EQ(stingy.received, text);
  EXPECT_EQ(stingy.calls, 4);

  StingyDevice stuck{{4, 0}, -1, {}, 0};
  EXPECT_EQ(WriteFully(text.data(), 10, std::ref(stuck)), kWriteMadeNoProgress) << "never a silent success";
  EXPECT_EQ(stuck.received, "0123");

  StingyDevice failing{{6}, 1, {}, 0};
  EXPECT_EQ(WriteFully(text.data(), 10, std::ref(failing)), 112u);
  EXPECT_EQ(failing.calls, 2);
}

TEST(WriteFully, NothingToWriteStillAsksThePlatformOnce) {
  StingyDevice idle{{0}, -1, {}, 0};
  EXPECT_EQ(WriteFully("", 0, std::ref(idle)), 0u);
  EXPECT_EQ(idle.calls, 1);
  StingyDevice closed{{0}, 0, {}, 0};
  EXPECT_EQ(WriteFully("", 0, std::ref(closed)), 112u) << "a closed handle still fails";
}

}  // namespace
