// Setup files on disk, and a file's setup restored onto a session.

#include "setup_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "shown_text.h"

namespace {

// A setup of 40 channels takes about 10 KiB; anything far larger is not one.
constexpr qint64 kLargestSetup = 1 << 20;

}  // namespace

SetupRead ReadSetupFile(const QString& path) {
  QFile file(path);
  const QString name = ShownText(QFileInfo(path).fileName());
  if (!file.open(QIODevice::ReadOnly)) {
    return {std::nullopt, QStringLiteral("cannot read %1: %2").arg(name, file.errorString())};
  }
  if (file.size() > kLargestSetup) {
    return {std::nullopt, QStringLiteral("%1 is not a setup: larger than 1 MiB").arg(name)};
  }
  return ReadSetup(file.read(kLargestSetup));
}

QString WriteSetupFile(const QString& path, const SavedSetup& setup) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(WriteSetup(setup)) < 0 || !file.commit()) {
    return QStringLiteral("cannot write %1: %2")
        .arg(ShownText(QFileInfo(path).fileName()), file.errorString());
  }
  return QString();
}

QString LoadSetup(Session& session, const QByteArray& bytes) {
  const SetupRead read = ReadSetup(bytes);
  if (!read.setup) return read.error;
  if (const Refused refused = RestoreSetup(session, *read.setup)) {
    return QString::fromStdString(refused->text);
  }
  return QString();
}
