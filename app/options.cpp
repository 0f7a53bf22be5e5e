#include "options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <string_view>

#include "catalogue.h"
#include "usb_id_text.h"

namespace {

// Window-system options that take a value in the next argument.
constexpr std::array<std::string_view, 13> kToolkitOptionsWithValue{
    "-platform",     "-platformpluginpath", "-platformtheme", "-plugin",     "-qwindowgeometry",
    "-qwindowtitle", "-qwindowicon",        "-style",         "-stylesheet", "-session",
    "-display",      "-geometry",           "-title"};

std::optional<int> ReadNumber(std::string_view text, int max) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size() || value < 0 || value > max)
    return std::nullopt;
  return value;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<int> ModelRow(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  const PartInfo* part = FindPart(name);
  if (part == nullptr) return std::nullopt;
  return static_cast<int>(part - PartCatalogue().data());
}

std::string ModelNames() {
  std::string names;
  for (const PartInfo& part : PartCatalogue()) {
    names += (names.empty() ? "" : ", ") + std::string(part.name);
  }
  return names;
}

// Four decimal numbers 0 to 255 joined by dots: no shorthand such as 127.1, no hexadecimal and no
// single number, each of which the socket library would read as some address.
bool IsDottedQuad(std::string_view text) {
  int parts = 0;
  while (true) {
    const std::size_t dot = text.find('.');
    const std::string_view part = text.substr(0, dot);
    const bool leadingZero = part.size() > 1 && part.front() == '0';  // read as octal by some
    if (part.empty() || part.size() > 3 || leadingZero || !ReadNumber(part, 255)) return false;
    ++parts;
    if (dot == std::string_view::npos) break;
    text.remove_prefix(dot + 1);
  }
  return parts == 4;
}

// What may stand between brackets: hexadecimal groups, colons and an IPv4 tail (checked in full
// when the server binds it).
bool LooksLikeIpv6(std::string_view text) {
  return std::count(text.begin(), text.end(), ':') >= 2 &&
         std::all_of(text.begin(), text.end(), [](char c) {
           return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
         });
}

// PORT, or ADDRESS:PORT, the address being a dotted-quad IPv4 address, an IPv6 address in
// brackets, or localhost.
std::optional<RemoteEndpoint> ReadEndpoint(std::string_view text) {
  RemoteEndpoint endpoint;
  const bool bracketed = !text.empty() && text.front() == '[';
  const std::size_t colon = bracketed ? text.find("]:") + 1 : text.find(':');
  if (bracketed && colon == 0) return std::nullopt;
  if (colon != std::string_view::npos) {
    std::string_view host = text.substr(0, colon);
    if (bracketed) {
      host = host.substr(1, host.size() - 2);
      if (!LooksLikeIpv6(host)) return std::nullopt;
    } else if (!IsDottedQuad(host) && !EqualsIgnoringCase(host, "localhost")) {
      return std::nullopt;
    }
    endpoint.address = std::string(host);
    text = text.substr(colon + 1);
  }
  if (text.empty() || text.size() > 5) return std::nullopt;
  const std::optional<int> port = ReadNumber(text, 65535);
  if (!port) return std::nullopt;
  endpoint.port = static_cast<uint16_t>(*port);
  return endpoint;
}

