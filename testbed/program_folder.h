#pragma once
// A program folder for the native link's tests and benchmarks: a temporary folder holding a
// firmware image where the board link looks for it, removed with the object.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "board_link.h"
#include "intel_hex_writer.h"

struct ProgramFolder {
  // `prefix` names the folder ("<prefix>_<process id>" in the temporary folder).
  explicit ProgramFolder(const std::string& prefix)
      : path(std::filesystem::temp_directory_path() / (prefix + "_" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path);
    std::ofstream(path / kFirmwareFileName) << IntelHexText(PatternImage(0, 1024, 5));
  }
  ~ProgramFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  std::filesystem::path path;
};
