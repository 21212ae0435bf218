#pragma once
// The input bytes as a document: a project file, a PNG image or raw sprite data, each read as
// the window's Open, Import image and Import read it.

#include <cstdint>
#include <span>
#include <string>

#include "document/sprite_document.h"
#include "image/image_options.h"

// True when the bytes start with the PNG signature; the file name plays no part.
bool LooksLikePng(std::span<const std::uint8_t> bytes);

struct TDocumentRead {
  bool Ok = false;
  std::string Error;  // one line; empty when Ok
  bool PreviousVersion = false;
};

// A project file into a new document (its store never written); a refused file leaves the
// document as it was.
TDocumentRead ReadProject(std::span<const std::uint8_t> bytes, TSpriteDocument& document);

// The same checks, and only the settings: what `info` needs, without the pixels.
TDocumentRead ReadProjectHeader(std::span<const std::uint8_t> bytes, TDocumentSettings& settings);

// A PNG read into the document with its data format (the width rounds up to the byte mode's
// pixels); on an error the document is as it was.
TDocumentRead ReadImage(std::span<const std::uint8_t> bytes, const TPngImportOptions& options,
                        TSpriteDocument& document);

// Raw frame blocks in the document's settings: frames read, at least one. A length the window
// refuses is refused without a change.
TDocumentRead ReadRaw(std::span<const std::uint8_t> bytes, TSpriteDocument& document);

// The largest image an import reads, far above any sheet of 128 frames (as the window's).
constexpr std::uint64_t ImageFileLimit = std::uint64_t(256) << 20;
