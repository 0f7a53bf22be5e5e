#pragma once
// JSON allows an object to name a key twice and Qt's reader keeps the last; a setup file must
// not, so the text is looked through for a key given twice in one object.

#include <optional>
#include <string>
#include <string_view>

struct DuplicateKey {
  std::string path;  // "gpio", "monitor.channel", "channels[3].x1a"
  int line = 0;      // of the second one, from 1
};

// The first key given twice in one object of `json`, a text that a JSON reader took.
std::optional<DuplicateKey> FindDuplicateKey(std::string_view json);
