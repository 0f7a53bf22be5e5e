#pragma once
// A file in the system's temporary folder, removed when the test is done with it.

#include <filesystem>
#include <fstream>
#include <string>

class TempFile {
 public:
  // `name` is UTF-8.
  TempFile(const std::string& name, const std::string& content)
      : path_(std::filesystem::temp_directory_path() /
              std::filesystem::path(std::u8string(name.begin(), name.end()))) {
    std::ofstream(path_, std::ios::binary) << content;
  }
  ~TempFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  // The path in UTF-8.
  std::string path() const {
    const std::u8string text = path_.u8string();
    return std::string(text.begin(), text.end());
  }

 private:
  std::filesystem::path path_;
};
