#include "window_services.h"

#include <QCoreApplication>
#include <QDialog>
#include <QMessageBox>

namespace {
QMessageBox::Icon toQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

void DesktopServices::showMessage(const MessageSpec& message) {
  QMessageBox box(toQt(message.icon), message.title, message.text, QMessageBox::Ok);
  box.exec();
}

void DesktopServices::showModal(QDialog& dialog) {
  dialog.exec();
}

void DesktopServices::yieldToEvents() {
  QCoreApplication::processEvents();
}
