#include "security/account_text.h"

namespace docket::accounts {

std::string QualifiedName(std::string_view domain, std::string_view name) {
  std::string text;
  text.reserve(domain.size() + 1 + name.size());
  text.append(domain).append(1, '\\').append(name);
  return text;
}

std::string TrusteeName(std::string_view domain, std::string_view name) {
  return domain.empty() ? std::string(name) : QualifiedName(domain, name);
}

const std::string& FallbackTexts::Fill(std::string& text, const char* value, const Reader& read) {
  if (text.empty()) text = read(value);
  return text;
}

std::optional<std::string> TrusteeText(const Lookup& lookup, FallbackTexts& texts,
                                       const FallbackTexts::Reader& read) {
  if (lookup.error == kNoneMapped) return texts.Unknown(read);
  if (lookup.error != 0) return std::nullopt;
  if (lookup.use == kDeletedAccount) return texts.Deleted(read);
  return TrusteeName(lookup.domain, lookup.name);
}

std::string RegistryText(const char* data, size_t size) {
  if (!data) return {};
  const std::string_view bytes(data, size);
  return std::string(bytes.substr(0, bytes.find('\0')));
}

}  // namespace docket::accounts
