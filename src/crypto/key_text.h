// How the block-cipher method turns a password into its key: the password's characters become
// 32 lowercase hexadecimal digits (the key text), and the first 16 digits become the 16 key bytes,
// one digit's value (0 to 15) per byte. Files already encrypted depend on every detail of this,
// weak as it is: only the first 16 characters count, capital letters are not digits, and each
// key byte holds 4 bits.
#pragma once

#include "crypto/twofish.h"

#include <array>
#include <string>
#include <string_view>

namespace docket::crypto {

// The password used when a caller gives none (or an empty one).
inline constexpr std::u16string_view kDefaultPassword = u"KKKKKKKKKKKKKKKK";

inline constexpr std::size_t kKeyTextDigits = 32;

// The key text of a password (UTF-16 code units; an empty one counts as the default password).
std::string KeyText(std::u16string_view password);

// The cipher key a key text makes.
using TwofishKey = std::array<std::uint8_t, Twofish::kKeyBytes>;
TwofishKey KeyFromText(std::string_view keyText);

}  // namespace docket::crypto
