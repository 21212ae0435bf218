#include "settings_overrides.h"

#include <charconv>

void ApplyFormat(TDocumentSettings& settings, const TSettingsOverrides& overrides) {
  TDataFormat& f = settings.Format;
  if (overrides.ByteMode) f.ByteMode = *overrides.ByteMode;
  if (overrides.Order) f.Order = *overrides.Order;
  if (overrides.Masked) f.Masked = *overrides.Masked;
  if (overrides.Arrangement) f.Arrangement = *overrides.Arrangement;
  if (overrides.AttrChoice) f.AttrChoice = *overrides.AttrChoice;
  settings = Normalized(settings);
}

std::string ApplySize(TDocumentSettings& settings, const TSettingsOverrides& overrides) {
  const int b = BitsPerByte(settings.Format.ByteMode);
  if (overrides.Width) {
    const int w = *overrides.Width;
    if (w < b || w > MaxSide || w % b != 0)
      return "--width " + std::to_string(w) + ": the width must be a multiple of " + std::to_string(b) + " in " +
             std::to_string(b) + " .. " + std::to_string(MaxSide) + " in this byte mode";
    settings.Width = w;
  }
  if (overrides.Height) {
    const int h = *overrides.Height;
    if (h < 1 || h > MaxSide) return "--height " + std::to_string(h) + ": the height must be in 1 .. 240";
    settings.Height = h;
  }
  return {};
}

namespace {

bool ParseNumber(std::string_view text, int& value) {
  if (text.empty() || text.size() > 6) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc{};
}

}  // namespace

std::optional<TFrameRange> ParseFrameRange(const std::string& text) {
  TFrameRange range;
  const std::size_t dash = text.find('-');
  if (dash == std::string::npos) {
    if (!ParseNumber(text, range.First)) return std::nullopt;
    range.Last = range.First;
    return range;
  }
  const std::string_view all(text);
  if (!ParseNumber(all.substr(0, dash), range.First) || !ParseNumber(all.substr(dash + 1), range.Last))
    return std::nullopt;
  return range;
}

std::string KeepFrames(TSpriteDocument& document, const TFrameRange& range) {
  TDocumentSettings& s = document.Settings;
  if (range.First < 1 || range.Last < range.First || range.Last > s.FrameCount)
    return "--frames " + std::to_string(range.First) + "-" + std::to_string(range.Last) +
           ": the document has frames 1 .. " + std::to_string(s.FrameCount);
  const int count = range.Last - range.First + 1;
  // Frame i takes frame First - 1 + i; the source never lies before the destination.
  for (int i = 0; i < count && range.First > 1; ++i)
    for (bool mask : {false, true}) document.Store.Plane(i, mask) = document.Store.Plane(range.First - 1 + i, mask);
  s.FrameCount = count;
  s.CurrentFrame = 0;
  return {};
}
