#pragma once
// A file in a folder of its own under the system's temporary folder, removed with its folder
// when the test is done with it. Each instance gets its own folder, so test programs that
// ctest runs side by side never write each other's files, whatever name they give them.

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <process.h>
#define DAC_EVAL_TEST_PID _getpid()
#else
#include <unistd.h>
#define DAC_EVAL_TEST_PID getpid()
#endif

class TempFile {
 public:
  // `name` is UTF-8.
  TempFile(const std::string& name, const std::string& content)
      : folder_(UniqueFolder()),
        path_(folder_ / std::filesystem::path(std::u8string(name.begin(), name.end()))) {
    std::filesystem::create_directories(folder_);
    std::ofstream(path_, std::ios::binary) << content;
  }
  ~TempFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  // The path in UTF-8.
  std::string path() const {
    const std::u8string text = path_.u8string();
    return std::string(text.begin(), text.end());
  }

 private:
  static std::filesystem::path UniqueFolder() {
    static std::atomic<unsigned> count{0};
    return std::filesystem::temp_directory_path() /
           ("dac_eval_test_" + std::to_string(DAC_EVAL_TEST_PID) + "_" + std::to_string(count++));
  }

  std::filesystem::path folder_;
  std::filesystem::path path_;
};

#undef DAC_EVAL_TEST_PID
