#include "streams/text_encoding.h"

#include "streams/utf8.h"

#include <climits>
#include <cstring>
#include <new>

namespace docket::streams {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "automation strings are UTF-16");

const wchar_t* Wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

// Appends `text` converted by the platform to `codePage`, whose characters take at most
// `maxBytesPerChar` bytes (so that one conversion call does).
void AppendConverted(std::wstring_view text, UINT codePage, size_t maxBytesPerChar, std::string* out) {
  if (text.empty()) return;
  if (text.size() > static_cast<size_t>(INT_MAX) / maxBytesPerChar) throw std::bad_alloc();
  const size_t old = out->size();
  out->resize(old + text.size() * maxBytesPerChar);
  const int made = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                         out->data() + old, static_cast<int>(out->size() - old), nullptr,
                                         nullptr);
  out->resize(old + static_cast<size_t>(made));
}

}  // namespace

bool IsStreamableCodePage(LONG format) {
  if (format <= 0 || !::IsValidCodePage(static_cast<UINT>(format))) return false;
  if (format == CP_UTF8) return true;
  CPINFO info{};
  if (!::GetCPInfo(static_cast<UINT>(format), &info)) return false;
  return info.MaxCharSize == 1 || (info.MaxCharSize == 2 && info.LeadByte[0] != 0);
}

void AppendDecoded(const char* bytes, size_t size, bool unicode, std::u16string* out) {
  const size_t old = out->size();
  if (unicode) {
    const size_t units = size / 2;
    out->resize(old + units + size % 2);
    std::memcpy(out->data() + old, bytes, units * 2);  // the platform is little-endian
    if (size % 2) out->back() = text::kReplacementCharacter;
    return;
  }
  AppendFromCodePage({bytes, size}, CP_ACP, out);
}

void AppendFromCodePage(std::string_view bytes, UINT codePage, std::u16string* out) {
  if (bytes.empty()) return;
  const size_t old = out->size();
  const auto convert = [&](int room) {
    return ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                 room ? reinterpret_cast<wchar_t*>(out->data() + old) : nullptr, room);
  };
  // One unit a byte is room enough for every table the platform has; ask for the size otherwise.
  out->resize(old + bytes.size());
  int made = convert(static_cast<int>(bytes.size()));
  if (made == 0) {
    out->resize(old + static_cast<size_t>(convert(0)));
    made = convert(static_cast<int>(out->size() - old));
  }
  out->resize(old + static_cast<size_t>(made));
}

void AppendEncoded(std::wstring_view text, const TextEncoding& encoding, std::string* out) {
  switch (encoding.kind) {
    case TextEncoding::Kind::kUtf16: {
      const size_t old = out->size();
      out->resize(old + text.size() * 2);
      std::memcpy(out->data() + old, text.data(), text.size() * 2);
      return;
    }
    case TextEncoding::Kind::kSystemCodePage: {
      static const size_t maxBytesPerChar = [] {
        CPINFO info{};
        return ::GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 0 ? info.MaxCharSize : 4u;
      }();
      AppendConverted(text, CP_ACP, maxBytesPerChar, out);
      return;
    }
    case TextEncoding::Kind::kCodePage:
      if (encoding.utf8()) {
        text::AppendUtf8({reinterpret_cast<const char16_t*>(text.data()), text.size()}, out);
      } else {
        AppendConverted(text, encoding.codePage, 2, out);  // streamable code pages take two bytes at most
      }
      return;
  }
}

void AppendLineEnds(size_t count, const TextEncoding& encoding, std::string* out) {
  std::string lineEnd = "\r\n";
  if (encoding.unicode()) {
    lineEnd.assign("\r\0\n\0", 4);
  } else if (encoding.kind == TextEncoding::Kind::kCodePage && !encoding.utf8()) {
    lineEnd.clear();  // a code page of its own may put CR and LF elsewhere (EBCDIC does)
    AppendEncoded(L"\r\n", encoding, &lineEnd);
  }
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
