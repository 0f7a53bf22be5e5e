// A long randomized session at the real window on the simulated board, for every model: after
// every action the board has seen exactly the words and requests the action calls for, the
// displays show the selected record, and the chip holds what the program's register model says.
//
// Reproducible: DAC_EVAL_SESSION_SEED overrides the seed of every row, DAC_EVAL_SESSION_ACTIONS
// the number of actions (default 4000 per model). A failure names the seed, the model, the action
// number and the last 20 actions.

#include <QtTest>
#include <optional>
#include <vector>

#include "action_log.h"
#include "part_facts.h"
#include "request_codes.h"
#include "session_operator.h"
#include "ui_test_support.h"

using session::Outcome;

namespace {

constexpr int kDefaultActions = 4000;
constexpr std::size_t kLoggedActions = 20;

std::optional<unsigned> SeedFromEnvironment() {
  bool ok = false;
  const unsigned seed = qEnvironmentVariable("DAC_EVAL_SESSION_SEED").toUInt(&ok);
  return ok ? std::optional<unsigned>(seed) : std::nullopt;
}

int ActionsFromEnvironment() {
  bool ok = false;
  const int actions = qEnvironmentVariableIntValue("DAC_EVAL_SESSION_ACTIONS", &ok);
  return ok && actions > 0 ? actions : kDefaultActions;
}

// What the board saw during one action.
struct Seen {
  std::vector<int32_t> words;
  std::vector<int> lines;
  int reads = 0;
};

Seen TakeRequests(WindowUnderTest& w) {
  Seen seen;
  for (const auto& r : w.board().requests()) {
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

class RandomSessionTest : public QObject {
  Q_OBJECT

 private slots:
  void windowChipAndModelAgree_data();
  void windowChipAndModelAgree();
};

void RandomSessionTest::windowChipAndModelAgree_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<unsigned>("seed");
  static constexpr std::array<unsigned, 8> kSeeds = {20810, 20811, 20812, 20813,
                                                     20820, 20821, 20822, 20823};
  const std::optional<unsigned> override = SeedFromEnvironment();
  for (int part = 0; part < static_cast<int>(session::kPartFacts.size()); ++part) {
    const unsigned seed = override.value_or(kSeeds.at(static_cast<std::size_t>(part)));
    QTest::newRow(session::FactsOf(part).name) << part << seed;
  }
}

void RandomSessionTest::windowChipAndModelAgree() {
  QFETCH(int, part);
  QFETCH(unsigned, seed);
  const int actions = ActionsFromEnvironment();
  WindowUnderTest w(part);
  w.clearRequests();
  w.services().messages.clear();
  session::SessionOperator op(w, part, seed);
  session::ActionLog log(kLoggedActions);
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
    QFAIL(qPrintable(QStringLiteral("seed %1, model %2, action %3: %4")
                         .arg(seed)
                         .arg(QLatin1String(session::FactsOf(part).name))
                         .arg(n)
                         .arg(failure)));
  }
  qInfo("%s: %d actions with seed %u in %lld ms: %zu words sent, %zu messages shown",
        session::FactsOf(part).name, actions, seed, static_cast<long long>(timer.elapsed()),
        wordsSent, messagesShown);
}

QTEST_MAIN(RandomSessionTest)
#include "test_random_session.moc"
