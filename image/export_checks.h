#pragma once
// What both exports refuse in a document before they write anything.

#include <string>

#include "document/sprite_document.h"

// Empty when the settings are as the settings panel keeps them, else the message.
inline std::string DocumentSettingsError(const TDocumentSettings& settings) {
  return Normalized(settings) == settings ? std::string() : "The document's size or frame count is out of range.";
}
