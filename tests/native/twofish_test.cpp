// The block cipher against the published 128-bit test vectors, and its multi-block paths against
// its single-block one.
#include "crypto/twofish.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

namespace {

using docket::crypto::Twofish;
using Block = std::array<std::uint8_t, 16>;

Block FromHex(const char* hex) {
  Block block{};
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(std::stoi(std::string(hex + 2 * i, 2), nullptr, 16));
  return block;
}

TEST(Twofish, ReproducesThePublishedVectorsForAllZeroAndIteratedKeys) {
  // Each step encrypts the previous ciphertext under the previous plaintext as key.
  const struct {
    int step;
    const char* ciphertext;
  } milestones[] = {{1, "9F589F5CF6122C32B6BFEC2F2AE8C35A"},
                    {2, "D491DB16E7B1C39E86CB086B789F5419"},
                    {3, "019F9809DE1711858FAAC3A3BA20FBC3"},
                    {49, "5D9D4EEFFA9151575524F115815A12E0"}};
  Block key{}, plain{}, cipher{}, back{};
  const auto* next = std::begin(milestones);
  for (int step = 1; step <= 49; ++step) {
    const Twofish twofish(key);
    twofish.EncryptBlocks(plain.data(), 1, cipher.data());
    twofish.DecryptBlocks(cipher.data(), 1, back.data());
    EXPECT_EQ(back, plain) << "step " << step;
    if (next != std::end(milestones) && next->step == step) {
      EXPECT_EQ(cipher, FromHex(next->ciphertext)) << "step " << step;
      ++next;
    }
    key = plain;
    plain = cipher;
  }
}

TEST(Twofish, BlocksAreIndependentWhateverTheirNumberAndTheBuffer) {
  // Seven blocks go through both the side-by-side rounds and the single-block rest.
  const Block key = FromHex("0123456789ABCDEFFEDCBA9876543210");
  const Twofish twofish(key);
  std::uint8_t plain[7 * 16], cipher[7 * 16];
  for (size_t i = 0; i < sizeof plain; ++i) plain[i] = static_cast<std::uint8_t>(i * 7 % 64);
  std::memcpy(plain + 5 * 16, plain + 16, 16);  // blocks 1 and 5 equal
  twofish.EncryptBlocks(plain, 7, cipher);
  for (int b = 0; b < 7; ++b) {
    std::uint8_t single[16];
    twofish.EncryptBlocks(plain + 16 * b, 1, single);
    EXPECT_EQ(std::memcmp(single, cipher + 16 * b, 16), 0) << "block " << b;
  }
  EXPECT_EQ(std::memcmp(cipher + 16, cipher + 5 * 16, 16), 0) << "equal blocks, equal ciphertext";

  std::uint8_t inPlace[sizeof cipher];
  std::memcpy(inPlace, cipher, sizeof cipher);
  twofish.DecryptBlocks(inPlace, 7, inPlace);
  EXPECT_EQ(std::memcmp(inPlace, plain, sizeof plain), 0);
}

}  // namespace
