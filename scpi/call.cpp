#include "call.h"

#include <stdexcept>
#include <string>

#include "connection.h"
#include "error_queue.h"
#include "number_format.h"
#include "parameters.h"

namespace scpi {

namespace {

template <typename T>
std::optional<T> Take(Call& call, const Reading<T>& reading) {
  if (!reading.value) call.error(reading.error, reading.detail);
  return reading.value;
}

}  // namespace

Call::Call(Connection& connection, const CommandTree::Match& match,
           std::span<const std::string_view> params, std::string_view header)
    : connection_(connection), match_(match), params_(params), header_(header) {}

int Call::suffix(std::size_t node) const {
  if (node >= match_.suffixCount) {
    throw std::out_of_range("suffix " + std::to_string(node) + " of " + match_.command->pattern +
                            ", which has " + std::to_string(match_.suffixCount));
  }
  return match_.suffixes[node];
}

std::optional<int> Call::suffixIn(std::size_t node, int min, int max) {
  const int value = suffix(node);
  if (value >= min && value <= max) return value;
  error(errc::kHeaderSuffixOutOfRange, std::to_string(value) + " in " + std::string(header_) +
                                           " is outside " + std::to_string(min) + " to " +
                                           std::to_string(max));
  return std::nullopt;
}

std::string_view Call::param(std::size_t i) const {
  return i < params_.size() ? params_[i] : std::string_view();
}

bool Call::given(std::size_t i) {
  if (i < params_.size()) return true;
  error(errc::kMissingParameter,
        "parameter " + std::to_string(i + 1) + " of " + std::string(header_));
  return false;
}

std::optional<int64_t> Call::code(std::size_t i, int64_t min, int64_t max) {
  if (!given(i)) return std::nullopt;
  const std::optional<int64_t> value = Take(*this, ReadInteger(params_[i]));
  if (!value || (*value >= min && *value <= max)) return value;
  error(errc::kDataOutOfRange,
        FormatInteger(*value) + " is outside " + FormatInteger(min) + " to " + FormatInteger(max));
  return std::nullopt;
}

std::optional<double> Call::real(std::size_t i) {
  if (!given(i)) return std::nullopt;
  return Take(*this, ReadVolts(params_[i]));
}

std::optional<bool> Call::boolean(std::size_t i) {
  if (!given(i)) return std::nullopt;
  return Take(*this, ReadBoolean(params_[i]));
}

std::optional<int> Call::choice(std::size_t i, std::initializer_list<std::string_view> mnemonics) {
  if (!given(i)) return std::nullopt;
  return Take(*this, ReadChoice(params_[i], mnemonics));
}

void Call::reply(std::string_view text) {
  if (!tooMuchData_ && !connection_.addAnswer(text)) tooMuchData_ = true;
}

void Call::error(int code, std::string_view detail) {
  if (code <= -100 && code > -200) commandError_ = true;
  connection_.queueError(code, detail);
}

}  // namespace scpi
