#pragma once
// A step that replaces the whole document by another one, as an image import does: the new
// sprite size, frame count and every frame's pixels at once. It keeps both documents as packed
// project files; the copy buffer is no part of either.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "history/edit_step.h"

// `after` is the new document as a project file (BuildDocumentFile).
std::unique_ptr<TEditStep> MakeReplaceStep(std::string text, std::vector<std::uint8_t> after);
