// The block-cipher file format under any key, any input and any cutting of the input into pieces:
// the output equals the format's rules applied to the whole input at once, has the input's length,
// and decrypts, cut up differently again, to the input.
// Input: 16 key bytes, 2 bytes that seed the piece sizes, then the file's contents.
#include "crypto/block_file_cipher.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using namespace docket::crypto;
using Bytes = std::vector<std::uint8_t>;

// Piece sizes from 1 to 300, in a sequence the seed decides.
struct PieceSizes {
  std::uint32_t state;
  size_t Next() {
    state = state * 1103515245u + 12345u;
    return 1 + (state >> 16) % 300;
  }
};

Bytes RunInPieces(const Twofish& cipher, CipherDirection direction, const Bytes& input, PieceSizes sizes) {
  BlockFileCipher format(cipher, direction);
  Bytes out(input.size() + BlockFileCipher::kMaxHeldBytes);
  size_t written = 0;
  for (size_t at = 0; at < input.size();) {
    const size_t size = std::min(sizes.Next(), input.size() - at);
    written += format.Update(input.data() + at, size, out.data() + written);
    at += size;
  }
  written += format.Finish(out.data() + written);
  out.resize(written);
  return out;
}

Bytes EncryptWhole(const Twofish& cipher, const Bytes& plain) {
  Bytes out = plain;
  const size_t blocks = plain.size() / 16, tail = plain.size() % 16;
  if (blocks == 0) return out;
  cipher.EncryptBlocks(plain.data(), blocks, out.data());
  if (tail == 0) return out;
  std::uint8_t* last = out.data() + (blocks - 1) * 16;
  std::uint8_t q[16], mixed[16];
  std::memcpy(q, last, 16);
  for (size_t j = 0; j < 16; ++j) mixed[j] = j < tail ? plain[blocks * 16 + j] ^ q[j] : q[j];
  cipher.EncryptBlocks(mixed, 1, last);
  std::memcpy(last + 16, q, tail);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size < 18) return 0;
  std::uint8_t key[16];
  std::memcpy(key, data, 16);
  const Twofish cipher(key);
  const std::uint32_t seed = data[16] | data[17] << 8;
  const Bytes plain(data + 18, data + size);

  const Bytes encrypted = RunInPieces(cipher, CipherDirection::kEncrypt, plain, PieceSizes{seed});
  if (encrypted != EncryptWhole(cipher, plain)) std::abort();
  if (RunInPieces(cipher, CipherDirection::kDecrypt, encrypted, PieceSizes{seed ^ 0x5555u}) != plain) std::abort();
  return 0;
}
