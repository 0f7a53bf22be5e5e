#include "request_log_pane.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <array>

#include "app_title.h"
#include "c_array_export.h"
#include "csv_export.h"
#include "log_columns.h"
#include "script_export.h"

namespace {

constexpr int kRowHeight = 18;
constexpr int kTableHeight = 220;
// Column widths in pixels, by LogColumn: narrow for the short hexadecimal fields, so that the
// origin and command fit beside them in the window's width; the command takes what is left.
constexpr std::array<int, kLogColumnCount - 1> kColumnWidths{100, 55, 45, 45, 60, 50, 130, 55, 100};

// Counts as the program writes numbers everywhere, whatever the desktop's locale: "100,000".
QString Count(uint64_t n) {
  return QLocale(QLocale::English, QLocale::UnitedStates).toString(static_cast<qulonglong>(n));
}

QTableView* MakeTable(QAbstractItemModel& model, QWidget* parent) {
  auto* table = new QTableView(parent);
  table->setObjectName(QStringLiteral("tblRequestLog"));
  table->setModel(&model);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setWordWrap(false);
  table->verticalHeader()->hide();
  // Rows of one height: the table never measures 100,000 rows.
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->verticalHeader()->setDefaultSectionSize(kRowHeight);
  for (std::size_t column = 0; column < kColumnWidths.size(); ++column) {
    table->setColumnWidth(static_cast<int>(column), kColumnWidths[column]);
  }
  table->horizontalHeader()->setStretchLastSection(true);
  table->setMinimumHeight(kTableHeight);
  return table;
}

}  // namespace

RequestLogPane::RequestLogPane(const RequestLog& log, WindowServices& services, QWidget* parent)
    : QDockWidget(QStringLiteral("Request Log"), parent),
      log_(log),
      services_(services),
      model_(log) {
  setObjectName(QStringLiteral("RequestLogPane"));
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetFloatable);
  setAllowedAreas(Qt::BottomDockWidgetArea);

  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  table_ = MakeTable(model_, body);
  layout->addWidget(table_);
  buttons_ = new QWidget(body);
  auto* row = new QHBoxLayout(buttons_);
  row->setContentsMargins(0, 0, 0, 0);
  count_ = new QLabel(buttons_);
  count_->setObjectName(QStringLiteral("lblRequestCount"));
  row->addWidget(count_, 1);
  addButton(QStringLiteral("cmdExportCsv"), QStringLiteral("Export CSV..."),
            &RequestLogPane::exportCsv);
  addButton(QStringLiteral("cmdExportCArray"), QStringLiteral("Export C Array..."),
            &RequestLogPane::exportCArray);
  addButton(QStringLiteral("cmdExportScript"), QStringLiteral("Export as Script..."),
            &RequestLogPane::exportScript);
  layout->addWidget(buttons_);
  setWidget(body);

  timer_.setInterval(kRefreshMs);
  connect(&timer_, &QTimer::timeout, this, &RequestLogPane::refresh);
}

QPushButton* RequestLogPane::addButton(const QString& name, const QString& caption,
                                       void (RequestLogPane::*action)()) {
  auto* button = new QPushButton(caption, buttons_);
  button->setObjectName(name);
  buttons_->layout()->addWidget(button);
  connect(button, &QPushButton::clicked, this, action);
  return button;
}

bool RequestLogPane::atEnd() const {
  const QScrollBar* bar = table_->verticalScrollBar();
  return bar->value() == bar->maximum();
}

void RequestLogPane::refresh() {
  const bool follow = atEnd();
  const int before = model_.rowCount();
  model_.refresh();
  if (follow && model_.rowCount() != before) table_->scrollToBottom();
  count_->setText(QStringLiteral("%1 requests (the last %2 are kept)")
                      .arg(Count(log_.entries().end()), Count(log_.entries().capacity())));
}

void RequestLogPane::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  refresh();
  table_->scrollToBottom();
  timer_.start();
}

void RequestLogPane::hideEvent(QHideEvent* event) {
  timer_.stop();
  QDockWidget::hideEvent(event);
}

void RequestLogPane::save(const QString& caption, const QString& filter,
                          const std::string& content) {
  const QString name = services_.saveFileName(caption, filter);
  if (name.isEmpty()) return;
  QSaveFile file(name);
  const bool written = file.open(QIODevice::WriteOnly) &&
                       file.write(content.data(), static_cast<qint64>(content.size())) ==
                           static_cast<qint64>(content.size()) &&
                       file.commit();
  if (!written) {
    services_.message({QStringLiteral("%1 could not be written: %2").arg(name, file.errorString()),
                       appTitle(), MessageIcon::Exclamation});
  }
}

void RequestLogPane::exportCsv() {
  save(QStringLiteral("Export CSV"), QStringLiteral("CSV files (*.csv)"), LogAsCsv(log_));
}

void RequestLogPane::exportCArray() {
  const std::optional<std::string> array = WordsAsCArray(log_);
  if (!array) {
    services_.message({QStringLiteral("The request log holds no words to export."), appTitle(),
                       MessageIcon::Exclamation});
    return;
  }
  save(QStringLiteral("Export C Array"), QStringLiteral("C files (*.c *.h)"), *array);
}

void RequestLogPane::exportScript() {
  save(QStringLiteral("Export as Script"), QStringLiteral("Python scripts (*.py)"),
       SessionAsScript(log_));
}
