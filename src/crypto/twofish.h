// The Twofish block cipher with 128-bit keys: 16-byte blocks, 16 rounds, full keying (the
// key-dependent S-boxes and the MDS matrix folded into four tables when the key is set up, so
// that a round is table look-ups, additions and rotations only). Blocks are independent of each
// other; chaining, if any, is the caller's. No platform header here: the cipher is tested and
// fuzzed natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace docket::crypto {

class Twofish {
 public:
  static constexpr std::size_t kBlockBytes = 16;
  static constexpr std::size_t kKeyBytes = 16;

  // Sets up the key state once; it then serves any number of blocks in both directions.
  explicit Twofish(std::span<const std::uint8_t, kKeyBytes> key);

  // `blocks` whole blocks from `in` to `out`, which may be the same buffer.
  void EncryptBlocks(const std::uint8_t* in, std::size_t blocks, std::uint8_t* out) const;
  void DecryptBlocks(const std::uint8_t* in, std::size_t blocks, std::uint8_t* out) const;

 private:
  std::uint32_t subkeys_[40];        // 8 whitening words, then two words per round
  std::uint32_t sboxes_[4][256];     // key-dependent S-box times one MDS column, per input byte

  std::uint32_t G0(std::uint32_t x) const;  // the g function of x
  std::uint32_t G1(std::uint32_t x) const;  // the g function of x rotated left by 8 bits

  // Blocks that go through the rounds side by side. Three keep the processor busy while look-ups
  // wait; two or four also tempt compilers to pack the lanes into vector registers, which costs
  // more than it saves, since every look-up needs its byte back out.
  static constexpr int kLanes = 3;
  template <int kWidth>
  void EncryptLanes(const std::uint8_t* in, std::uint8_t* out) const;
  template <int kWidth>
  void DecryptLanes(const std::uint8_t* in, std::uint8_t* out) const;
};

}  // namespace docket::crypto
