#include "exchange/clipboard_text.h"

#include <charconv>

#include "codec/byte_codec.h"

namespace {

constexpr std::string_view Magic = "SPRJ;";

// The whole of `digits` as an unsigned 32-bit number in `base`; nothing for an empty text,
// a stray character or a value above FFFFFFFF (from_chars reports that without overflowing).
std::optional<std::uint32_t> ReadDigits(std::string_view digits, int base) {
  std::uint32_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(digits.data(), end, value, base);
  if (ec != std::errc{} || ptr != end) return std::nullopt;
  return value;
}

// The rule of ParseNumberField; false for a field that is no number. The paste reads one
// field per data byte, so the value comes back through `result`: with an optional returned
// from this call (it goes through memory) that loop ran about 40 % slower.
bool ReadNumberField(std::string_view field, std::int32_t& result) {
  std::size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
    negative = field[i] == '-';
    ++i;
  }
  std::string_view number = field.substr(i);

  std::size_t hexPrefix = 0;
  if (number.starts_with('$') || number.starts_with('x') || number.starts_with('X')) {
    hexPrefix = 1;
  } else if (number.starts_with("0x") || number.starts_with("0X")) {
    hexPrefix = 2;
  }

  std::uint32_t pattern = 0;
  if (hexPrefix != 0) {
    // Any 32-bit pattern is allowed; it reads as two's complement.
    const auto value = ReadDigits(number.substr(hexPrefix), 16);
    if (!value) return false;
    pattern = *value;
  } else {
    // The signed value must fit 32 bits, so "-2147483648" is read and "2147483648" is not.
    const auto value = ReadDigits(number, 10);
    const std::uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    if (!value || *value > limit) return false;
    pattern = *value;
  }
  if (negative) pattern = 0u - pattern;
  result = static_cast<std::int32_t>(pattern);
  return true;
}

bool ValidWidth(std::int32_t w) { return w >= 6 && w <= MaxSide && (w % 6 == 0 || w % 8 == 0); }

// Takes the header field before the next ";" and the ";" itself off the front of `rest`;
// nothing when there is no such field or it is no number.
std::optional<std::int32_t> TakeHeaderField(std::string_view& rest) {
  const std::size_t p = rest.find(';');
  if (p == std::string_view::npos || p == 0) return std::nullopt;
  const auto value = ParseNumberField(rest.substr(0, p));
  rest.remove_prefix(p + 1);
  return value;
}

// Takes one value field off the front of `rest`: the text before the first "," when that
// "," is not the first character, else all of `rest`.
std::string_view TakeValueField(std::string_view& rest) {
  const std::size_t p = rest.find(',');
  std::string_view field = rest;
  if (p != std::string_view::npos && p >= 1) {
    field = rest.substr(0, p);
    rest.remove_prefix(p + 1);
  } else {
    rest = {};
  }
  return field;
}

}  // namespace

std::string PlaneToClipboardText(const TSpriteStore& store, int frame, bool mask, int width, int height,
                                 int bitsPerByte, int attrChoice) {
  // A text that could not be read back is never written.
  if (!ValidFrame(frame) || (bitsPerByte != 6 && bitsPerByte != 8)) return {};
  if (width < bitsPerByte || width > MaxSide || width % bitsPerByte != 0) return {};
  if (height < 1 || height > MaxSide) return {};

  std::string text;
  text.reserve(32 + std::size_t(width / bitsPerByte) * std::size_t(height) * 4);
  text += Magic;
  for (int n : {width, height, bitsPerByte}) {
    text += std::to_string(n);
    text += ';';
  }
  char digits[4];
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; x += bitsPerByte) {
      const std::uint8_t value = PackByte(store, mask, bitsPerByte, frame, x, y, attrChoice);
      const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, unsigned(value));
      text.append(digits, end);
      text += ',';
    }
  }
  text.back() = '$';
  return text;
}

std::optional<std::int32_t> ParseNumberField(std::string_view field) {
  std::int32_t result = 0;
  if (!ReadNumberField(field, result)) return std::nullopt;
  return result;
}

std::optional<TClipboardPlane> ParseClipboardText(std::string_view text, int bitsPerByte) {
  if (!text.starts_with(Magic)) return std::nullopt;
  std::string_view rest = text.substr(Magic.size());
  if (rest.empty() || rest.back() != '$') return std::nullopt;
  rest.remove_suffix(1);

  const auto width = TakeHeaderField(rest);
  if (!width || !ValidWidth(*width)) return std::nullopt;
  const auto height = TakeHeaderField(rest);
  if (!height || *height < 1 || *height > MaxSide) return std::nullopt;
  const auto bits = TakeHeaderField(rest);
  if (!bits || (*bits != 6 && *bits != 8)) return std::nullopt;
  if (*bits != bitsPerByte || *width % *bits != 0) return std::nullopt;

  TClipboardPlane plane{*width, *height, *bits, {}};
  const std::size_t count = std::size_t(*width / *bits) * std::size_t(*height);
  plane.Values.reserve(count);
  for (std::size_t k = 0; k < count; ++k) {
    if (rest.empty()) return std::nullopt;
    std::int32_t value = 0;
    if (!ReadNumberField(TakeValueField(rest), value) || value < 0 || value > 255) return std::nullopt;
    plane.Values.push_back(std::uint8_t(value));
  }
  if (!rest.empty()) return std::nullopt;
  return plane;
}

void WriteClipboardPlane(TSpriteStore& store, int frame, bool mask, const TClipboardPlane& plane) {
  if (!ValidFrame(frame)) return;
  std::size_t k = 0;
  for (int y = 0; y < plane.Height; ++y) {
    for (int x = 0; x < plane.Width; x += plane.Bits) UnpackByte(store, mask, plane.Bits, frame, x, y, plane.Values[k++]);
  }
}

bool PasteClipboardText(TSpriteStore& store, int frame, bool mask, std::string_view text, int bitsPerByte) {
  if (!ValidFrame(frame)) return false;
  const auto plane = ParseClipboardText(text, bitsPerByte);
  if (!plane) return false;
  WriteClipboardPlane(store, frame, mask, *plane);
  return true;
}
