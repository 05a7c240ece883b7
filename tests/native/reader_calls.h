// Calls of the text reader that must succeed, for the tests of the reading logic.
#pragma once

#include "streams/text_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace reader_calls {

inline std::u16string ReadLine(docket::text::TextReader& reader) {
  std::u16string line;
  EXPECT_EQ(reader.ReadLine(&line), 0u);
  return line;
}

inline std::u16string Read(docket::text::TextReader& reader, std::size_t n) {
  std::u16string text;
  EXPECT_EQ(reader.Read(n, &text), 0u);
  return text;
}

}  // namespace reader_calls
