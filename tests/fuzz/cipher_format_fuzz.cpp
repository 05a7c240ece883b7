// The block-cipher file format under any key and cutting into pieces equals its rules applied to
// the whole input (a tail takes the end of the last block's ciphertext, a file shorter than a
// block stays as it is) and decrypts, cut up otherwise, to the input.
// Input: 16 key bytes, 2 bytes that seed the piece sizes, then the file's contents.
#include "crypto/block_file_cipher.h"

#include "fuzz_check.h"

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace {

using namespace docket::crypto;
using Bytes = std::vector<std::uint8_t>;

// The format over `input` in pieces of 1 to 300 bytes, in a sequence `seed` decides.
Bytes RunInPieces(const Twofish& cipher, CipherDirection direction, const Bytes& input, std::uint32_t seed) {
  BlockFileCipher format(cipher, direction);
  Bytes out(input.size() + BlockFileCipher::kMaxHeldBytes);
  size_t written = 0;
  for (size_t at = 0, size = 0; at < input.size(); at += size) {
    seed = seed * 1103515245u + 12345u;
    size = std::min<size_t>(1 + (seed >> 16) % 300, input.size() - at);
    written += format.Update(input.data() + at, size, out.data() + written);
  }
  out.resize(written + format.Finish(out.data() + written));
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
  const Twofish cipher(std::span<const std::uint8_t, 16>(data, 16));
  const std::uint32_t seed = data[16] | data[17] << 8;
  const Bytes plain(data + 18, data + size);
  const Bytes encrypted = RunInPieces(cipher, CipherDirection::kEncrypt, plain, seed);
  FUZZ_CHECK(encrypted == EncryptWhole(cipher, plain));
  FUZZ_CHECK(RunInPieces(cipher, CipherDirection::kDecrypt, encrypted, seed ^ 0x5555u) == plain);
  return 0;
}
