#include "window_services.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
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

QString DesktopServices::chooseFile(const QString& caption, const QString& filter, FileUse use) {
  return use == FileUse::Open ? QFileDialog::getOpenFileName(nullptr, caption, QString(), filter)
                              : QFileDialog::getSaveFileName(nullptr, caption, QString(), filter);
}
