// How accounts read as text: the identity of a token, the trustee of an access-control entry,
// and the texts an administrator sets for entries whose account was deleted or cannot be named.
// No platform header: the caller does the lookup and the registry reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace docket::accounts {

// The lookup's error for an identifier that names no account, and the account use (SID type) of
// a deleted account.
inline constexpr uint32_t kNoneMapped = 1332;
inline constexpr int kDeletedAccount = 6;

// Registry values (under the permissions key) with the texts for those two cases.
inline constexpr char kDeletedValue[] = "AccountDeleted";
inline constexpr char kUnknownValue[] = "AccountUnknown";

// domain\name, with the backslash also when the domain is empty: the identity of a token.
std::string QualifiedName(std::string_view domain, std::string_view name);

// domain\name, or the name alone when there is no domain: the trustee of an entry.
std::string TrusteeName(std::string_view domain, std::string_view name);

// The outcome of looking up the account of a security identifier.
struct Lookup {
  uint32_t error = 0;  // 0 on success
  int use = 0;         // the account's use (SID type), on success
  std::string domain;
  std::string name;
};

// The administrator's texts for deleted and unknown accounts. Each is read through `read` (value
// name in, its text out, empty when absent) when first needed, and again while it is empty.
class FallbackTexts {
 public:
  using Reader = std::function<std::string(const char* valueName)>;
  const std::string& Deleted(const Reader& read) { return Fill(deleted_, kDeletedValue, read); }
  const std::string& Unknown(const Reader& read) { return Fill(unknown_, kUnknownValue, read); }

 private:
  static const std::string& Fill(std::string& text, const char* value, const Reader& read);
  std::string deleted_;
  std::string unknown_;
};

// The trustee text for a lookup's outcome, or nothing when the lookup failed in a way that no
// text stands for (the caller reports lookup.error).
std::optional<std::string> TrusteeText(const Lookup& lookup, FallbackTexts& texts,
                                       const FallbackTexts::Reader& read);

// A string value's text as the registry hands it over: `size` bytes that may or may not end in
// a terminator; the text ends at the first NUL.
std::string RegistryText(const char* data, size_t size);

}  // namespace docket::accounts
