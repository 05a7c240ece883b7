// A write must not pass as done while bytes are left over.
#include "streams/write_fully.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using docket::streams::kWriteMadeNoProgress;
using docket::streams::WriteFully;

// A device that takes at most `limits[i]` bytes on its i-th call (the last limit repeats), or
// fails with `failOnCall`'s error.
struct StingyDevice {
  explicit StingyDevice(std::vector<std::uint32_t> takes, int failingCall = -1,
                        std::uint32_t error = 112)
      : limits(std::move(takes)), failOnCall(failingCall), failure(error) {}

  std::vector<std::uint32_t> limits;
  int failOnCall;
  std::uint32_t failure;
  std::string received;
  int calls = 0;

  std::uint32_t operator()(const char* data, std::uint32_t size, std::uint32_t* written) {
    const int call = calls++;
    if (call == failOnCall) return failure;
    const std::uint32_t limit = limits[std::min<std::size_t>(call, limits.size() - 1)];
    *written = std::min(size, limit);
    received.append(data, *written);
    return 0;
  }
};

TEST(WriteFully, ShortWritesAreContinuedUntilEveryByteIsWritten) {
  const std::string text = "0123456789";
  StingyDevice device({3});
  EXPECT_EQ(WriteFully(text.data(), 10, std::ref(device)), 0u);
  EXPECT_EQ(device.received, text);
  EXPECT_EQ(device.calls, 4);
}

TEST(WriteFully, AWriteThatTakesNothingIsAFailureNotASuccess) {
  const std::string text = "0123456789";
  StingyDevice device({4, 0});
  EXPECT_EQ(WriteFully(text.data(), 10, std::ref(device)), kWriteMadeNoProgress);
  EXPECT_EQ(device.received, "0123");
}

TEST(WriteFully, ThePlatformsOwnFailureWinsAndStopsTheWriting) {
  const std::string text = "0123456789";
  StingyDevice device({6}, 1);
  EXPECT_EQ(WriteFully(text.data(), 10, std::ref(device)), 112u);
  EXPECT_EQ(device.calls, 2);
}

TEST(WriteFully, NothingToWriteStillAsksThePlatformOnce) {
  StingyDevice device({0});
  EXPECT_EQ(WriteFully("", 0, std::ref(device)), 0u);
  EXPECT_EQ(device.calls, 1);
  StingyDevice failing({0}, 0, 6);
  EXPECT_EQ(WriteFully("", 0, std::ref(failing)), 6u) << "a closed handle still fails";
}

TEST(WriteFully, AWriterClaimingMoreThanItWasGivenCannotOverrun) {
  const std::string text = "abc";
  std::uint32_t calls = 0;
  auto boastful = [&](const char*, std::uint32_t, std::uint32_t* written) {
    ++calls;
    *written = 1000;
    return 0u;
  };
  EXPECT_EQ(WriteFully(text.data(), 3, boastful), 0u);
  EXPECT_EQ(calls, 1u);
}

}  // namespace
