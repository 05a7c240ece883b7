#include "crypto/key_text.h"

namespace docket::crypto {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

bool IsKeyDigit(char16_t unit) { return (unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'f'); }

std::uint8_t DigitValue(char digit) {
  return static_cast<std::uint8_t>(digit <= '9' ? digit - '0' : digit - 'a' + 10);
}

}  // namespace

std::string KeyText(std::u16string_view password) {
  if (password.empty()) password = kDefaultPassword;
  // Lowercase digits stand for themselves; any other code unit becomes the digit of its value
  // modulo 16 (so 'B' is 2 and a space is 0).
  std::string digits;
  for (const char16_t unit : password.substr(0, kKeyTextDigits))
    digits += IsKeyDigit(unit) ? static_cast<char>(unit) : kHexDigits[unit % 16];
  // Short digit strings repeat until the text is full.
  std::string text;
  while (text.size() < kKeyTextDigits) text += digits[text.size() % digits.size()];
  return text;
}

TwofishKey KeyFromText(std::string_view keyText) {
  TwofishKey key{};
  for (std::size_t i = 0; i < key.size() && i < keyText.size(); ++i) key[i] = DigitValue(keyText[i]);
  return key;
}

}  // namespace docket::crypto
