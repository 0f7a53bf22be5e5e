#pragma once
// A recorded session as a Python script: the actions of the request log that a command of the
// remote control repeats, in the order they ended, sent through pyvisa (pyvisa-py, "@py") to a
// program of the same model. The connection comes first (the resource as a variable, replaced by
// the script's first argument when given; LF line ends both ways), then a check that the
// instrument is that model, then one line per action, each followed by a check of SYST:ERR? that
// stops the script at the first error. Actions that were refused, or that no command repeats,
// stand as comments in their place.
//
// Replayed against a fresh program of the same model, the script sends the board the same
// words, in the same order, as the recorded session did.

#include <string>
#include <string_view>

#include "request_log.h"

inline constexpr std::string_view kDefaultScriptResource = "TCPIP::127.0.0.1::5025::SOCKET";

std::string SessionAsScript(const RequestLog& log,
                            std::string_view resource = kDefaultScriptResource);

// `text` as a Python string literal in double quotes.
std::string PythonString(std::string_view text);
