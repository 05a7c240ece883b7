// Files in memory for the pure readers, shared by the native tests and the fuzz targets; either
// can be told to fail. And calls of the text reader whose failure shows in the text they return.
#pragma once

#include "fsobjects/image_header.h"
#include "streams/text_reader.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace memory_sources {

// Bytes for the image probe; the read numbered failAtRead (from 1) fails with a data error.
class Bytes final : public docket::image::ByteSource {
 public:
  explicit Bytes(std::string bytes) : bytes_(std::move(bytes)) {}
  docket::image::ErrorNumber ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count,
                                    std::size_t* got) override {
    if (++reads == failAtRead) return 23;
    const std::size_t at = static_cast<std::size_t>(std::min<std::uint64_t>(offset, bytes_.size()));
    *got = std::min(count, bytes_.size() - at);
    std::memcpy(buffer, bytes_.data() + at, *got);
    return 0;
  }
  int reads = 0, failAtRead = 0;

 private:
  std::string bytes_;
};

// Characters as the real source gives them: a read that comes back empty marks the end for good;
// moves may go past the end but not before the start. With failWith set, moves and the reads after
// the first okReads fail.
class Chars final : public docket::text::CharSource {
 public:
  explicit Chars(std::u16string content) : content_(std::move(content)) {}
  docket::text::ErrorNumber ReadChars(std::size_t count, std::u16string* out) override {
    if (++reads > okReads && failWith) return failWith;
    const std::size_t at = std::min(position_, content_.size());
    const std::size_t n = std::min(count, content_.size() - at);
    out->append(content_, at, n);
    position_ = at + n;
    exhausted_ |= n == 0;
    return 0;
  }
  bool Exhausted() const override { return exhausted_; }
  docket::text::ErrorNumber MoveBy(std::int64_t count, std::u16string_view unread) override {
    const std::int64_t target = static_cast<std::int64_t>(position_ - unread.size()) + count;
    if (failWith || target < 0) return failWith ? failWith : 131;  // a negative seek
    position_ = static_cast<std::size_t>(target);
    return 0;
  }
  int reads = 0, okReads = 0;
  docket::text::ErrorNumber failWith = 0;

 private:
  std::u16string content_;
  std::size_t position_ = 0;
  bool exhausted_ = false;
};

inline std::u16string ReadLine(docket::text::TextReader& reader) {
  std::u16string line;
  return reader.ReadLine(&line) ? u"<failed>" : line;
}
inline std::u16string Read(docket::text::TextReader& reader, std::size_t n) {
  std::u16string text;
  return reader.Read(n, &text) ? u"<failed>" : text;
}

}  // namespace memory_sources
