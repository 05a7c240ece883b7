// The block cipher against the published 128-bit vectors; its multi-block paths against its single-block one.
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

// Each step encrypts the previous ciphertext under the previous plaintext as key.
TEST(Twofish, ReproducesThePublishedVectorsForAllZeroAndIteratedKeys) {
  const std::pair<int, const char*> milestones[] = {{1, "9F589F5CF6122C32B6BFEC2F2AE8C35A"},
                                                    {2, "D491DB16E7B1C39E86CB086B789F5419"},
                                                    {3, "019F9809DE1711858FAAC3A3BA20FBC3"},
                                                    {49, "5D9D4EEFFA9151575524F115815A12E0"}};
  Block key{}, plain{}, cipher{}, back{};
  for (int step = 1, next = 0; step <= 49; ++step, key = plain, plain = cipher) {
    const Twofish twofish(key);
    twofish.EncryptBlocks(plain.data(), 1, cipher.data());
    twofish.DecryptBlocks(cipher.data(), 1, back.data());
    EXPECT_EQ(back, plain) << "step " << step;
    if (milestones[next].first == step) {
      EXPECT_EQ(cipher, FromHex(milestones[next++].second)) << "step " << step;
    }
  }
}

// Seven blocks go through both the side-by-side rounds and the single-block rest.
TEST(Twofish, BlocksAreIndependentWhateverTheirNumberAndTheBuffer) {
  const Twofish twofish(FromHex("0123456789ABCDEFFEDCBA9876543210"));
  std::uint8_t plain[7 * 16], cipher[7 * 16], single[16];
  for (size_t i = 0; i < sizeof plain; ++i) plain[i] = static_cast<std::uint8_t>(i * 7 % 64);
  twofish.EncryptBlocks(plain, 7, cipher);
  for (int b = 0; b < 7; ++b) {
    twofish.EncryptBlocks(plain + 16 * b, 1, single);
    EXPECT_EQ(std::memcmp(single, cipher + 16 * b, 16), 0) << "block " << b;
  }
  twofish.DecryptBlocks(cipher, 7, cipher);  // in place
  EXPECT_EQ(std::memcmp(cipher, plain, sizeof plain), 0);
}

}  // namespace
