#include "document_input.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

#include "exchange/project_document.h"
#include "exchange/raw_layout.h"
#include "image/png_import.h"

namespace {

// The window shows its texts in a message box; an error line keeps them on one line.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

TDocumentRead Refused(std::string text) { return {false, OneLine(std::move(text)), false}; }

struct TFree {
  void operator()(void* block) const { std::free(block); }
};

}  // namespace

bool LooksLikePng(std::span<const std::uint8_t> bytes) {
  static constexpr std::array<std::uint8_t, 8> Signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return bytes.size() >= Signature.size() && std::equal(Signature.begin(), Signature.end(), bytes.begin());
}

TDocumentRead ReadProjectHeader(std::span<const std::uint8_t> bytes, TDocumentSettings& settings) {
  const TProjectStatus status = CheckProjectFile(bytes);
  if (status.Result != TProjectResult::Ok) return Refused(ProjectResultText(status.Result));
  settings = SettingsOf(status.Header);
  return {true, {}, status.PreviousVersion};
}

TDocumentRead ReadProject(std::span<const std::uint8_t> bytes, TSpriteDocument& document) {
  const TProjectStatus status = CheckProjectFile(bytes);
  if (status.Result != TProjectResult::Ok) return Refused(ProjectResultText(status.Result));
  // Zeroed by the allocator, like the new document's store: the load writes only what the
  // file sets, and the pages of a small document's unused frames are never touched.
  const std::unique_ptr<std::uint8_t, TFree> stream(static_cast<std::uint8_t*>(std::calloc(1, PixelStreamSize)));
  if (!stream) return Refused("Out of memory!");
  LoadDocumentFile(document, bytes, std::span<std::uint8_t, PixelStreamSize>(stream.get(), PixelStreamSize), true);
  return {true, {}, status.PreviousVersion};
}

TDocumentRead ReadImage(std::span<const std::uint8_t> bytes, const TPngImportOptions& options,
                        TSpriteDocument& document) {
  const TImageImport read = ImportPng(bytes, options, document);
  if (!read.Ok) return Refused(read.Error);
  return {true, {}, false};
}

TDocumentRead ReadRaw(std::span<const std::uint8_t> bytes, TSpriteDocument& document) {
  TDocumentSettings& s = document.Settings;
  if (!ImportLengthAccepted(bytes.size(), s.Format.ByteMode, s.Format.Masked))
    return Refused("File has unexpected length!");
  s.FrameCount = std::max(1, ImportFrames(document.Store, s.Format, s.Width, s.Height, bytes));
  s.CurrentFrame = 0;
  return {true, {}, false};
}
