#include "start_setup.h"

#include "catalogue.h"
#include "setup_file.h"

StartSetup ReadStartSetup(Options& options) {
  if (!options.setupFile) return {};
  SetupRead read = ReadSetupFile(QString::fromLocal8Bit(options.setupFile->c_str()));
  if (!read.setup) return {std::nullopt, "--setup: " + read.error.toStdString()};
  // Checked: the model is one of the catalogue's.
  const auto row = static_cast<int>(FindPart(read.setup->model) - PartCatalogue().data());
  if (options.model && *options.model != row) {
    const std::string_view asked = PartCatalogue().at(static_cast<size_t>(*options.model)).name;
    return {std::nullopt, "--setup: the setup is for " + read.setup->model + ", not for " +
                              std::string(asked) + " (--model)"};
  }
  options.model = row;
  return {std::move(read.setup), ""};
}
