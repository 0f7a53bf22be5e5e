// Reading a setup file: the JSON structure, every key and its type here; the values' ranges and
// their agreement with the model in CheckSetup.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>

#include "duplicate_key.h"
#include "setup_file.h"
#include "setup_keys.h"
#include "shown_text.h"

namespace {

using namespace setup_keys;

// What stops the reading: the message, naming the key.
struct FileProblem {
  QString text;
};

QString TypeName(const QJsonValue& value) {
  switch (value.type()) {
    case QJsonValue::Null:
      return QStringLiteral("null");
    case QJsonValue::Bool:
      return QStringLiteral("true or false");
    case QJsonValue::Double:
      return QStringLiteral("a number");
    case QJsonValue::String:
      return QStringLiteral("a string");
    case QJsonValue::Array:
      return QStringLiteral("a list");
    case QJsonValue::Object:
      return QStringLiteral("an object");
    case QJsonValue::Undefined:
      break;
  }
  return QStringLiteral("nothing");
}

[[noreturn]] void Fail(const QString& key, const QString& text) {
  throw FileProblem{key + QStringLiteral(": ") + text};
}

void Expect(const QString& key, const QJsonValue& value, QJsonValue::Type type,
            const QString& wanted) {
  if (value.type() != type)
    Fail(key, QStringLiteral("%1 expected, not %2").arg(wanted, TypeName(value)));
}

// A whole number within 32 bits; its range is the register's business (CheckSetup).
int32_t Code(const QString& key, const QJsonValue& value) {
  Expect(key, value, QJsonValue::Double, QStringLiteral("a whole number"));
  const double number = value.toDouble();
  if (number != std::floor(number) || number < std::numeric_limits<int32_t>::min() ||
      number > std::numeric_limits<int32_t>::max()) {
    Fail(key, QStringLiteral("%1 is not a code").arg(number));
  }
  return static_cast<int32_t>(number);
}

// The keys of one object: each taken once; whatever is left at the end is unknown.
class Keys {
 public:
  Keys(const QJsonValue& value, QString path) : path_(std::move(path)) {
    Expect(path_, value, QJsonValue::Object, QStringLiteral("an object"));
    object_ = value.toObject();
  }

  QString path(const QString& key) const {
    return path_.isEmpty() ? key : path_ + QLatin1Char('.') + key;
  }

  bool has(QLatin1StringView key) const { return object_.contains(key); }

  QJsonValue take(QLatin1StringView key) {
    if (!object_.contains(key)) Fail(path(key), QStringLiteral("missing"));
    return object_.take(key);
  }
  int32_t integer(QLatin1StringView key) { return Code(path(key), take(key)); }
  bool boolean(QLatin1StringView key) {
    const QJsonValue value = take(key);
    Expect(path(key), value, QJsonValue::Bool, QStringLiteral("true or false"));
    return value.toBool();
  }
  QString string(QLatin1StringView key) {
    const QJsonValue value = take(key);
    Expect(path(key), value, QJsonValue::String, QStringLiteral("a string"));
    return value.toString();
  }
  // The index of the word among `words`.
  template <size_t N>
  int word(QLatin1StringView key, const std::array<QLatin1StringView, N>& words) {
    const QString text = string(key);
    for (size_t i = 0; i < N; ++i) {
      if (text == words[i]) return static_cast<int>(i);
    }
    QStringList quoted;
    for (QLatin1StringView w : words) quoted << QLatin1Char('"') + w + QLatin1Char('"');
    Fail(path(key), QStringLiteral("\"%1\" is none of %2")
                        .arg(ShownText(text), quoted.join(QStringLiteral(", "))));
  }
  double volts(QLatin1StringView key) {
    const QJsonValue value = take(key);
    Expect(path(key), value, QJsonValue::Double, QStringLiteral("volts"));
    return value.toDouble();
  }
  QJsonArray list(QLatin1StringView key) {
    const QJsonValue value = take(key);
    Expect(path(key), value, QJsonValue::Array, QStringLiteral("a list"));
    return value.toArray();
  }

  void finish() const {
    if (!object_.isEmpty())
      Fail(path(ShownText(object_.keys().front())), QStringLiteral("unknown key"));
  }

