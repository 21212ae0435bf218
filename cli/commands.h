#pragma once
// The three commands, run on a parsed request.

#include <string>

#include "cli_arguments.h"

struct TCommandResult {
  int Status = 0;
  // Status 1: the one error line, naming the file. Status 2: the usage error, without the
  // usage line.
  std::string Message;
};

TCommandResult RunCommand(const TCliRequest& request);

// What `info` prints for a project's settings, as lines of text or as one JSON object.
struct TDocumentSettings;
std::string InfoText(const std::string& name, const TDocumentSettings& settings, bool previousVersion, bool json);
