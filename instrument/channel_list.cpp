#include "channel_list.h"

#include <charconv>

#include "mnemonic.h"

namespace {

std::optional<int> Number(std::string_view text) {
  text = scpi::TrimWhiteSpace(text);
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0)
    return std::nullopt;
  return value;
}

}  // namespace

ChannelList ParseChannelList(std::string_view text, std::size_t most) {
  ChannelList list;
  text = scpi::TrimWhiteSpace(text);
  if (text.size() < 3 || text.substr(0, 2) != "(@" || text.back() != ')') {
    list.problem = "a channel list as (@1,4,7) or (@0:15) expected";
    return list;
  }
  std::string_view items = text.substr(2, text.size() - 3);
  while (true) {
    const std::size_t comma = items.find(',');
    const std::string_view item = items.substr(0, comma);
    const std::size_t colon = item.find(':');
    const std::optional<int> first = Number(item.substr(0, colon));
    const std::optional<int> last =
        colon == std::string_view::npos ? first : Number(item.substr(colon + 1));
    if (!first || !last) {
      list.problem =
          "\"" + std::string(scpi::TrimWhiteSpace(item)) + "\" is not a channel or range";
      return list;
    }
    const int step = *last >= *first ? 1 : -1;
    for (int n = *first;; n += step) {
      if (list.channels.size() == most) {
        list.problem = "more than " + std::to_string(most) + " channels listed";
        return list;
      }
      list.channels.push_back(n);
      if (n == *last) break;
    }
    if (comma == std::string_view::npos) return list;
    items.remove_prefix(comma + 1);
  }
}
