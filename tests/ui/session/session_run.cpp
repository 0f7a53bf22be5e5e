#include "session_run.h"

#include <QElapsedTimer>
#include <QStringList>
#include <optional>
#include <vector>

#include "action_log.h"
#include "part_facts.h"
#include "request_codes.h"
#include "session_operator.h"

namespace session {

namespace {

constexpr std::size_t kLoggedActions = 20;

// What the board saw during one action.
struct Seen {
  std::vector<int32_t> words;
  std::vector<int> lines;
  int reads = 0;
};

Seen TakeRequests(WindowUnderTest& w) {
  Seen seen;
  for (const auto& r : w.requests()) {
    if (r.code != static_cast<uint8_t>(Request::Spi)) {
      seen.lines.push_back(r.code);
    } else if (r.direction == kDirectionIn) {
      ++seen.reads;
    } else {
      seen.words.push_back((r.index << 16) | r.value);
    }
  }
  w.clearRequests();
  return seen;
}

QString HexList(const std::vector<int32_t>& values) {
  QStringList texts;
  for (int32_t v : values) texts << QStringLiteral("%1").arg(v, 6, 16, QLatin1Char('0')).toUpper();
  return QLatin1Char('[') + texts.join(QLatin1Char(' ')) + QLatin1Char(']');
}

QString CodeList(const std::vector<int>& codes) {
  QStringList texts;
  for (int c : codes) texts << QString::number(c, 16).toUpper();
  return QLatin1Char('[') + texts.join(QLatin1Char(' ')) + QLatin1Char(']');
}

// How the board's requests and the messages shown differ from what the action called for.
QString OutcomeDisagreement(const Outcome& expected, const Seen& seen, std::size_t messages) {
  if (!expected.failure.isEmpty()) return expected.failure;
  if (!expected.wordsFromBoard && seen.words != expected.words)
    return QStringLiteral("words %1, expected %2")
        .arg(HexList(seen.words), HexList(expected.words));
  if (seen.lines != expected.lines)
    return QStringLiteral("requests %1, expected %2")
        .arg(CodeList(seen.lines), CodeList(expected.lines));
  if (seen.reads != expected.reads)
    return QStringLiteral("%1 readbacks, expected %2").arg(seen.reads).arg(expected.reads);
  if (messages != static_cast<std::size_t>(expected.messages))
    return QStringLiteral("%1 message boxes, expected %2").arg(messages).arg(expected.messages);
  return {};
}

}  // namespace

QString RunRandomSession(WindowUnderTest& w, int part, unsigned seed, int actions) {
  w.clearRequests();
  w.services().messages.clear();
  SessionOperator op(w, part, seed);
  ActionLog log(kLoggedActions);
  std::optional<int32_t> lastWord;
  std::size_t wordsSent = 0;
  std::size_t messagesShown = 0;

  QElapsedTimer timer;
  timer.start();
  for (int n = 1; n <= actions; ++n) {
    const Outcome outcome = op.act();
    log.add(n, outcome.description);
    const Seen seen = TakeRequests(w);
    if (!seen.words.empty()) lastWord = seen.words.back();
    wordsSent += seen.words.size();
    messagesShown += w.services().messages.size();
    QString failure = OutcomeDisagreement(outcome, seen, w.services().messages.size());
    if (failure.isEmpty() && outcome.wordsFromBoard) failure = op.followWords(outcome, seen.words);
    w.services().messages.clear();
    if (failure.isEmpty()) failure = op.disagreement(lastWord);
    if (failure.isEmpty()) continue;
    for (const QString& entry : log.entries()) qWarning("  %s", qPrintable(entry));
    return QStringLiteral("seed %1, model %2, action %3: %4")
        .arg(seed)
        .arg(QLatin1String(FactsOf(part).name))
        .arg(n)
        .arg(failure);
  }
  qInfo("%s: %d actions with seed %u in %lld ms: %zu words sent, %zu messages shown",
        FactsOf(part).name, actions, seed, static_cast<long long>(timer.elapsed()), wordsSent,
        messagesShown);
  return {};
}

}  // namespace session
