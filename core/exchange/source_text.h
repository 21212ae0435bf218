#pragma once
// The raw export as source text for an assembler, a C compiler or BASIC: the same bytes in
// the same order, written as data directives, an initialised array or DATA lines, meant to
// be included in the user's own program (no origin, segment or output directives).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "document/sprite_document.h"

enum class TSourceDialect { Xa, Ca65, Acme, Tass64, Dasm, Pasmo, Z80asm, C, Basic };
enum class TNumberBase { Hex, Decimal, Binary };

struct TSourceOptions {
  TSourceDialect Dialect = TSourceDialect::Ca65;
  std::string Label = "sprite";          // made a valid identifier for the dialect by the writer
  int ValuesPerLine = 16;                // 1 .. 256; a dialect whose lines are shorter takes fewer
  TNumberBase Base = TNumberBase::Hex;   // BASIC DATA is always decimal
  bool HeaderComment = true;             // size, frames, byte mode, order, mask, bytes per frame
  bool FrameComments = true;             // "frame 3" before each frame
  bool FrameLabels = false;              // LABEL_f0, LABEL_f1, ... at the start of each frame
  int BasicFirstLine = 1000;             // 0 or more
  int BasicStep = 10;                    // 1 or more
};

inline constexpr std::array<TSourceDialect, 9> AllDialects{
    TSourceDialect::Xa,    TSourceDialect::Ca65,   TSourceDialect::Acme, TSourceDialect::Tass64, TSourceDialect::Dasm,
    TSourceDialect::Pasmo, TSourceDialect::Z80asm, TSourceDialect::C,    TSourceDialect::Basic};

// "xa", "ca65", "acme", "64tass", "dasm", "pasmo", "z80asm", "c", "basic" and back.
const char* DialectName(TSourceDialect dialect);
std::optional<TSourceDialect> DialectByName(std::string_view name);

// `label` as an identifier the dialect accepts and never reads as a register, mnemonic,
// directive or keyword: other characters become '_', and a name that does not start with a
// letter or is reserved gets the prefix "sprite_". Empty gives "sprite".
std::string SourceLabel(std::string_view label, TSourceDialect dialect);

// The label a file name suggests: its base name without extension, made a valid identifier.
std::string LabelFromFileName(std::string_view path);

// The text for the document's raw export (frames 0 .. FrameCount-1 in its settings).
std::string ExportSourceText(const TSpriteDocument& document, const TSourceOptions& options);

// The same from given export bytes: a frame is FrameBlockSize of the settings; a short last
// frame is written as it is. Empty data gives the comments and labels but no data lines.
std::string WriteSourceText(std::span<const std::uint8_t> data, const TDocumentSettings& settings,
                            const TSourceOptions& options);
