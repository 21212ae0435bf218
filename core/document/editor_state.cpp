#include "document/editor_state.h"

#include <cctype>

#include "document/version.h"

bool HasProjectExtension(std::string_view path) {
  const auto sep = path.find_last_of("/\\");
  const auto dot = path.rfind('.');
  if (dot == std::string_view::npos || (sep != std::string_view::npos && dot < sep)) return false;
  const std::string_view ext = path.substr(dot);
  constexpr std::string_view wanted = ".sprite";
  if (ext.size() != wanted.size()) return false;
  for (std::size_t i = 0; i < ext.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(ext[i])) != wanted[i]) return false;
  return true;
}

std::string StartupFileName(const std::vector<std::string>& args) {
  if (args.size() < 2 || !HasProjectExtension(args[1])) return {};
  return args[1];
}

std::string BuildCaption(std::string_view base, bool modified, std::string_view path) {
  std::string title(base);
  if (path.empty()) {
    if (modified) title += " - [* NoNameFile]";
  } else {
    title += modified ? " - [* " : " - [";
    title += path;
    title += "]";
  }
  return title;
}

const char* ProgramVersion() { return DeduzuVersion; }
