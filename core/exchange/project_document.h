#pragma once
// A whole document as a project file and back: the header's fields are the document's
// settings (the current frame 1-based), the payload its pixels.

#include <cstdint>
#include <span>
#include <vector>

#include "document/sprite_document.h"
#include "exchange/project_file.h"

TProjectHeader ProjectHeaderOf(const TDocumentSettings& settings);

// The header's settings as the document keeps them (see Normalized): a frame count of 0
// gives one frame, a current frame of 0 the first. The header has passed CheckProjectFile.
TDocumentSettings SettingsOf(const TProjectHeader& header);

std::vector<std::uint8_t> BuildDocumentFile(const TSpriteDocument& document);

// Reads a project file into the document; a refused file leaves the document as it was. The
// copy buffer is never touched. `stream` is a caller's buffer for the decoded pixels, so that
// a caller that loads often keeps one.
// `fresh`: the document's store and the stream buffer are new and hold only zeros, so that
// nothing is written where they stay zero (see DecodePixelStream and SpreadPixelStream).
TProjectStatus LoadDocumentFile(TSpriteDocument& document, std::span<const std::uint8_t> bytes,
                                std::span<std::uint8_t, PixelStreamSize> stream, bool fresh = false);
