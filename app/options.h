#pragma once
// The command line. Without any option the program is exactly the window it always was; every
// option adds to it. Arguments of one dash belong to the window system (Qt's -platform,
// -style...) and are passed on to it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct RemoteEndpoint {
  std::string address = "127.0.0.1";
  uint16_t port = 5025;
};

struct Options {
  std::optional<int> model;  // catalogue row of --model
  bool headless = false;
  std::optional<RemoteEndpoint> remote;
  int remoteClients = 64;  // --remote-clients N: how many clients at once
  bool simulate = false;
  std::optional<std::string> usbIds;     // --usb-id VID:PID[,VID:PID], read by the board link
  int board = 0;                         // --board N: the N-th board found
  std::optional<std::string> setupFile;  // --setup FILE, restored once start-up is done
  // --firmware FILE: the board's firmware image for this run.
  std::optional<std::string> firmwareFile;
  // --log FILE: the request log written to FILE as CSV while the program runs.
  std::optional<std::string> logFile;
  bool help = false;
  std::vector<std::string> toolkitArgs;  // for the window system
};

struct ParsedOptions {
  Options options;
  std::string error;  // one line, for a bad command line; empty when it is good
};

// `args`: the arguments after the program's name.
ParsedOptions ParseOptions(const std::vector<std::string>& args);

// What --help prints.
std::string UsageText();
