#include "streams/text_encoding.h"

#include <climits>
#include <cstring>
#include <new>

namespace docket::streams {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "automation strings are UTF-16");

constexpr char16_t kReplacementCharacter = 0xFFFD;

const wchar_t* Wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

}  // namespace

void AppendDecoded(const char* bytes, size_t size, bool unicode, std::u16string* out) {
  const size_t old = out->size();
  if (unicode) {
    const size_t units = size / 2;
    out->resize(old + units + size % 2);
    std::memcpy(out->data() + old, bytes, units * 2);  // the platform is little-endian
    if (size % 2) out->back() = kReplacementCharacter;
    return;
  }
  if (size == 0) return;
  // A byte never makes more than one UTF-16 unit, so the input's size is room enough.
  out->resize(old + size);
  const int made = ::MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(size),
                                         reinterpret_cast<wchar_t*>(out->data() + old),
                                         static_cast<int>(size));
  out->resize(old + static_cast<size_t>(made));
}

void AppendEncoded(std::wstring_view text, bool unicode, std::string* out) {
  const size_t old = out->size();
  if (unicode) {
    out->resize(old + text.size() * 2);
    std::memcpy(out->data() + old, text.data(), text.size() * 2);
    return;
  }
  if (text.empty()) return;
  // Room for the longest form a character can take, so that one conversion call does.
  static const size_t maxBytesPerChar = [] {
    CPINFO info{};
    return ::GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 0 ? info.MaxCharSize : 4u;
  }();
  if (text.size() > static_cast<size_t>(INT_MAX) / maxBytesPerChar) throw std::bad_alloc();
  out->resize(old + text.size() * maxBytesPerChar);
  const int made = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         out->data() + old, static_cast<int>(out->size() - old),
                                         nullptr, nullptr);
  out->resize(old + static_cast<size_t>(made));
}

void AppendLineEnds(size_t count, bool unicode, std::string* out) {
  const std::string_view lineEnd = unicode ? std::string_view("\r\0\n\0", 4) : std::string_view("\r\n", 2);
  out->reserve(out->size() + lineEnd.size() * count);
  for (size_t i = 0; i < count; ++i) out->append(lineEnd);
}

size_t EncodedSize(std::u16string_view text, bool unicode) {
  if (unicode) return text.size() * 2;
  if (text.empty()) return 0;
  return static_cast<size_t>(::WideCharToMultiByte(CP_ACP, 0, Wide(text), static_cast<int>(text.size()),
                                                   nullptr, 0, nullptr, nullptr));
}

}  // namespace docket::streams
