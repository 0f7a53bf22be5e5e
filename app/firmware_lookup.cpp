#include "firmware_lookup.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "board_link.h"
#include "options.h"

namespace {

// A variable that is unset or empty takes its default, as the XDG base directory rules say.
std::string VariableOr(const EnvironmentReader& variable, const std::string& name,
                       const std::string& fallback) {
  const std::optional<std::string> value = variable(name);
  return value && !value->empty() ? *value : fallback;
}

std::vector<std::string> SplitFolders(const std::string& list) {
  std::vector<std::string> folders;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t end = std::min(list.find(':', start), list.size());
    // Only absolute folders count; an empty or relative entry is ignored.
    if (end > start && list[start] == '/') folders.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

std::string FirmwareLookup::notFoundMessage() const {
  std::string text = std::string("firmware image ") + kFirmwareFileName + " not found; looked at ";
  for (std::size_t i = 0; i < looked.size(); ++i) text += (i == 0 ? "" : ", ") + looked[i];
  return text + " (--firmware FILE names it; see the README)";
}

FirmwareLookup FindFirmware(const std::string& programFolder, const EnvironmentReader& variable,
                            const FileProbe& exists) {
  const std::string image = std::string("dac-eval/") + kFirmwareFileName;
  const std::string home = VariableOr(variable, "HOME", "");
  const std::string dataHome =
      VariableOr(variable, "XDG_DATA_HOME", home.empty() ? "" : home + "/.local/share");
  FirmwareLookup lookup;
  lookup.looked.push_back(InFolder(programFolder, kFirmwareFileName));
  if (!dataHome.empty()) lookup.looked.push_back(InFolder(dataHome, image));
  for (const std::string& folder :
       SplitFolders(VariableOr(variable, "XDG_DATA_DIRS", "/usr/local/share:/usr/share"))) {
    lookup.looked.push_back(InFolder(folder, image));
  }
  for (const std::string& path : lookup.looked) {
    if (exists(path)) {
      lookup.found = path;
      break;
    }
  }
  return lookup;
}

std::optional<std::string> ProcessEnvironment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

bool RegularFileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

void UseFirmwareImage(const Options& options, const std::string& programFolder, BoardLink& link) {
  if (options.firmwareFile) return link.setFirmwareFile(*options.firmwareFile);
  const FirmwareLookup lookup = FindFirmware(programFolder, ProcessEnvironment, RegularFileExists);
  if (lookup.found && *lookup.found != lookup.looked.front()) link.setFirmwareFile(*lookup.found);
  if (!lookup.found && link.driver().linkName() != "simulated") {
    std::fprintf(stderr, "dac-eval: %s\n", lookup.notFoundMessage().c_str());
  }
}
