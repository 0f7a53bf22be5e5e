#include "test_tree.h"

#include <stdexcept>

#include "call.h"
#include "number_format.h"
#include "standard_tree.h"

namespace {

std::string Entry(const std::string& pattern, std::size_t suffixes, const scpi::Call& call) {
  std::string entry = pattern + "[";
  for (std::size_t i = 0; i < suffixes; ++i) {
    if (i > 0) entry += ',';
    entry += std::to_string(call.suffix(i));
  }
  entry += "](";
  for (std::size_t i = 0; i < call.paramCount(); ++i) {
    if (i > 0) entry += ',';
    entry += call.param(i);
  }
  return entry + ")";
}

// Adds `pattern`, logging each call; `then` runs after the entry is logged.
template <typename Then>
void AddLogged(scpi::CommandTree& tree, std::vector<std::string>& log, const std::string& pattern,
               int minParams, int maxParams, std::size_t suffixes, Then then) {
  tree.add(pattern, minParams, maxParams, [&log, pattern, suffixes, then](scpi::Call& call) {
    log.push_back(Entry(pattern, suffixes, call));
    then(call);
  });
}

void AddLogged(scpi::CommandTree& tree, std::vector<std::string>& log, const std::string& pattern,
               int minParams, int maxParams, std::size_t suffixes = 0) {
  AddLogged(tree, log, pattern, minParams, maxParams, suffixes, [](scpi::Call&) {});
}

}  // namespace

scpi::CommandTree TestTree(std::vector<std::string>& log) {
  using scpi::Call;
  scpi::CommandTree tree = scpi::StandardTree();
  AddLogged(tree, log, "DAC#:X1A", 1, 1, 1);
  AddLogged(tree, log, "DAC#:X1A?", 0, 0, 1,
            [](Call& call) { call.reply(std::to_string(call.suffix(0))); });
  AddLogged(tree, log, "DAC#:X1B", 1, 1, 1);
  AddLogged(tree, log, "DAC#:OFFSet#:VOLTage", 1, 1, 2);
  AddLogged(tree, log, "[SOURce]:MODE", 1, 1);
  AddLogged(tree, log, "[SOURce]:MODE?", 0, 0, 0, [](Call& call) { call.reply("LOW"); });
  AddLogged(tree, log, "LDAC", 0, 0);
  AddLogged(tree, log, "MEASure:VOLTage[:DC]?", 0, 1, 0, [](Call& call) { call.reply("2.5"); });
  AddLogged(tree, log, "RANGe", 2, 3);
  AddLogged(tree, log, "VALue", 1, 1, 0, [](Call& call) { call.code(0, 0, 65535); });
  AddLogged(tree, log, "LEVel", 1, 1, 0, [](Call& call) { call.real(0); });
  AddLogged(tree, log, "ENABle", 1, 1, 0, [](Call& call) { call.boolean(0); });
  AddLogged(tree, log, "*IDN?", 0, 0, 0, [](Call& call) { call.reply("TEST,ENGINE,0,1"); });
  AddLogged(tree, log, "*RST", 0, 0);
  AddLogged(tree, log, "FAIL:EXECution", 0, 0, 0, [](Call& call) { call.error(-221, "test"); });
  AddLogged(tree, log, "FAIL:COMMand", 0, 0, 0, [](Call& call) { call.error(-100); });
  AddLogged(tree, log, "FAIL:THRow", 0, 0, 0, [](Call&) { throw std::runtime_error("boom"); });
  return tree;
}

std::vector<int> TakeErrors(scpi::Connection& connection) {
  std::vector<int> codes;
  while (auto error = connection.errors().pop()) codes.push_back(error->code);
  return codes;
}

std::vector<std::string> TakeErrorTexts(scpi::Connection& connection) {
  std::vector<std::string> texts;
  while (auto error = connection.errors().pop()) texts.push_back(scpi::FormatError(*error));
  return texts;
}
