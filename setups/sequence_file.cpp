#include "sequence_file.h"

#include <QFile>
#include <QFileInfo>
#include <charconv>
#include <cmath>
#include <string>

#include "channel_number.h"
#include "shown_text.h"

namespace {

constexpr qint64 kLargestSequence = 16 * 1024 * 1024;

std::vector<std::string_view> Cells(std::string_view line) {
  std::vector<std::string_view> cells;
  while (true) {
    const std::size_t comma = line.find(',');
    std::string_view cell = line.substr(0, comma);
    while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) cell.remove_prefix(1);
    while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t')) cell.remove_suffix(1);
    cells.push_back(cell);
    if (comma == std::string_view::npos) return cells;
    line.remove_prefix(comma + 1);
  }
}

std::optional<double> Number(std::string_view cell) {
  double value = 0.0;
  const auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  if (cell.empty() || ec != std::errc() || end != cell.data() + cell.size() ||
      !std::isfinite(value))
    return std::nullopt;
  return value;
}

QString Shown(std::string_view cell) {
  return ShownText(QString::fromUtf8(cell.data(), static_cast<qsizetype>(cell.size())));
}

// The channel record a header cell names: a channel number of the model, or a channel's name.
int RecordNamed(std::string_view cell, const Session& session) {
  const PartInfo* part = session.chip().part();
  int number = -1;
  const auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), number);
  if (!cell.empty() && ec == std::errc() && end == cell.data() + cell.size())
    return RecordOfChannel(part, number);
  for (int dac = 0; dac < kChannelCount; ++dac) {
    if (ChannelOfRecord(part, dac) >= 0 && session.channelLabel(dac).name == cell) return dac;
  }
  return -1;
}

struct Problem {
  QString text;
};

void ReadHeader(std::string_view line, const Session& session, std::vector<int>& records,
                SequenceRead& read) {
  const std::vector<std::string_view> cells = Cells(line);
  if (cells.front() != "dwell_s" || cells.size() < 2)
    throw Problem{
        QStringLiteral("line 1: the header is dwell_s and the channels, by number or name")};
  for (std::size_t i = 1; i < cells.size(); ++i) {
    const int dac = RecordNamed(cells[i], session);
    if (dac < 0) throw Problem{QStringLiteral("line 1: no channel \"%1\"").arg(Shown(cells[i]))};
    records.push_back(dac);
    read.channels.push_back(ChannelOfRecord(session.chip().part(), dac));
  }
}

SequenceFrame ReadRow(std::string_view line, int number, const std::vector<int>& records) {
  const std::vector<std::string_view> cells = Cells(line);
  const QString where = QStringLiteral("line %1: ").arg(number);
  if (cells.size() != records.size() + 1) {
    throw Problem{
        where +
        QStringLiteral("%1 values for %2 columns").arg(cells.size()).arg(records.size() + 1)};
  }
  const std::optional<double> dwell = Number(cells[0]);
  if (!dwell || *dwell < 0.001 || *dwell > 86400.0)
    throw Problem{where +
                  QStringLiteral("dwell \"%1\" is not 0.001 to 86400 s").arg(Shown(cells[0]))};
  SequenceFrame frame{
      .dwell = std::chrono::round<std::chrono::microseconds>(std::chrono::duration<double>(*dwell)),
      .volts = {}};
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::optional<double> volts = Number(cells[i + 1]);
    if (!volts)
      throw Problem{where + QStringLiteral("\"%1\" is not volts").arg(Shown(cells[i + 1]))};
    frame.volts.emplace_back(records[i], *volts);
  }
  return frame;
}

}  // namespace

SequenceRead ReadSequence(std::string_view text, const Session& session) {
  SequenceRead read;
  std::vector<int> records;
  int number = 0;
  try {
    while (!text.empty()) {
      const std::size_t end = text.find('\n');
      std::string_view line = text.substr(0, end);
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
      ++number;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
      if (records.empty()) {
        ReadHeader(line, session, records, read);
      } else {
        if (read.frames.size() >= Sequencer::kMostFrames)
          throw Problem{QStringLiteral("line %1: more than %2 frames")
                            .arg(number)
                            .arg(Sequencer::kMostFrames)};
        read.frames.push_back(ReadRow(line, number, records));
      }
    }
    if (read.frames.empty())
      throw Problem{QStringLiteral("no frames: a header and one row per frame")};
  } catch (const Problem& problem) {
    return {{}, {}, problem.text};
  }
  return read;
}

SequenceRead ReadSequenceFile(const QString& path, const Session& session) {
  QFile file(path);
  const QString name = ShownText(QFileInfo(path).fileName());
  if (!file.open(QIODevice::ReadOnly))
    return {{}, {}, QStringLiteral("cannot read %1: %2").arg(name, file.errorString())};
  if (file.size() > kLargestSequence)
    return {{}, {}, QStringLiteral("%1 is larger than 16 MiB").arg(name)};
  const QByteArray bytes = file.readAll();
  SequenceRead read = ReadSequence(std::string_view(bytes.constData(), bytes.size()), session);
  if (!read.error.isEmpty()) read.error = name + QStringLiteral(", ") + read.error;
  return read;
}
