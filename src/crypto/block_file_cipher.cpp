#include "crypto/block_file_cipher.h"

#include <cstring>

namespace docket::crypto {
namespace {

using Byte = std::uint8_t;
constexpr std::size_t kBlock = Twofish::kBlockBytes;
constexpr std::size_t kChunk = BlockFileCipher::kChunkBytes;

// Where the settled output ends once `seen` input bytes have arrived: before the last whole chunk.
std::uint64_t SettledEnd(std::uint64_t seen) { return seen < kChunk ? 0 : (seen / kChunk - 1) * kChunk; }

}  // namespace

BlockFileCipher::BlockFileCipher(const Twofish& cipher, CipherDirection direction)
    : cipher_(cipher), direction_(direction) {}

void BlockFileCipher::Transform(const Byte* in, std::size_t size, Byte* out) const {
  if (direction_ == CipherDirection::kEncrypt)
    cipher_.EncryptBlocks(in, size / kBlock, out);
  else
    cipher_.DecryptBlocks(in, size / kBlock, out);
}

std::size_t BlockFileCipher::Update(const Byte* in, std::size_t size, Byte* out) {
  const std::uint64_t heldFrom = seen_ - heldSize_;
  seen_ += size;
  // Settled points are whole chunks apart, so what goes out now is whole blocks of held + in.
  const std::size_t settling = static_cast<std::size_t>(SettledEnd(seen_) - heldFrom);
  if (settling <= heldSize_) {
    Transform(held_, settling, out);
    std::memmove(held_, held_ + settling, heldSize_ - settling);
    heldSize_ -= settling;
    std::memcpy(held_ + heldSize_, in, size);
    heldSize_ += size;
    return settling;
  }
  // All that is held goes, topped up from the input to a whole block, then the input's blocks.
  const std::size_t topUp = (kBlock - heldSize_ % kBlock) % kBlock;
  std::memcpy(held_ + heldSize_, in, topUp);
  Transform(held_, heldSize_ + topUp, out);
  const std::size_t fromInput = settling - heldSize_;
  Transform(in + topUp, fromInput - topUp, out + heldSize_ + topUp);
  heldSize_ = size - fromInput;
  std::memcpy(held_, in + fromInput, heldSize_);
  return settling;
}

std::size_t BlockFileCipher::Finish(Byte* out) {
  const std::size_t size = heldSize_;
  heldSize_ = 0;
  if (seen_ < kBlock) {  // too short to encrypt: copied as it is
    std::memcpy(out, held_, size);
    return size;
  }
  const std::size_t tail = size % kBlock;
  Transform(held_, size - tail, out);
  if (tail == 0) return size;
  const std::size_t lastBlock = size - tail - kBlock;
  const Byte* last = held_ + lastBlock;
  const Byte* tailIn = last + kBlock;
  Byte* lastOut = out + lastBlock;
  Byte mixed[kBlock];
  if (direction_ == CipherDirection::kEncrypt) {
    // lastOut already holds Q, the encryption of the last full block.
    for (std::size_t j = 0; j < kBlock; ++j) mixed[j] = j < tail ? tailIn[j] ^ lastOut[j] : lastOut[j];
    std::memcpy(lastOut + kBlock, lastOut, tail);
    cipher_.EncryptBlocks(mixed, 1, lastOut);
  } else {
    // lastOut already holds X, the decryption of the last full block.
    for (std::size_t j = 0; j < kBlock; ++j) mixed[j] = j < tail ? tailIn[j] : lastOut[j];
    for (std::size_t j = 0; j < tail; ++j) lastOut[kBlock + j] = lastOut[j] ^ tailIn[j];
    cipher_.DecryptBlocks(mixed, 1, lastOut);
  }
  return size;
}

bool BlockFileCipher::FailedWriteNamesCiphertext(std::uint64_t offset) const {
  // Output handed out before the end lies before the settled point, outside both exceptions, so
  // the input seen so far can stand in for the file's length.
  return direction_ == CipherDirection::kEncrypt || DecryptionWriteNamesCiphertext(seen_, offset);
}

bool DecryptionWriteNamesCiphertext(std::uint64_t length, std::uint64_t offset) {
  if (length < kBlock) return true;
  const std::uint64_t tail = length % kChunk;
  if (tail == 0 || tail >= kBlock) return false;  // also every file shorter than a chunk
  const std::uint64_t lastChunk = length - tail - kChunk;
  return offset >= lastChunk && offset < lastChunk + kChunk - kBlock;
}

}  // namespace docket::crypto
