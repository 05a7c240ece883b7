#include "streams/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace docket::text {
namespace {

// The shape of the well-formed sequence a lead byte begins: how many continuation bytes follow,
// the value bits of the lead, and the range the first continuation byte must fall in (narrower
// than 80..BF after E0, ED, F0 and F4, which rules out overlong forms, surrogates and values past
// U+10FFFF at the first byte that shows them).
struct Lead {
  int continuations;  // 0: the byte begins no sequence
  std::uint32_t bits;
  unsigned char low, high;
};

Lead LeadOf(unsigned char b) {
  if (b >= 0xC2 && b <= 0xDF) return {1, b & 0x1Fu, 0x80, 0xBF};
  if (b >= 0xE0 && b <= 0xEF) {
    return {2, b & 0x0Fu, static_cast<unsigned char>(b == 0xE0 ? 0xA0 : 0x80),
            static_cast<unsigned char>(b == 0xED ? 0x9F : 0xBF)};
  }
  if (b >= 0xF0 && b <= 0xF4) {
    return {3, b & 0x07u, static_cast<unsigned char>(b == 0xF0 ? 0x90 : 0x80),
            static_cast<unsigned char>(b == 0xF4 ? 0x8F : 0xBF)};
  }
  return {0, 0, 0, 0};
}

// Copies the ASCII run at the front of `in` (at most `limit` bytes, room for as many units at
// `out`) and returns its length.
std::size_t CopyAscii(const unsigned char* in, std::size_t limit, char16_t* out) {
  std::size_t i = 0;
#if defined(__SSE2__)
  // Sixteen bytes at a time: all of them are widened and stored, but only the ones before the
  // first byte with its high bit set count; the rest is written over by what decodes next.
  const __m128i zero = _mm_setzero_si128();
  for (; i + 16 <= limit; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(bytes, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(bytes, zero));
    if (const int high = _mm_movemask_epi8(bytes)) return i + static_cast<std::size_t>(__builtin_ctz(high));
  }
#endif
  for (; i < limit && in[i] < 0x80; ++i) out[i] = in[i];
  return i;
}

}  // namespace

std::size_t DecodeUtf8(std::string_view bytes, std::size_t units, bool atEnd, std::u16string* out) {
  // No byte makes more than one code unit but the last one, which may make a pair.
  const std::size_t old = out->size();
  out->resize(old + (units >= bytes.size() ? bytes.size() : units + 1));
  const auto* const first = reinterpret_cast<const unsigned char*>(bytes.data());
  const unsigned char* in = first;
  const unsigned char* const end = first + bytes.size();
  char16_t* const begin = out->data() + old;
  char16_t* made = begin;
  char16_t* const enough = begin + std::min(units, bytes.size());
  while (in < end && made < enough) {
    const std::size_t ascii = CopyAscii(in, std::min<std::size_t>(end - in, enough - made), made);
    in += ascii;
    made += ascii;
    if (in == end || made == enough) break;

    // Two bytes (Latin, Greek, Cyrillic, Hebrew, Arabic ...): the common case past ASCII.
    if (static_cast<unsigned char>(in[0] - 0xC2) <= 0xDF - 0xC2 && in + 1 < end && (in[1] & 0xC0) == 0x80) {
      *made++ = static_cast<char16_t>(((in[0] & 0x1Fu) << 6) | (in[1] & 0x3Fu));
      in += 2;
      continue;
    }
    const Lead lead = LeadOf(*in);
    std::uint32_t value = lead.bits;
    const unsigned char* next = in + 1;
    int found = 0;
    unsigned char low = lead.low, high = lead.high;
    for (; found < lead.continuations && next < end; ++found, ++next) {
      if (*next < low || *next > high) break;
      value = (value << 6) | (*next & 0x3Fu);
      low = 0x80;
      high = 0xBF;
    }
    if (found == lead.continuations && lead.continuations > 0) {
      if (value >= 0x10000) {
        value -= 0x10000;
        *made++ = static_cast<char16_t>(0xD800 + (value >> 10));
        *made++ = static_cast<char16_t>(0xDC00 + (value & 0x3FF));
      } else {
        *made++ = static_cast<char16_t>(value);
      }
    } else {
      // Cut off by the end of the bytes while still well-formed: wait for the rest if there is any.
      if (next == end && lead.continuations > 0 && !atEnd) break;
      *made++ = kReplacementCharacter;
    }
    in = next;
  }
  out->resize(old + static_cast<std::size_t>(made - begin));
  return static_cast<std::size_t>(in - first);
}

void AppendUtf8(std::u16string_view text, std::string* out) {
  const std::size_t old = out->size();
  // Three bytes at most for a unit; a pair takes four for its two.
  out->resize(old + text.size() * 3);
  auto* o = reinterpret_cast<unsigned char*>(out->data() + old);
  const std::size_t size = text.size();
  for (std::size_t i = 0; i < size; ++i) {
    std::uint32_t c = text[i];
    if (c < 0x80) {
      *o++ = static_cast<unsigned char>(c);
      continue;
    }
    if (c < 0x800) {
      *o++ = static_cast<unsigned char>(0xC0 | (c >> 6));
      *o++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
      continue;
    }
    if (c >= 0xD800 && c <= 0xDFFF) {
      if (c <= 0xDBFF && i + 1 < size && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        *o++ = static_cast<unsigned char>(0xF0 | (c >> 18));
        *o++ = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
        *o++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
        *o++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
        continue;
      }
      c = kReplacementCharacter;
    }
    *o++ = static_cast<unsigned char>(0xE0 | (c >> 12));
    *o++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
    *o++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
  }
  out->resize(static_cast<std::size_t>(reinterpret_cast<char*>(o) - out->data()));
}

}  // namespace docket::text
