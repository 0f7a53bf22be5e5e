#pragma once
// The last few actions of a session, oldest first, for the failure report.

#include <QString>
#include <QStringList>
#include <deque>

namespace session {

class ActionLog {
 public:
  explicit ActionLog(std::size_t capacity) : capacity_(capacity) {}

  void add(int number, const QString& description) {
    entries_.push_back(QStringLiteral("#%1 %2").arg(number).arg(description));
    if (entries_.size() > capacity_) entries_.pop_front();
  }

  QStringList entries() const { return QStringList(entries_.begin(), entries_.end()); }

 private:
  std::size_t capacity_;
  std::deque<QString> entries_;
};

}  // namespace session