 private:
  QString path_;
  QJsonObject object_;
};

QString Item(QLatin1StringView key, qsizetype index) {
  return QStringLiteral("%1[%2]").arg(key).arg(index);
}

SavedChannel ReadChannel(const QJsonValue& value, const QString& path) {
  Keys keys(value, path);
  SavedChannel ch;
  for (const ChannelRegisterRow& row : kChannelRegisters) {
    SavedRegister(ch, row.reg) = keys.integer(RegisterKey(row));
  }
  ch.fromX2B = keys.word(kAbSelect, kRegisterNames) == 1;
  ch.x2a = keys.integer(kX2A);
  ch.x2b = keys.integer(kX2B);
  ch.dacRegister = keys.integer(kDacRegister);
  // Files from before channel names and limits have none of these.
  if (keys.has(kName)) ch.label.name = keys.string(kName).toStdString();
  if (keys.has(kLow)) ch.label.low = keys.volts(kLow);
  if (keys.has(kHigh)) ch.label.high = keys.volts(kHigh);
  keys.finish();
  return ch;
}

SavedMonitor ReadMonitor(const QJsonValue& value) {
  Keys keys(value, kMonitor);
  SavedMonitor monitor;
  monitor.enabled = keys.boolean(kEnabled);
  monitor.source = static_cast<MonitorSource>(keys.word(kSource, kSourceNames));
  monitor.channel = keys.integer(kChannel);
  keys.finish();
  return monitor;
}

void ReadLists(Keys& keys, SavedSetup& setup) {
  const QJsonArray channels = keys.list(kChannels);
  for (qsizetype n = 0; n < channels.size(); ++n) {
    setup.channels.push_back(ReadChannel(channels[n], Item(kChannels, n)));
  }
  const QJsonArray offsets = keys.list(kOffsetDacs);
  for (qsizetype k = 0; k < offsets.size(); ++k) {
    setup.offsetDacs.push_back(Code(Item(kOffsetDacs, k), offsets[k]));
  }
  const QJsonArray references = keys.list(kReferences);
  for (qsizetype k = 0; k < references.size(); ++k) {
    Expect(Item(kReferences, k), references[k], QJsonValue::Double, QStringLiteral("volts"));
    setup.references.push_back(references[k].toDouble());
  }
}

// A file that is not a setup at all is named so before any of its keys.
void ReadFormat(Keys& keys) {
  if (!keys.has(kFormat) || keys.take(kFormat).toString() != kFormatName) {
    Fail(kFormat,
         QStringLiteral("not a dac-eval setup (\"%1\": \"%2\" missing)").arg(kFormat, kFormatName));
  }
  const QJsonValue version = keys.take(kVersion);
  if (version.toDouble() != kVersionNumber) {
    Fail(kVersion, QStringLiteral("%1 is not a version this program reads (%2)")
                       .arg(ShownText(version.toVariant().toString()))
                       .arg(kVersionNumber));
  }
}

SavedSetup ReadObject(const QJsonValue& root) {
  if (!root.isObject()) throw FileProblem{QStringLiteral("not a dac-eval setup: no JSON object")};
  Keys keys(root, QString());
  ReadFormat(keys);
  SavedSetup setup;
  setup.model = keys.string(kModel).toStdString();
  ReadLists(keys, setup);
  setup.dacRegistersLoaded = keys.boolean(kDacRegistersLoaded);
  setup.inputRegisterB = keys.word(kInputRegister, kRegisterNames) == 1;
  // Only the models with a monitor and GPIO pin have these; CheckSetup says which.
  if (keys.has(kMonitor)) setup.monitor = ReadMonitor(keys.take(kMonitor));
  if (keys.has(kGpio)) setup.gpio = static_cast<GpioMode>(keys.word(kGpio, kGpioNames));
  keys.finish();
  return setup;
}

// Line and column (from 1) of a byte offset.
QString Place(const QByteArray& bytes, qsizetype offset) {
  const QByteArray before = bytes.left(offset);
  const qsizetype line = before.count('\n') + 1;
  const qsizetype column = offset - (before.lastIndexOf('\n') + 1) + 1;
  return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

}  // namespace

SetupRead ReadSetup(const QByteArray& bytes) {
  QJsonParseError parse;
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &parse);
  if (parse.error != QJsonParseError::NoError) {
    // The parser's offset is just past the character it stopped at.
    return {std::nullopt, Place(bytes, std::max<qsizetype>(parse.offset - 1, 0)) +
                              QStringLiteral(": ") + parse.errorString() +
                              QStringLiteral(" (not a JSON setup file)")};
  }
  // The whole file is checked: a key given twice would otherwise lose its first value unseen.
  if (const auto twice = FindDuplicateKey(std::string_view(bytes.constData(), bytes.size()))) {
    return {std::nullopt, QStringLiteral("%1: given twice in one object (again on line %2)")
                              .arg(ShownText(QString::fromStdString(twice->path)))
                              .arg(twice->line)};
  }
  try {
    SavedSetup setup = ReadObject(document.isObject() ? QJsonValue(document.object())
                                                      : QJsonValue(document.array()));
    if (const Refused refused = CheckSetup(setup)) {
      return {std::nullopt, QString::fromStdString(refused->text)};
    }
    return {std::move(setup), QString()};
  } catch (const FileProblem& problem) {
    return {std::nullopt, problem.text};
  }
}
