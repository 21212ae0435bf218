// Number fields: the reader agrees with a plain digit-by-digit model of the rule (a field it
// refuses reads as nothing, so "-1" and a refused field differ), and any accepted value
// reads back the same from its decimal form ("-2147483648" included).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "exchange/clipboard_text.h"
#include "fuzz_check.h"

namespace {

// The rule spelled out: spaces, one sign, "$"/"x"/"X"/"0x"/"0X" and hex up to FFFFFFFF as a
// two's-complement pattern, or decimal within the signed range; nothing after the digits.
std::optional<std::int32_t> Model(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    base = 16;
    i += 1;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == s.size()) return std::nullopt;
  std::uint64_t value = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * std::uint64_t(base) + std::uint64_t(digit);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  if (base == 10 && value > (negative ? 0x80000000u : 0x7FFFFFFFu)) return std::nullopt;
  std::uint32_t pattern = std::uint32_t(value);
  if (negative) pattern = 0u - pattern;
  return std::int32_t(pattern);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view field(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> v = ParseNumberField(field);
  FUZZ_CHECK(v == Model(field));
  if (v) FUZZ_CHECK(ParseNumberField(std::to_string(*v)) == v);
  return 0;
}
