// deduzu-sprite: the exchange formats of the Deduzu Sprite Editor for builds and scripts.
// Exit status 0 on success, 1 when the input is refused or the output cannot be written (one
// line on standard error), 2 for wrong usage (the error and the usage line).

#include <cstdio>

#include "cli_arguments.h"
#include "commands.h"

int main(int argc, char** argv) {
  const TParsedArguments parsed = ParseArguments(argc, argv);
  if (!parsed.Run) return parsed.Status;
  const TCommandResult result = RunCommand(parsed.Request);
  if (result.Status == ExitUsage) {
    std::fprintf(stderr, "deduzu-sprite: %s\n%s\n", result.Message.c_str(), UsageLine(parsed.Request.Command).c_str());
  } else if (result.Status != 0) {
    std::fprintf(stderr, "%s\n", result.Message.c_str());
  }
  return result.Status;
}
