// The command line: what each form of each option gives, and the one-line refusals.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "options.h"

namespace {

struct OptionCase {
  const char* name;
  std::vector<std::string> args;
  std::string error;  // the start of the refusal; empty for a good command line
  std::function<bool(const Options&)> holds = [](const Options&) { return true; };
};

void PrintTo(const OptionCase& c, std::ostream* out) {
  *out << c.name;
}

class CommandLine : public testing::TestWithParam<OptionCase> {};

TEST_P(CommandLine, ReadsOrRefusesInOneLine) {
  const OptionCase& c = GetParam();
  const ParsedOptions parsed = ParseOptions(c.args);
  if (c.error.empty()) {
    EXPECT_EQ(parsed.error, "");
    EXPECT_TRUE(c.holds(parsed.options));
  } else {
    EXPECT_EQ(parsed.error.substr(0, c.error.size()), c.error);
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Options, CommandLine,
    testing::Values(
        OptionCase{"NoOptionIsTheWindowAsAlways",
                   {},
                   "",
                   [](const Options& o) {
                     return !o.model && !o.headless && !o.remote && !o.simulate && o.board == 0;
                   }},
        OptionCase{"ModelInAnyCase",
                   {"--model", "zr823"},
                   "",
                   [](const Options& o) { return o.model == 7; }},
        OptionCase{"ModelWithEquals",
                   {"--model=ZR812"},
                   "",
                   [](const Options& o) { return o.model == 2; }},
        OptionCase{"RemoteDefault",
                   {"--remote"},
                   "",
                   [](const Options& o) {
                     return o.remote && o.remote->address == "127.0.0.1" && o.remote->port == 5025;
                   }},
        OptionCase{"RemoteFreePort",
                   {"--remote=0"},
                   "",
                   [](const Options& o) { return o.remote && o.remote->port == 0; }},
        OptionCase{"RemoteAddressAndPort",
                   {"--remote=0.0.0.0:6000"},
                   "",
                   [](const Options& o) {
                     return o.remote->address == "0.0.0.0" && o.remote->port == 6000;
                   }},
        OptionCase{"RemoteIpv6",
                   {"--remote=[::1]:6001"},
                   "",
                   [](const Options& o) { return o.remote->address == "::1"; }},
        OptionCase{"ToolkitOptionsPassOn",
                   {"-platform", "offscreen", "--simulate"},
                   "",
                   [](const Options& o) {
                     return o.simulate &&
                            o.toolkitArgs == std::vector<std::string>{"-platform", "offscreen"};
                   }},
        OptionCase{
            "BoardNumber", {"--board", "3"}, "", [](const Options& o) { return o.board == 3; }},
        OptionCase{"UnknownModel", {"--model", "ZR999"}, "unknown model ZR999: choose one of"},
        OptionCase{"UnknownOption", {"--remot"}, "unknown option --remot"},
        OptionCase{"PortTooLarge", {"--remote=70000"}, "--remote takes PORT or ADDRESS:PORT"},
        OptionCase{"PortNotANumber", {"--remote=localhost:http"}, "--remote takes PORT"},
        OptionCase{"ModelWithoutValue", {"--model"}, "--model needs a value"},
        OptionCase{"HeadlessNeedsModel", {"--headless"}, "--headless needs --model or --setup"},
        OptionCase{"HeadlessTakesTheModelOfTheSetup",
                   {"--headless", "--setup=bench.json"},
                   "",
                   [](const Options& o) { return !o.model && o.setupFile == "bench.json"; }},
        OptionCase{"SetupWithoutValue", {"--model", "zr810", "--setup"}, "--setup needs a value"},
        OptionCase{"HeadlessTakesNoToolkitOption",
                   {"--headless", "--model", "ZR810", "-style", "fusion"},
                   "window-system option -style"},
        OptionCase{"StrayArgument", {"ZR810"}, "unexpected argument ZR810"},
        OptionCase{"BoardNotANumber", {"--board=first"}, "--board takes a board number"}),
    [](const testing::TestParamInfo<OptionCase>& row) { return std::string(row.param.name); });

TEST(CommandLine, HelpListsEveryOption) {
  const std::string usage = UsageText();
  for (const char* option :
       {"--model", "--headless", "--remote", "--simulate", "--usb-id", "--board", "--help"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
  EXPECT_TRUE(ParseOptions({"--help"}).options.help);
}

}  // namespace
