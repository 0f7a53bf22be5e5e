#pragma once
// Where the board's firmware image is taken from: the file --firmware names for one run;
// otherwise the first of the program's own folder, $XDG_DATA_HOME/dac-eval/ (~/.local/share when
// unset) and dac-eval/ under each folder of $XDG_DATA_DIRS (/usr/local/share:/usr/share when
// unset) that holds it. A package installs it into /usr/share/dac-eval/, a user into
// ~/.local/share/dac-eval/.

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct FirmwareLookup {
  std::optional<std::string> found;  // the image's path
  std::vector<std::string> looked;   // every path looked at, in order
  // One line naming every place looked, for when nothing was found.
  std::string notFoundMessage() const;
};

// `variable(name)`: the environment variable's value, nullopt when unset.
using EnvironmentReader = std::function<std::optional<std::string>(const std::string& name)>;
// `exists(path)`: whether a regular file is there.
using FileProbe = std::function<bool(const std::string& path)>;

FirmwareLookup FindFirmware(const std::string& programFolder, const EnvironmentReader& variable,
                            const FileProbe& exists);

// The process's own environment and file system.
std::optional<std::string> ProcessEnvironment(const std::string& name);
bool RegularFileExists(const std::string& path);

class BoardLink;
struct Options;
// Points `link` at the image --firmware names, or at the first one found outside the program's
// folder (which the link looks in by itself). When none is found and the link is a real board's,
// says on standard error every place it looked.
void UseFirmwareImage(const Options& options, const std::string& programFolder, BoardLink& link);
