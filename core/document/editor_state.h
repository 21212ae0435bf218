#pragma once
// The parts of the editor state that need no window: redraw tokens, the start-up file taken
// from the command line, the window title and the program's version.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// Redraw requests: a cell token is followed by x, then y; rtFull stands alone.
enum TRedrawToken : std::int32_t { rtSpriteCell = 1, rtMaskCell = 2, rtFull = 3 };
using TRedrawQueue = std::deque<std::int32_t>;

inline constexpr const char* BaseCaption = "Deduzu Sprite Editor";

// True when the extension (from the last "." after the last "/" or "\") is ".sprite" in any
// letter case.
bool HasProjectExtension(std::string_view path);

// The project named by the first argument after the program, or empty. `args` holds the
// program first; further arguments are ignored.
std::string StartupFileName(const std::vector<std::string>& args);

// The window title for a document's identity.
std::string BuildCaption(std::string_view base, bool modified, std::string_view path);

// "major.minor.release.build" from the build.
const char* ProgramVersion();
