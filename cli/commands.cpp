#include "commands.h"

#include <array>
#include <memory>
#include <span>

#include "document_input.h"
#include "exchange/project_document.h"
#include "exchange/raw_layout.h"
#include "exchange/source_text.h"
#include "input_file.h"
#include "output_file.h"

namespace {

constexpr std::array<const char*, 4> OrderOptionNames{"rows", "columns", "rows-zigzag", "columns-zigzag"};
constexpr std::array<const char*, 6> MaskOptionNames{"mask-byte-first",  "data-byte-first", "whole-mask-first",
                                                     "whole-data-first", "mask-line-first", "data-line-first"};

TCommandResult Refused(const std::string& name, const std::string& reason) {
  return {ExitRefused, DisplayName(name) + ": " + reason};
}

TCommandResult Usage(std::string message) { return {ExitUsage, std::move(message)}; }

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TCommandResult Write(const std::string& path, std::span<const std::uint8_t> bytes, const TFileIdentity& input) {
  const TWriteStatus status = WriteOutputFile(path, bytes, input);
  if (status != TWriteStatus::Ok) return Refused(path == "-" ? "standard output" : path, WriteStatusText(status));
  return {};
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (c < 0x20) {
      static constexpr char Hex[] = "0123456789abcdef";
      out += "\\u00";
      out += Hex[c >> 4];
      out += Hex[c & 15];
    } else {
      out += char(c);
    }
  }
  return out + '"';
}

TCommandResult RunInfo(const TCliRequest& r) {
  const TInputFile input = ReadInputFile(r.Input, ProjectFileMaxSize);
  if (input.Status != TReadStatus::Ok) return Refused(r.Input, ReadStatusText(input.Status));
  TDocumentSettings settings;
  const TDocumentRead read = ReadProjectHeader(input.Bytes, settings);
  if (!read.Ok) return Refused(r.Input, read.Error);
  return Write("-", Bytes(InfoText(DisplayName(r.Input), settings, read.PreviousVersion, r.Json)), {});
}

std::string DefaultLabel(const TCliRequest& r) {
  if (r.Output != "-") return LabelFromFileName(r.Output);
  if (r.Input != "-") return LabelFromFileName(r.Input);
  return "sprite";
}

TCommandResult RunExport(const TCliRequest& r) {
  const std::optional<TOutputFormat> format =
      r.FormatName.empty() ? OutputFormatByExtension(r.Output) : OutputFormatByName(r.FormatName);
  if (!format)
    return Usage(r.Output == "-" ? "standard output has no extension to tell the format; give --format"
                                 : r.Output + ": the extension tells no format; give --format");
  std::optional<TFrameRange> range;
  if (!r.Frames.empty() && !(range = ParseFrameRange(r.Frames)))
    return Usage("--frames " + r.Frames + ": give A-B or A, 1-based");

  const TInputFile input = ReadInputFile(r.Input, ImageFileLimit);
  if (input.Status != TReadStatus::Ok) return Refused(r.Input, ReadStatusText(input.Status));
  auto document = std::make_unique<TSpriteDocument>();
  TDocumentRead read;
  if (LooksLikePng(input.Bytes)) {
    // The byte mode decides how the image's width is rounded, so the format comes first.
    ApplyFormat(document->Settings, r.Overrides);
    read = ReadImage(input.Bytes, r.ImageIn, *document);
  } else {
    read = ReadProject(input.Bytes, *document);
    if (read.Ok) ApplyFormat(document->Settings, r.Overrides);
  }
  if (!read.Ok) return Refused(r.Input, read.Error);
  if (std::string error = ApplySize(document->Settings, r.Overrides); !error.empty()) return Usage(error);
  if (range)
    if (std::string error = KeepFrames(*document, *range); !error.empty()) return Usage(error);

  TExportOptions options = r.Export;
  if (options.Source.Label.empty()) options.Source.Label = DefaultLabel(r);
  const TExportResult result = ExportDocument(*document, *format, options);
  if (!result.Error.empty()) return Refused(r.Input, result.Error);
  return Write(r.Output, result.Bytes, input.Identity);
}

