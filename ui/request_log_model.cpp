#include "request_log_model.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

#include "log_columns.h"

namespace {

const QColor kFailedBackground(255, 214, 214);
const QColor kFailedText(150, 0, 0);

}  // namespace

RequestLogModel::RequestLogModel(const RequestLog& log, QObject* parent)
    : QAbstractTableModel(parent), log_(log), first_(log.entries().begin()) {}

int RequestLogModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int RequestLogModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kLogColumnCount;
}

const LogEntry* RequestLogModel::entryAt(int row) const {
  if (row < 0 || row >= rows_) return nullptr;
  return log_.entries().find(first_ + static_cast<uint64_t>(row));
}

QVariant RequestLogModel::data(const QModelIndex& index, int role) const {
  const LogEntry* entry = index.isValid() ? entryAt(index.row()) : nullptr;
  if (entry == nullptr) return {};
  const bool failed = entry->request.status != 0;
  const auto column = static_cast<LogColumn>(index.column());
  switch (role) {
    case Qt::DisplayRole: {
      QString text = QString::fromStdString(ColumnText(log_, *entry, column));
      if (failed && column == LogColumn::Status) text.prepend(QString::fromUtf8(kFailedMark));
      return text;
    }
    case Qt::BackgroundRole:
      return failed ? QVariant(QBrush(kFailedBackground)) : QVariant();
    case Qt::ForegroundRole:
      return failed ? QVariant(QBrush(kFailedText)) : QVariant();
    default:
      return {};
  }
}

QVariant RequestLogModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  if (section < 0 || section >= kLogColumnCount) return {};
  return QString::fromLatin1(LogColumnTitles()[static_cast<std::size_t>(section)]);
}

void RequestLogModel::refresh() {
  const Ring<LogEntry>& entries = log_.entries();
  // A full log stays full: every row shows another request, and the row count stays. Saying
  // so costs the table nothing, where removing rows at the top of 100,000 costs it a lot.
  const auto full = static_cast<int>(entries.capacity());
  if (rows_ == full && entries.size() == entries.capacity() && entries.begin() > first_) {
    first_ = entries.begin();
    Q_EMIT dataChanged(index(0, 0), index(rows_ - 1, kLogColumnCount - 1));
    return;
  }
  if (entries.begin() > first_) {
    const auto gone = static_cast<int>(
        std::min<uint64_t>(entries.begin() - first_, static_cast<uint64_t>(rows_)));
    if (gone > 0) {
      beginRemoveRows(QModelIndex(), 0, gone - 1);
      rows_ -= gone;
      first_ += static_cast<uint64_t>(gone);
      endRemoveRows();
    }
    if (rows_ == 0) first_ = entries.begin();
  }
  const auto added = static_cast<int>(entries.end() - (first_ + static_cast<uint64_t>(rows_)));
  if (added > 0) {
    beginInsertRows(QModelIndex(), rows_, rows_ + added - 1);
    rows_ += added;
    endInsertRows();
  }
}
