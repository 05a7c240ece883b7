// The block-cipher file format: Twofish, block by block (electronic codebook), over the whole
// file, with no header, padding, salt or check value, so the output is exactly as long as the
// input. A file shorter than one block is left as it is. When the length is not a multiple of the
// block, the short tail is folded into the last full block so that no byte is added:
//
//   encrypting, with Q = E(last full block):  ... E(tail XOR Q[0..r) + Q[r..16)), Q[0..r)
//   decrypting, with X = D(last full block):  ... D(tail + X[r..16)),              X[0..r) XOR tail
//
// The input arrives in pieces of any size, and the output depends only on the bytes, not on the
// pieces. It is settled one 128-byte chunk behind the input: the output of a chunk is handed out
// once the next whole chunk has arrived (or the input has ended), as a reader of 128-byte chunks
// with one chunk of look-ahead hands it out. So what is written before a failed read does not
// depend on the size of the reads either. No platform header here: tested and fuzzed natively.
#pragma once

#include "crypto/twofish.h"

#include <cstddef>
#include <cstdint>

namespace docket::crypto {

enum class CipherDirection { kEncrypt, kDecrypt };

class BlockFileCipher {
 public:
  static constexpr std::size_t kChunkBytes = 128;
  // Input kept back at most: a whole chunk and what has come of the next.
  static constexpr std::size_t kMaxHeldBytes = 2 * kChunkBytes - 1;

  // The cipher must outlive this object.
  BlockFileCipher(const Twofish& cipher, CipherDirection direction);

  // Takes the next `size` bytes of the input and writes the output they settle to `out`, which
  // has room for size + kMaxHeldBytes bytes; returns how many were written.
  std::size_t Update(const std::uint8_t* in, std::size_t size, std::uint8_t* out);
  // After the last input: writes the rest of the output (at most kMaxHeldBytes) to `out`.
  std::size_t Finish(std::uint8_t* out);

  // Whether a write of the output that failed at byte `offset` reports itself as a write of the
  // ciphertext (for any output handed out so far).
  bool FailedWriteNamesCiphertext(std::uint64_t offset) const;

 private:
  const Twofish& cipher_;
  CipherDirection direction_;
  std::uint64_t seen_ = 0;            // input bytes taken so far
  std::uint8_t held_[2 * kChunkBytes];  // input not yet settled (room to complete a block)
  std::size_t heldSize_ = 0;

  // Whole blocks, in the direction of this cipher.
  void Transform(const std::uint8_t* in, std::size_t size, std::uint8_t* out) const;
};

// Decryption names most failed writes as writes of the plaintext, but two of its writes have
// always called themselves writes of the ciphertext, and callers may rely on the text: the copy
// of a file shorter than a block, and, when a file ends 1 to 15 bytes after a whole 128-byte
// chunk, the first 112 bytes of that chunk. True when output byte `offset` of a decrypted file of
// `length` bytes belongs to one of them.
bool DecryptionWriteNamesCiphertext(std::uint64_t length, std::uint64_t offset);

}  // namespace docket::crypto
