#include "exchange/source_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "exchange/raw_layout.h"

namespace {

enum class TFamily { Mos6502, Z80, C, Basic };

struct TDialect {
  const char* Name;
  TFamily Family;
  const char* Directive;  // before the values of a data line
  const char* Comment;    // before the text of a comment line
  bool LabelColon;        // "label:" rather than "label" alone at the start of a line
  // Longest data line the tool reads correctly. xa takes at most 128 values in a line and
  // silently drops the rest beyond that; dasm crashes on lines of about 510 characters;
  // BASIC lines are kept within 255 characters.
  int MaxValues;
  int MaxLength;
};

constexpr int Unlimited = 1 << 30;

const TDialect& Traits(TSourceDialect dialect) {
  static const TDialect table[] = {
      {"xa", TFamily::Mos6502, "\t.byt ", "; ", false, 128, 1000},
      {"ca65", TFamily::Mos6502, "\t.byte ", "; ", true, Unlimited, Unlimited},
      {"acme", TFamily::Mos6502, "\t!byte ", "; ", false, Unlimited, Unlimited},
      {"64tass", TFamily::Mos6502, "\t.byte ", "; ", false, Unlimited, Unlimited},
      {"dasm", TFamily::Mos6502, "\tdc.b ", "; ", false, Unlimited, 400},
      {"pasmo", TFamily::Z80, "\tdefb ", "; ", true, Unlimited, Unlimited},
      {"z80asm", TFamily::Z80, "\tdefb ", "; ", true, Unlimited, Unlimited},
      {"c", TFamily::C, "\t", "", false, Unlimited, Unlimited},
      {"basic", TFamily::Basic, " DATA ", "", false, Unlimited, 255},
  };
  return table[static_cast<int>(dialect)];
}

constexpr char HexDigits[] = "0123456789ABCDEF";

std::string Binary(std::uint8_t v) {
  std::string s(8, '0');
  for (int bit = 0; bit < 8; ++bit)
    if (v & (0x80 >> bit)) s[bit] = '1';
  return s;
}

// One value as the tool reads it. The 6502 assemblers all read "$FF" and "%10101010".
// pasmo and z80asm read "0FFh" (a leading 0 when the first digit is a letter) and
// "%10101010". C takes "0b" binary constants from gcc, clang, sdcc and cc65 (and C23), so
// binary stays binary there too. BASIC DATA is always decimal.
std::string Number(std::uint8_t v, TFamily family, TNumberBase base) {
  if (family == TFamily::Basic || base == TNumberBase::Decimal) return std::to_string(v);
  const std::string hex{HexDigits[v >> 4], HexDigits[v & 15]};
  if (base == TNumberBase::Binary) return (family == TFamily::C ? "0b" : "%") + Binary(v);
  switch (family) {
    case TFamily::Mos6502: return "$" + hex;
    case TFamily::Z80: return (v >= 0xA0 ? "0" : "") + hex + "h";
    default: return "0x" + hex;
  }
}

std::string Plural(int n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

class TWriter {
 public:
  TWriter(const TDialect& dialect, const TSourceOptions& options) : FD(dialect), FO(options) {
    FLine = std::max(0, options.BasicFirstLine);
    FStep = std::max(1, options.BasicStep);  // counted in 64 bits: no overflow from any int options
  }

  std::string Text;
  bool InArray = false;  // C comments within the initialiser are indented like its values

  void Comment(const std::string& text) {
    switch (FD.Family) {
      case TFamily::C: Text += std::string(InArray ? "\t" : "") + "/* " + text + " */\n"; break;
      case TFamily::Basic: Basic("REM " + text); break;
      default: Text += std::string(FD.Comment) + text + "\n";
    }
  }

  // A label in the assemblers; in C a macro for the address, in BASIC a REM line.
  void Label(const std::string& name, const std::string& array, int offset) {
    switch (FD.Family) {
      case TFamily::C:
        Text += "#define " + name + " (" + array + " + " + std::to_string(offset) + ")\n";
        break;
      case TFamily::Basic: Basic("REM " + name); break;
      default: Text += name + (FD.LabelColon ? ":" : "") + "\n";
    }
  }

  // The values as data lines of at most ValuesPerLine values each, fewer where a line would
  // be longer than the dialect reads.
  void Data(std::span<const std::uint8_t> bytes) {
    const int perLine = std::clamp(FO.ValuesPerLine, 1, 256);
    const std::string separator = FD.Family == TFamily::C ? ", " : ",";
    std::size_t i = 0;
    while (i < bytes.size()) {
      std::string line = FD.Family == TFamily::Basic ? std::to_string(FLine) + FD.Directive : FD.Directive;
      int count = 0;
      while (i < bytes.size() && count < perLine && count < FD.MaxValues) {
        const std::string value = Number(bytes[i], FD.Family, FO.Base);
        const std::string piece = count == 0 ? value : separator + value;
        if (count > 0 && int(line.size() + piece.size()) > FD.MaxLength) break;
        line += piece;
        ++count;
        ++i;
      }
      if (FD.Family == TFamily::C) line += ",";
      Text += line + "\n";
      if (FD.Family == TFamily::Basic) FLine += FStep;
    }
  }

 private:
  void Basic(const std::string& text) {
    std::string line = std::to_string(FLine) + " " + text;
    if (line.size() > 255) line.resize(255);
    Text += line + "\n";
    FLine += FStep;
  }

  const TDialect& FD;
  const TSourceOptions& FO;
  std::int64_t FLine = 0;
  std::int64_t FStep = 1;
};

}  // namespace

const char* DialectName(TSourceDialect dialect) { return Traits(dialect).Name; }

std::optional<TSourceDialect> DialectByName(std::string_view name) {
  for (TSourceDialect d : AllDialects)
    if (name == Traits(d).Name) return d;
  return std::nullopt;
}

std::string WriteSourceText(std::span<const std::uint8_t> data, const TDocumentSettings& settings,
                            const TSourceOptions& options) {
  const TDialect& dialect = Traits(options.Dialect);
  const TDataFormat& format = settings.Format;
  const std::string label = SourceLabel(options.Label, options.Dialect);
  // Frames of the settings' block size; settings that give no block make the data one frame.
  const int block = FrameBlockSize(format, settings.Width, settings.Height);
  const std::size_t frameBytes = block > 0 ? std::size_t(block) : std::max<std::size_t>(data.size(), 1);
  const int frames = int((data.size() + frameBytes - 1) / frameBytes);

  TWriter w(dialect, options);
  // No ':' in comments: xa ends a comment at a colon and reads the rest as a statement.
  if (options.HeaderComment) {
    w.Comment(label + " = " + std::to_string(settings.Width) + " x " + std::to_string(settings.Height) + " pixels, " +
              Plural(frames, "frame", "frames") + " of " + Plural(int(frameBytes), "byte", "bytes") + ", " +
              Plural(int(data.size()), "byte", "bytes") + " in all");
    const int mode = format.ByteMode == bmClassic8 ? 1 : 0;
    w.Comment(std::string("byte mode = ") + ByteModeItems[mode]);
    if (format.Order >= 0 && format.Order < int(DataOrderItems.size()))
      w.Comment(std::string("order = ") + DataOrderItems[format.Order]);
    if (!format.Masked)
      w.Comment("mask = none");
    else if (format.Arrangement >= 0 && format.Arrangement < int(MaskArrangementItems.size()))
      w.Comment(std::string("mask = ") + MaskArrangementItems[format.Arrangement]);
    if (format.Masked && mode == 0)
      w.Comment(std::string("mask bits 7 and 6 = ") + AttrChoiceItems[format.AttrChoice & 3]);
  }

  if (dialect.Family == TFamily::C) {
    const std::string n = std::to_string(data.size());
    w.Text += "#define " + label + "_SIZE " + n + "\n";
    w.Text += "#define " + label + "_FRAMES " + std::to_string(frames) + "\n";
    w.Text += "#define " + label + "_FRAME_BYTES " + std::to_string(frameBytes) + "\n";
    // C has no arrays of no elements.
    if (data.empty()) return w.Text;
    w.Text += "const unsigned char " + label + "[" + n + "] = {\n";
    w.InArray = true;
  } else if (dialect.Family != TFamily::Basic) {
    w.Label(label, label, 0);
  }

  for (int f = 0; f < frames; ++f) {
    const std::size_t start = std::size_t(f) * frameBytes;
    const std::size_t length = std::min(frameBytes, data.size() - start);
    if (options.FrameComments) w.Comment("frame " + std::to_string(f));
    if (options.FrameLabels && dialect.Family != TFamily::C)
      w.Label(label + "_f" + std::to_string(f), label, int(start));
    w.Data(data.subspan(start, length));
  }

  if (dialect.Family == TFamily::C) {
    w.Text += "};\n";
    w.InArray = false;
    if (options.FrameLabels)
      for (int f = 0; f < frames; ++f)
        w.Label(label + "_f" + std::to_string(f), label, int(std::size_t(f) * frameBytes));
  }
  return w.Text;
}

std::string ExportSourceText(const TSpriteDocument& document, const TSourceOptions& options) {
  const TDocumentSettings& s = document.Settings;
  const std::vector<std::uint8_t> data = ExportFrames(document.Store, s.Format, s.Width, s.Height, s.FrameCount);
  return WriteSourceText(data, s, options);
}
