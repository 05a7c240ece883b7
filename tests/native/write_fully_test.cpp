// A write must not pass as done while bytes are left over.
#include "streams/write_fully.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using docket::streams::WriteFully;

struct StingyDevice {
  std::vector<std::uint32_t> takes;  // the bytes each call takes, the last repeating
  int failing = -1;                  // the call (from 0) that fails with error 112
  std::string received = {};
  int calls = 0;
  std::uint32_t operator()(const char* data, std::uint32_t size, std::uint32_t* written) {
    if (calls++ == failing) return 112;
    *written = std::min(size, takes[std::min<std::size_t>(calls - 1, takes.size() - 1)]);
    received.append(data, *written);
    return 0;
  }
};

TEST(WriteFully, ShortWritesContinueAndNoProgressOrAPlatformErrorFails) {
  const std::string text = "0123456789";
  StingyDevice stingy{{3}}, stuck{{4, 0}}, failing{{6}, 1}, idle{{0}}, closed{{0}, 0};
  EXPECT_EQ(WriteFully(text.data(), 10, std::ref(stingy)), 0u);
  EXPECT_EQ(std::tie(stingy.received, stingy.calls), std::tuple(text, 4));
  EXPECT_EQ(WriteFully(text.data(), 10, std::ref(stuck)), docket::streams::kWriteMadeNoProgress);
  EXPECT_EQ(stuck.received, "0123") << "never a silent success";
  EXPECT_EQ(WriteFully(text.data(), 10, std::ref(failing)), 112u);
  EXPECT_EQ(failing.calls, 2);
  // Nothing to write still asks the platform once: a closed handle fails.
  EXPECT_EQ(WriteFully("", 0, std::ref(idle)), 0u);
  EXPECT_EQ(idle.calls, 1);
  EXPECT_EQ(WriteFully("", 0, std::ref(closed)), 112u);
}

}  // namespace
