#include "auto_part_services.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>

void AutoPartServices::showMessage(const MessageSpec&) {
  ++messages_;
}

void AutoPartServices::showModal(QDialog& dialog) {
  dialog.show();
  const QString name = QStringLiteral("cmdPART(%1)").arg(partIndex_);
  if (auto* button = dialog.findChild<QAbstractButton*>(name)) button->click();
  dialog.close();
}

void AutoPartServices::yieldToEvents() {
  QCoreApplication::processEvents();
}
