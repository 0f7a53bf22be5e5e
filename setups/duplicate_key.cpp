#include "duplicate_key.h"

#include <set>
#include <vector>

namespace {

struct Level {
  bool object = false;
  std::string path;
  std::set<std::string> keys;
  std::string key;         // the key whose value comes next (objects)
  int index = 0;           // the item that comes next (arrays)
  bool expectKey = false;  // the next string is a key (objects)
};

// The string that starts at `at` (its opening quote) as written, escapes left as they are; `at`
// ends on its closing quote.
std::string StringAt(std::string_view json, std::size_t& at) {
  std::string text;
  for (++at; at < json.size() && json[at] != '"'; ++at) {
    if (json[at] == '\\' && at + 1 < json.size()) text += json[at++];
    text += json[at];
  }
  return text;
}

std::string ChildPath(const Level& level) {
  if (level.object) return level.path.empty() ? level.key : level.path + "." + level.key;
  return level.path + "[" + std::to_string(level.index) + "]";
}

}  // namespace

std::optional<DuplicateKey> FindDuplicateKey(std::string_view json) {
  std::vector<Level> levels;
  int line = 1;
  for (std::size_t at = 0; at < json.size(); ++at) {
    const char c = json[at];
    if (c == '\n') {
      ++line;
    } else if (c == '{' || c == '[') {
      const std::string path = levels.empty() ? std::string() : ChildPath(levels.back());
      levels.push_back({c == '{', path, {}, {}, 0, c == '{'});
    } else if ((c == '}' || c == ']') && !levels.empty()) {
      levels.pop_back();
    } else if (c == ',' && !levels.empty()) {
      levels.back().expectKey = levels.back().object;
      if (!levels.back().object) ++levels.back().index;
    } else if (c == '"') {
      const std::string text = StringAt(json, at);
      if (levels.empty() || !levels.back().expectKey) continue;
      Level& level = levels.back();
      level.expectKey = false;
      level.key = text;
      if (!level.keys.insert(text).second) return DuplicateKey{ChildPath(level), line};
    }
  }
  return std::nullopt;
}