TCommandResult RunImport(const TCliRequest& r) {
  const TInputFile input = ReadInputFile(r.Input, ImageFileLimit);
  if (input.Status != TReadStatus::Ok) return Refused(r.Input, ReadStatusText(input.Status));
  auto document = std::make_unique<TSpriteDocument>();
  ApplyFormat(document->Settings, r.Overrides);
  TDocumentRead read;
  if (LooksLikePng(input.Bytes)) {
    read = ReadImage(input.Bytes, r.ImageIn, *document);
    if (!read.Ok) return Refused(r.Input, read.Error);
    if (std::string error = ApplySize(document->Settings, r.Overrides); !error.empty()) return Usage(error);
  } else {
    // The size is the layout the raw data is read in.
    if (std::string error = ApplySize(document->Settings, r.Overrides); !error.empty()) return Usage(error);
    read = ReadRaw(input.Bytes, *document);
    if (!read.Ok) return Refused(r.Input, read.Error);
  }
  return Write(r.Output, BuildDocumentFile(*document), input.Identity);
}

}  // namespace

std::string InfoText(const std::string& name, const TDocumentSettings& s, bool previousVersion, bool json) {
  const TDataFormat& f = s.Format;
  const int mode = BitsPerByte(f.ByteMode);
  const int rawSize = RawDataSize(f, s.Width, s.Height, s.FrameCount);
  const char* order = OrderOptionNames[std::size_t(f.Order)];
  const char* arrangement = MaskOptionNames[std::size_t(f.Arrangement)];
  const std::string attr = AttrChoiceItems[std::size_t(f.AttrChoice & 3)];
  if (json) {
    return "{\"file\":" + JsonString(name) + ",\"mode\":" + std::to_string(mode) + ",\"order\":\"" + order +
           "\",\"masked\":" + (f.Masked ? "true" : "false") + ",\"arrangement\":\"" + arrangement +
           "\",\"attr\":" + std::to_string(f.AttrChoice) + ",\"width\":" + std::to_string(s.Width) +
           ",\"height\":" + std::to_string(s.Height) + ",\"frames\":" + std::to_string(s.FrameCount) +
           ",\"current_frame\":" + std::to_string(s.CurrentFrame + 1) + ",\"raw_size\":" + std::to_string(rawSize) +
           ",\"previous_version\":" + (previousVersion ? "true" : "false") + "}\n";
  }
  std::string text;
  const auto line = [&text](const char* key, const std::string& value) {
    text += key;
    text += std::string(18 - std::string(key).size(), ' ') + value + '\n';
  };
  line("file:", name);
  line("byte mode:", std::to_string(mode) + " (" + ByteModeItems[std::size_t(f.ByteMode)] + ")");
  line("order:", std::string(order) + " (" + DataOrderItems[std::size_t(f.Order)] + ")");
  line("masking:", f.Masked ? "on" : "off");
  line("arrangement:", std::string(arrangement) + " (" + MaskArrangementItems[std::size_t(f.Arrangement)] + ")");
  line("attribute bits:", attr + " (--attr " + std::to_string(f.AttrChoice) + ")");
  line("width:", std::to_string(s.Width));
  line("height:", std::to_string(s.Height));
  line("frames:", std::to_string(s.FrameCount));
  line("current frame:", std::to_string(s.CurrentFrame + 1));
  line("raw export size:", std::to_string(rawSize) + " bytes");
  line("previous version:", previousVersion ? "yes" : "no");
  return text;
}

TCommandResult RunCommand(const TCliRequest& request) {
  switch (request.Command) {
    case TCommand::Info: return RunInfo(request);
    case TCommand::Export: return RunExport(request);
    case TCommand::Import: return RunImport(request);
  }
  return {};
}
