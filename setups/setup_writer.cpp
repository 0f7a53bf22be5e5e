// Writing a setup file: every key, in the form the reader takes.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "setup_file.h"
#include "setup_keys.h"

namespace {

using namespace setup_keys;

template <size_t N>
QString Word(const std::array<QLatin1StringView, N>& words, int index) {
  return words.at(static_cast<size_t>(index));
}

QJsonObject ChannelObject(const SavedChannel& ch) {
  QJsonObject object{{kAbSelect, Word(kRegisterNames, ch.fromX2B ? 1 : 0)},
                     {kX2A, ch.x2a},
                     {kX2B, ch.x2b},
                     {kDacRegister, ch.dacRegister}};
  for (const ChannelRegisterRow& row : kChannelRegisters) {
    object.insert(RegisterKey(row), SavedRegister(ch, row.reg));
  }
  if (!ch.label.name.empty()) object.insert(kName, QString::fromStdString(ch.label.name));
  if (ch.label.low) object.insert(kLow, *ch.label.low);
  if (ch.label.high) object.insert(kHigh, *ch.label.high);
  return object;
}

}  // namespace

QByteArray WriteSetup(const SavedSetup& setup) {
  QJsonArray channels;
  for (const SavedChannel& ch : setup.channels) channels.append(ChannelObject(ch));
  QJsonArray offsets;
  for (const int32_t code : setup.offsetDacs) offsets.append(code);
  QJsonArray references;
  for (const double volts : setup.references) references.append(volts);
  QJsonObject root{{kFormat, QString(kFormatName)},
                   {kVersion, kVersionNumber},
                   {kModel, QString::fromStdString(setup.model)},
                   {kChannels, channels},
                   {kDacRegistersLoaded, setup.dacRegistersLoaded},
                   {kOffsetDacs, offsets},
                   {kReferences, references},
                   {kInputRegister, Word(kRegisterNames, setup.inputRegisterB ? 1 : 0)}};
  if (setup.monitor) {
    root.insert(kMonitor,
                QJsonObject{{kEnabled, setup.monitor->enabled},
                            {kSource, Word(kSourceNames, static_cast<int>(setup.monitor->source))},
                            {kChannel, setup.monitor->channel}});
  }
  if (setup.gpio) root.insert(kGpio, Word(kGpioNames, static_cast<int>(*setup.gpio)));
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}
