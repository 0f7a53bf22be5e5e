// Starts the evaluation program: reads the command line (and the setup file of --setup), then opens
// the window (as it always has, when there is no option) or runs headless with the board link and
// the SCPI server only.

#include <cstdio>
#include <string>
#include <vector>

#include "firmware_lookup.h"
#include "options.h"
#include "run_modes.h"
#include "start_setup.h"

int main(int argc, char* argv[]) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  ParsedOptions parsed = ParseOptions(args);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "dac-eval: %s\n", parsed.error.c_str());
    return kBadStartExitCode;
  }
  Options& options = parsed.options;
  if (options.help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  // Before the window system and the board: a refused setup file ends the program here.
  const StartSetup start = ReadStartSetup(options);
  if (!start.error.empty()) {
    std::fprintf(stderr, "dac-eval: %s\n", start.error.c_str());
    return kBadStartExitCode;
  }
  if (options.firmwareFile && !RegularFileExists(*options.firmwareFile)) {
    std::fprintf(stderr, "dac-eval: --firmware %s: no such file\n", options.firmwareFile->c_str());
    return kBadStartExitCode;
  }
  if (options.headless) {
    if (!options.remote) options.remote = RemoteEndpoint{};
    return RunHeadless(options, argv[0], start.setup);
  }
  return RunWindow(options, argv[0], start.setup);
}
