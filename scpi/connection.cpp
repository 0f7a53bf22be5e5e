#include "connection.h"

#include <exception>
#include <string>

#include "call.h"
#include "program_text.h"

namespace scpi {

namespace {

std::string Parameters(int count) {
  return std::to_string(count) + (count == 1 ? " parameter" : " parameters");
}

}  // namespace

Connection::Connection(const CommandTree& tree) : tree_(&tree) {}

std::optional<std::string> Connection::execute(std::string_view line) {
  begin(line);
  while (step()) {
  }
  if (!answered_) return std::nullopt;
  return takeReply();
}

void Connection::begin(std::string_view line) {
  line_.assign(line);
  pos_ = 0;
  inLine_ = true;
  path_ = HeaderPath{};
  reply_.clear();
  replyBytes_ = 0;
  answered_ = false;
}

bool Connection::step() {
  while (inLine_) {
    if (pos_ > line_.size()) {
      inLine_ = false;
      break;
    }
    const std::string_view unit = NextUnit(line_, pos_);
    if (unit.empty()) continue;
    if (!run(unit)) inLine_ = false;
    break;
  }
  return inLine_;
}

void Connection::queueError(int code, std::string_view detail) {
  errors_.push(code, detail);
  status_.noteError(code);
}

bool Connection::commandError(int code, std::string_view detail) {
  queueError(code, detail);
  return false;
}

bool Connection::run(std::string_view unit) {
  Header header;
  std::string_view parameterText;
  if (!ReadHeader(unit, header, parameterText)) {
    return commandError(errc::kSyntaxError, "malformed header " + QuoteForDetail(header.text, 60));
  }
  CommandTree::Match match;
  switch (tree_->find(header, path_, match)) {
    case CommandTree::Lookup::Found:
      break;
    case CommandTree::Lookup::Undefined:
      return commandError(errc::kUndefinedHeader, QuoteForDetail(header.text, 60));
    case CommandTree::Lookup::SuffixOutOfRange:
      return commandError(errc::kHeaderSuffixOutOfRange, QuoteForDetail(header.text, 60));
  }
  const CommandTree::Command& command = *match.command;
  params_.clear();
  switch (SplitParameters(parameterText, static_cast<std::size_t>(command.maxParams), params_)) {
    case Split::Ok:
      break;
    case Split::Malformed:
      return commandError(errc::kSyntaxError,
                          "malformed parameters " + QuoteForDetail(parameterText, 60));
    case Split::TooMany:
      return commandError(
          errc::kParameterNotAllowed,
          QuoteForDetail(header.text, 60) + " takes " +
              (command.maxParams == 0 ? std::string("no parameter")
                                      : "at most " + Parameters(command.maxParams)));
  }
  if (params_.size() < static_cast<std::size_t>(command.minParams)) {
    return commandError(errc::kMissingParameter, QuoteForDetail(header.text, 60) + " needs " +
                                                     Parameters(command.minParams) + ", got " +
                                                     std::to_string(params_.size()));
  }
  Call call(*this, match, params_, header.text);
  try {
    command.handler(call);
  } catch (const std::exception& e) {
    call.error(errc::kExecutionError, e.what());
  } catch (...) {
    call.error(errc::kExecutionError, "unexpected failure");
  }
  return !call.endsLine();
}

bool Connection::addAnswer(std::string_view text) {
  const std::size_t added = text.size() + (answered_ ? 1 : 0);
  if (replyBytes_ + added > kMaxReply) {
    queueError(errc::kTooMuchData, "the reply to this line would pass " +
                                       std::to_string(kMaxReply) + " bytes (" +
                                       std::to_string(kMaxReply / (1024 * 1024)) + " MiB)");
    return false;
  }
  if (answered_) reply_ += ';';
  reply_ += text;
  replyBytes_ += added;
  answered_ = true;
  return true;
}

}  // namespace scpi
