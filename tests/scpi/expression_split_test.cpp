// Parameters split at commas outside parentheses: a channel list is one parameter.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_text.h"

namespace {

std::vector<std::string> Split(std::string_view text) {
  std::vector<std::string_view> parts;
  EXPECT_EQ(scpi::SplitParameters(text, 10, parts), scpi::Split::Ok) << text;
  return {parts.begin(), parts.end()};
}

TEST(ExpressionSplit, AChannelListIsOneParameter) {
  EXPECT_EQ(Split("(@1,4,7),1,2"), (std::vector<std::string>{"(@1,4,7)", "1", "2"}));
  EXPECT_EQ(Split("0.01, (@0:3, 9) ,1.5"), (std::vector<std::string>{"0.01", "(@0:3, 9)", "1.5"}));
  EXPECT_EQ(Split("\"a,(b\",2"), (std::vector<std::string>{"\"a,(b\"", "2"}));
  // An unclosed list runs to the end: the channel list reader says what is wrong with it.
  EXPECT_EQ(Split("(@1,2"), (std::vector<std::string>{"(@1,2"}));
  EXPECT_EQ(Split("1),2"), (std::vector<std::string>{"1)", "2"}));
}

}  // namespace
