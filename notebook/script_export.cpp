#include "script_export.h"

#include <cstdio>
#include <variant>

namespace {

constexpr const char* kPrologue = R"(#!/usr/bin/env python3
"""A session recorded by dac-eval's request log on a {MODEL}, replayed through pyvisa.

Start dac-eval with remote control on a {MODEL} (in the window, or without it:
dac-eval --headless --model {MODEL} --remote), then run this script with Python 3:

    python3 <this file> [RESOURCE]

RESOURCE is the VISA resource of the program's SCPI server (the one below unless given).
Every command goes with SYST:ERR? in the same write; the script stops at the first error.
"""

import re
import sys

import pyvisa

RESOURCE = {RESOURCE}
MODEL = {MODEL_STRING}

if len(sys.argv) > 1:
    RESOURCE = sys.argv[1]

instrument = pyvisa.ResourceManager("@py").open_resource(RESOURCE)
instrument.read_termination = "\n"
instrument.write_termination = "\n"
instrument.timeout = 10000

# An error entry as SYST:ERR? answers it; no answer of another query has this form.
ERROR_ENTRY = re.compile(r'^-\d+,".*"$')


def check(command, entry):
    """Stops the script when the program refused `command` or the board failed it."""
    if not entry.startswith("0,"):
        sys.exit(f"{command}: {entry}")


def send(command):
    """The command, then its error check on a line of its own: one write, one round trip."""
    instrument.write(f"{command}\nSYST:ERR?")
    check(command, instrument.read().strip())


def ask(command):
    """A refused query answers nothing, so its error entry comes first: the script stops at
    once instead of waiting for the timeout."""
    instrument.write(f"{command}\nSYST:ERR?")
    reply = instrument.read().strip()
    if ERROR_ENTRY.match(reply):
        sys.exit(f"{command}: {reply}")
    check(command, instrument.read().strip())
    return reply


identity = instrument.query("*IDN?").strip().split(",")
if len(identity) < 2 or identity[1] != MODEL:
    sys.exit(f"the instrument is not a {MODEL} but {identity}: its channels would differ")
instrument.write("*CLS")

)";

void ReplaceAll(std::string& text, std::string_view key, const std::string& value) {
  for (std::size_t at = text.find(key); at != std::string::npos;
       at = text.find(key, at + value.size())) {
    text.replace(at, key.size(), value);
  }
}

// A text on one comment line: control characters become spaces.
std::string CommentText(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return text;
}

std::string ActionLine(const LoggedAction& logged) {
  const std::string origin = CommentText(logged.action.origin);
  const std::string command = logged.command();
  if (logged.refused) {
    return "# refused, not replayed: " + CommentText(command) + " (" + origin + ": " +
           CommentText(logged.refusal) + ")\n";
  }
  if (command.empty()) return "# not replayed, no command repeats it: " + origin + "\n";
  const char* call = command.back() == '?' ? "ask" : "send";
  return std::string(call) + "(" + PythonString(command) + ")  # " + origin + "\n";
}

}  // namespace

std::string PythonString(std::string_view text) {
  std::string literal = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      literal += '\\';
      literal += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      literal += escaped;
    } else {
      literal += c;
    }
  }
  return literal + '"';
}

std::string SessionAsScript(const RequestLog& log, std::string_view resource) {
  std::string script = kPrologue;
  ReplaceAll(script, "{RESOURCE}", PythonString(resource));
  ReplaceAll(script, "{MODEL_STRING}", PythonString(log.modelName()));
  ReplaceAll(script, "{MODEL}", CommentText(log.modelName()));
  const Ring<uint64_t>& ended = log.endedActions();
  bool dropped = ended.begin() > 0;
  std::string body;
  for (uint64_t n = ended.begin(); n < ended.end(); ++n) {
    const LoggedAction* action = log.action(ended.at(n));
    dropped = dropped || action == nullptr;
    if (action == nullptr || std::holds_alternative<actions::Start>(action->action.what)) continue;
    body += ActionLine(*action);
  }
  if (dropped) {
    script += "# The log keeps the last " + std::to_string(ended.capacity()) +
              " actions: the session began before these.\n";
  }
  return script + body;
}
