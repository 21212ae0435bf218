#pragma once
// The command line: `info`, `export` and `import` with their options, read with CLI11 into one
// request. Help and the version go to standard output, usage errors to standard error.

#include <string>

#include "export_output.h"
#include "image/image_options.h"
#include "settings_overrides.h"

enum class TCommand { Info, Export, Import };

struct TCliRequest {
  TCommand Command = TCommand::Info;
  std::string Input;
  std::string Output;
  bool Json = false;           // info
  std::string FormatName;      // export; empty: from the output's extension
  std::string Frames;          // export; empty: all frames
  TSettingsOverrides Overrides;
  TExportOptions Export;
  TPngImportOptions ImageIn;   // a PNG input of export or import
};

struct TParsedArguments {
  bool Run = false;  // false: the program ends with Status (help, version, usage error)
  int Status = 0;
  TCliRequest Request;
};

TParsedArguments ParseArguments(int argc, const char* const* argv);

// "Usage: deduzu-sprite export FILE -o OUT [options]" and so on.
std::string UsageLine(TCommand command);

constexpr int ExitRefused = 1;  // the input is refused or the output cannot be written
constexpr int ExitUsage = 2;
