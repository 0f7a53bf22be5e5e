#pragma once
// The request log pane (View > Request Log): the table of every request sent, newest last,
// following the end while the operator is at the end, with the log's exports. It reads the log
// ten times a second while shown, never from the write path.

#include <QDockWidget>
#include <QTimer>
#include <string>

#include "request_log.h"
#include "request_log_model.h"
#include "window_services.h"

class QLabel;
class QPushButton;
class QTableView;

class RequestLogPane : public QDockWidget {
  Q_OBJECT

 public:
  RequestLogPane(const RequestLog& log, WindowServices& services, QWidget* parent = nullptr);

  // Takes up the requests logged since the last refresh; the table follows them when it showed
  // the newest request before.
  void refresh();

  RequestLogModel& model() { return model_; }
  QTableView* table() const { return table_; }

  void exportCsv();
  void exportCArray();
  void exportScript();

  static constexpr int kRefreshMs = 100;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QPushButton* addButton(const QString& name, const QString& caption, void (RequestLogPane::*)());
  // Asks for a file and writes `content` to it whole (or not at all); a failure is shown.
  void save(const QString& caption, const QString& filter, const std::string& content);
  bool atEnd() const;

  const RequestLog& log_;
  WindowServices& services_;
  RequestLogModel model_;
  QTableView* table_ = nullptr;
  QLabel* count_ = nullptr;
  QWidget* buttons_ = nullptr;
  QTimer timer_;
};
