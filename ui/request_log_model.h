#pragma once
// The request log as a table for the pane, read straight from the log's ring: no row is copied.
// Rows follow the log when refresh() is called (the pane calls it on a timer, so that a write
// never waits for the table): newest last, new entries come in at the bottom and, until the log
// is full, the entries it dropped leave the top; once it is full every row moves on to a newer
// request in place. Failed requests stand out: a light red row and a mark before the status.

#include <QAbstractTableModel>
#include <cstdint>

#include "request_log.h"

class RequestLogModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit RequestLogModel(const RequestLog& log, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // Takes up what the log dropped and gained since the last call.
  void refresh();
  // The entry shown in `row`, or nullptr when the log has dropped it since the last refresh.
  const LogEntry* entryAt(int row) const;

  static constexpr const char* kFailedMark = "\u2717 ";  // a ballot X

 private:
  const RequestLog& log_;
  uint64_t first_ = 0;  // the log's sequence number of row 0
  int rows_ = 0;
};