class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : args_(args) {}

  ParsedOptions run() {
    while (at_ < args_.size() && result_.error.empty()) next(args_[at_++]);
    const Options& o = result_.options;
    if (o.headless && !o.model && !o.setupFile)
      fail("--headless needs --model or --setup: there is no part chooser without a window");
    if (o.headless && !o.toolkitArgs.empty())
      fail("window-system option " + o.toolkitArgs.front() + " has no meaning with --headless");
    return result_;
  }

 private:
  void next(const std::string& arg) {
    if (arg.rfind("--", 0) != 0) return toolkitArgument(arg);
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const std::optional<std::string> inlineValue =
        equals == std::string::npos ? std::nullopt : std::optional(arg.substr(equals + 1));
    Options& o = result_.options;
    if (name == "--help") {
      o.help = true;
    } else if (name == "--headless") {
      o.headless = true;
    } else if (name == "--simulate") {
      o.simulate = true;
    } else if (name == "--remote") {
      const auto endpoint = inlineValue ? ReadEndpoint(*inlineValue) : RemoteEndpoint{};
      if (!endpoint) {
        return fail(
            "--remote takes PORT or ADDRESS:PORT (a dotted-quad IPv4 address, an IPv6 "
            "address in brackets or localhost), not " +
            *inlineValue);
      }
      o.remote = endpoint;
    } else if (name == "--remote-clients") {
      const auto value = valueOf(name, inlineValue);
      if (!value) return;
      const auto number = ReadNumber(*value, 1024);
      if (!number || *number < 1)
        return fail("--remote-clients takes a number of clients from 1 to 1024, not " + *value);
      o.remoteClients = *number;
    } else if (name == "--model") {
      const auto value = valueOf(name, inlineValue);
      if (!value) return;
      o.model = ModelRow(*value);
      if (!o.model) return fail("unknown model " + *value + ": choose one of " + ModelNames());
    } else if (name == "--usb-id") {
      o.usbIds = valueOf(name, inlineValue);
      if (!o.usbIds) return;
      const UsbIdTextResult read = ParseUsbIdText(*o.usbIds);
      if (!read.ids) return fail("--usb-id: " + read.error);
    } else if (name == "--setup") {
      o.setupFile = valueOf(name, inlineValue);
    } else if (name == "--firmware") {
      o.firmwareFile = valueOf(name, inlineValue);
    } else if (name == "--log") {
      o.logFile = valueOf(name, inlineValue);
    } else if (name == "--board") {
      const auto value = valueOf(name, inlineValue);
      if (!value) return;
      const auto number = ReadNumber(*value, 127);
      if (!number) return fail("--board takes a board number from 0 to 127, not " + *value);
      o.board = *number;
    } else {
      fail("unknown option " + name + " (--help lists the options)");
    }
  }

  // Without '=': the next argument.
  std::optional<std::string> valueOf(const std::string& name,
                                     const std::optional<std::string>& inlineValue) {
    if (inlineValue) return inlineValue;
    if (at_ < args_.size()) return args_[at_++];
    fail(name + " needs a value");
    return std::nullopt;
  }

  void toolkitArgument(const std::string& arg) {
    if (arg.size() < 2 || arg[0] != '-') return fail("unexpected argument " + arg);
    result_.options.toolkitArgs.push_back(arg);
    const bool takesValue =
        std::find(kToolkitOptionsWithValue.begin(), kToolkitOptionsWithValue.end(), arg) !=
        kToolkitOptionsWithValue.end();
    if (takesValue && at_ < args_.size()) result_.options.toolkitArgs.push_back(args_[at_++]);
  }

  void fail(std::string text) {
    if (result_.error.empty()) result_.error = std::move(text);
  }

  const std::vector<std::string>& args_;
  std::size_t at_ = 0;
  ParsedOptions result_;
};

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
  return Parser(args).run();
}

std::string UsageText() {
  return "Usage: dac-eval [options]\n"
         "Control program of the DAC evaluation board. Without options it opens the window and\n"
         "asks for the chip model.\n"
         "\n"
         "  --model NAME         the chip model (" +
         ModelNames() +
         ", any case), without the part chooser\n"
         "  --headless           no window at all: the board link and the SCPI server only;\n"
         "                       needs --model, and serves on 127.0.0.1:5025 unless --remote\n"
         "                       says otherwise\n"
         "  --remote[=PORT]      remote control: a SCPI server on 127.0.0.1:5025, or PORT\n"
         "  --remote=ADDRESS:PORT  the server on another address, on purpose (0 takes a free "
         "port)\n"
         "  --remote-clients N   how many remote clients may be connected at once (1 to 1024;\n"
         "                       64 unless given)\n"
         "  --simulate           the built-in simulated board, even with a board attached\n"
         "  --usb-id VID:PID[,VID:PID]  the board's USB IDs, before and after its firmware loads\n"
         "  --board N            the N-th board found (from 0) rather than the first\n"
         "  --setup FILE         a saved setup, restored once start-up is done; its model is\n"
         "                       the program's (--model may only name the same one)\n"
         "  --firmware FILE      the board's firmware image for this run (otherwise looked for\n"
         "                       next to the program, in $XDG_DATA_HOME/dac-eval/, then in\n"
         "                       dac-eval/ under each folder of $XDG_DATA_DIRS)\n"
         "  --log FILE           the request log written to FILE as CSV while the program runs\n"
         "                       (the columns of the log's CSV export), flushed every second\n"
         "  --help               this text\n";
}
