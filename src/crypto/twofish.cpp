#include "crypto/twofish.h"

#include <array>

namespace docket::crypto {
namespace {

using Byte = std::uint8_t;
using Word = std::uint32_t;

constexpr Word Rol(Word x, int n) { return (x << n) | (x >> (32 - n)); }
constexpr Word Ror(Word x, int n) { return (x >> n) | (x << (32 - n)); }
constexpr Byte ByteOf(Word x, int i) { return static_cast<Byte>(x >> (8 * i)); }

Word Load(const Byte* p) {
  return Word{p[0]} | Word{p[1]} << 8 | Word{p[2]} << 16 | Word{p[3]} << 24;
}
void Store(Word x, Byte* p) {
  for (int i = 0; i < 4; ++i) p[i] = ByteOf(x, i);
}

// Multiplication in GF(2^8) modulo the given primitive polynomial.
constexpr Byte GfMultiply(Byte a, Byte b, unsigned polynomial) {
  unsigned product = 0, x = a;
  for (; b != 0; b >>= 1) {
    if (b & 1) product ^= x;
    x <<= 1;
    if (x & 0x100) x ^= polynomial;
  }
  return static_cast<Byte>(product);
}

// The fixed permutations q0 and q1, each built from four 4-bit tables.
using Nibbles = Byte[4][16];
constexpr Nibbles kQ0Nibbles = {
    {0x8, 0x1, 0x7, 0xD, 0x6, 0xF, 0x3, 0x2, 0x0, 0xB, 0x5, 0x9, 0xE, 0xC, 0xA, 0x4},
    {0xE, 0xC, 0xB, 0x8, 0x1, 0x2, 0x3, 0x5, 0xF, 0x4, 0xA, 0x6, 0x7, 0x0, 0x9, 0xD},
    {0xB, 0xA, 0x5, 0xE, 0x6, 0xD, 0x9, 0x0, 0xC, 0x8, 0xF, 0x3, 0x2, 0x4, 0x7, 0x1},
    {0xD, 0x7, 0xF, 0x4, 0x1, 0x2, 0x6, 0xE, 0x9, 0xB, 0x3, 0x0, 0x8, 0x5, 0xC, 0xA}};
constexpr Nibbles kQ1Nibbles = {
    {0x2, 0x8, 0xB, 0xD, 0xF, 0x7, 0x6, 0xE, 0x3, 0x1, 0x9, 0x4, 0x0, 0xA, 0xC, 0x5},
    {0x1, 0xE, 0x2, 0xB, 0x4, 0xC, 0x3, 0x7, 0x6, 0xD, 0xA, 0x5, 0xF, 0x9, 0x0, 0x8},
    {0x4, 0xC, 0x7, 0x5, 0x1, 0x6, 0x9, 0xA, 0x0, 0xE, 0xD, 0x8, 0x2, 0xB, 0x3, 0xF},
    {0xB, 0x9, 0x5, 0x1, 0xC, 0x3, 0xD, 0xE, 0x6, 0x4, 0x7, 0xF, 0x2, 0x0, 0x8, 0xA}};

constexpr std::array<Byte, 256> MakePermutation(const Nibbles& t) {
  auto ror4 = [](unsigned x) { return ((x >> 1) | (x << 3)) & 15; };
  std::array<Byte, 256> q{};
  for (unsigned x = 0; x < 256; ++x) {
    const unsigned a0 = x >> 4, b0 = x & 15;
    const unsigned a1 = a0 ^ b0, b1 = (a0 ^ ror4(b0) ^ (a0 << 3)) & 15;
    const unsigned a2 = t[0][a1], b2 = t[1][b1];
    const unsigned a3 = a2 ^ b2, b3 = (a2 ^ ror4(b2) ^ (a2 << 3)) & 15;
    q[x] = static_cast<Byte>(t[3][b3] << 4 | t[2][a3]);
  }
  return q;
}
constexpr std::array<Byte, 256> kQ0 = MakePermutation(kQ0Nibbles);
constexpr std::array<Byte, 256> kQ1 = MakePermutation(kQ1Nibbles);

// The MDS matrix (over GF(2^8) modulo x^8+x^6+x^5+x^3+1): table j holds column j times each byte,
// as a little-endian word, so a matrix product is four look-ups.
constexpr Byte kMds[4][4] = {
    {0x01, 0xEF, 0x5B, 0x5B}, {0x5B, 0xEF, 0xEF, 0x01}, {0xEF, 0x5B, 0x01, 0xEF}, {0xEF, 0x01, 0xEF, 0x5B}};
constexpr unsigned kMdsPolynomial = 0x169;

constexpr std::array<std::array<Word, 256>, 4> MakeMdsColumns() {
  std::array<std::array<Word, 256>, 4> columns{};
  for (int j = 0; j < 4; ++j)
    for (unsigned x = 0; x < 256; ++x)
      for (int i = 0; i < 4; ++i)
        columns[j][x] |= Word{GfMultiply(kMds[i][j], static_cast<Byte>(x), kMdsPolynomial)} << (8 * i);
  return columns;
}
constexpr std::array<std::array<Word, 256>, 4> kMdsColumns = MakeMdsColumns();

// The Reed-Solomon code (over GF(2^8) modulo x^8+x^6+x^3+x^2+1) that turns 8 key bytes into one
// word of the S-box key.
constexpr Byte kRs[4][8] = {{0x01, 0xA4, 0x55, 0x87, 0x5A, 0x58, 0xDB, 0x9E},
                            {0xA4, 0x56, 0x82, 0xF3, 0x1E, 0xC6, 0x68, 0xE5},
                            {0x02, 0xA1, 0xFC, 0xC1, 0x47, 0xAE, 0x3D, 0x19},
                            {0xA4, 0x55, 0x87, 0x5A, 0x58, 0xDB, 0x9E, 0x03}};
constexpr unsigned kRsPolynomial = 0x14D;

Word ReedSolomon(const Byte* eightKeyBytes) {
  Word word = 0;
  for (int i = 0; i < 4; ++i) {
    Byte sum = 0;
    for (int j = 0; j < 8; ++j) sum ^= GfMultiply(kRs[i][j], eightKeyBytes[j], kRsPolynomial);
    word |= Word{sum} << (8 * i);
  }
  return word;
}

// Byte j of the h function for a two-word key list (l0, l1): the chain of permutations of
// column j with the key bytes mixed in, before the MDS matrix.
Byte PermuteColumn(int j, Byte x, Word l0, Word l1) {
  const Byte k0 = ByteOf(l0, j), k1 = ByteOf(l1, j);
  switch (j) {
    case 0: return kQ1[kQ0[kQ0[x] ^ k1] ^ k0];
    case 1: return kQ0[kQ0[kQ1[x] ^ k1] ^ k0];
    case 2: return kQ1[kQ1[kQ0[x] ^ k1] ^ k0];
    default: return kQ0[kQ1[kQ1[x] ^ k1] ^ k0];
  }
}

Word H(Word x, Word l0, Word l1) {
  Word result = 0;
  for (int j = 0; j < 4; ++j) result ^= kMdsColumns[j][PermuteColumn(j, ByteOf(x, j), l0, l1)];
  return result;
}

}  // namespace

Twofish::Twofish(std::span<const std::uint8_t, kKeyBytes> keyBytes) {
  const Byte* key = keyBytes.data();
  const Word m[4] = {Load(key), Load(key + 4), Load(key + 8), Load(key + 12)};
  // Even key words (m0, m2) and odd ones (m1, m3) make the round subkeys.
  constexpr Word kStep = 0x01010101;
  for (Word i = 0; i < 20; ++i) {
    const Word a = H(2 * i * kStep, m[0], m[2]);
    const Word b = Rol(H((2 * i + 1) * kStep, m[1], m[3]), 8);
    subkeys_[2 * i] = a + b;
    subkeys_[2 * i + 1] = Rol(a + 2 * b, 9);
  }
  // The S-box key, from the Reed-Solomon code of each key half, in reverse order.
  const Word s0 = ReedSolomon(key), s1 = ReedSolomon(key + 8);
  for (int j = 0; j < 4; ++j)
    for (unsigned x = 0; x < 256; ++x)
      sboxes_[j][x] = kMdsColumns[j][PermuteColumn(j, static_cast<Byte>(x), s1, s0)];
}

inline Word Twofish::G0(Word x) const {
  return sboxes_[0][ByteOf(x, 0)] ^ sboxes_[1][ByteOf(x, 1)] ^ sboxes_[2][ByteOf(x, 2)] ^
         sboxes_[3][ByteOf(x, 3)];
}

inline Word Twofish::G1(Word x) const {
  return sboxes_[0][ByteOf(x, 3)] ^ sboxes_[1][ByteOf(x, 0)] ^ sboxes_[2][ByteOf(x, 1)] ^
         sboxes_[3][ByteOf(x, 2)];
}

// Two rounds per step: the first mixes (a, b) into (c, d), the second (c, d) into (a, b), so the
// halves never have to be swapped. Each round waits on its table look-ups, so several blocks go
// through the rounds side by side, to give the processor independent work meanwhile.
template <int kWidth>
void Twofish::EncryptLanes(const Byte* in, Byte* out) const {
  const Word* k = subkeys_;
  Word a[kWidth], b[kWidth], c[kWidth], d[kWidth];
  for (int l = 0; l < kWidth; ++l) {
    const Byte* block = in + l * kBlockBytes;
    a[l] = Load(block) ^ k[0];
    b[l] = Load(block + 4) ^ k[1];
    c[l] = Load(block + 8) ^ k[2];
    d[l] = Load(block + 12) ^ k[3];
  }
#pragma GCC unroll 8
  for (int r = 8; r < 40; r += 4) {
    for (int l = 0; l < kWidth; ++l) {
      const Word t0 = G0(a[l]), t1 = G1(b[l]);
      c[l] = Ror(c[l] ^ (t0 + t1 + k[r]), 1);
      d[l] = Rol(d[l], 1) ^ (t0 + 2 * t1 + k[r + 1]);
    }
    for (int l = 0; l < kWidth; ++l) {
      const Word t0 = G0(c[l]), t1 = G1(d[l]);
      a[l] = Ror(a[l] ^ (t0 + t1 + k[r + 2]), 1);
      b[l] = Rol(b[l], 1) ^ (t0 + 2 * t1 + k[r + 3]);
    }
  }
  // The last round's swap is undone: the output starts with the halves last written.
  for (int l = 0; l < kWidth; ++l) {
    Byte* block = out + l * kBlockBytes;
    Store(c[l] ^ k[4], block);
    Store(d[l] ^ k[5], block + 4);
    Store(a[l] ^ k[6], block + 8);
    Store(b[l] ^ k[7], block + 12);
  }
}

template <int kWidth>
void Twofish::DecryptLanes(const Byte* in, Byte* out) const {
  const Word* k = subkeys_;
  Word a[kWidth], b[kWidth], c[kWidth], d[kWidth];
  for (int l = 0; l < kWidth; ++l) {
    const Byte* block = in + l * kBlockBytes;
    c[l] = Load(block) ^ k[4];
    d[l] = Load(block + 4) ^ k[5];
    a[l] = Load(block + 8) ^ k[6];
    b[l] = Load(block + 12) ^ k[7];
  }
#pragma GCC unroll 8
  for (int r = 36; r >= 8; r -= 4) {
    for (int l = 0; l < kWidth; ++l) {
      const Word t0 = G0(c[l]), t1 = G1(d[l]);
      a[l] = Rol(a[l], 1) ^ (t0 + t1 + k[r + 2]);
      b[l] = Ror(b[l] ^ (t0 + 2 * t1 + k[r + 3]), 1);
    }
    for (int l = 0; l < kWidth; ++l) {
      const Word t0 = G0(a[l]), t1 = G1(b[l]);
      c[l] = Rol(c[l], 1) ^ (t0 + t1 + k[r]);
      d[l] = Ror(d[l] ^ (t0 + 2 * t1 + k[r + 1]), 1);
    }
  }
  for (int l = 0; l < kWidth; ++l) {
    Byte* block = out + l * kBlockBytes;
    Store(a[l] ^ k[0], block);
    Store(b[l] ^ k[1], block + 4);
    Store(c[l] ^ k[2], block + 8);
    Store(d[l] ^ k[3], block + 12);
  }
}

void Twofish::EncryptBlocks(const Byte* in, std::size_t blocks, Byte* out) const {
  for (; blocks >= kLanes; blocks -= kLanes, in += kLanes * kBlockBytes, out += kLanes * kBlockBytes)
    EncryptLanes<kLanes>(in, out);
  for (; blocks > 0; --blocks, in += kBlockBytes, out += kBlockBytes) EncryptLanes<1>(in, out);
}

void Twofish::DecryptBlocks(const Byte* in, std::size_t blocks, Byte* out) const {
  for (; blocks >= kLanes; blocks -= kLanes, in += kLanes * kBlockBytes, out += kLanes * kBlockBytes)
    DecryptLanes<kLanes>(in, out);
  for (; blocks > 0; --blocks, in += kBlockBytes, out += kBlockBytes) DecryptLanes<1>(in, out);
}

}  // namespace docket::crypto
