// The window's own displays follow the session: the output word and, in the status bar, the board
// link and the last request's outcome, whoever made it (a view of the window, or remote control).

#include <QLabel>
#include <QStatusBar>

#include "board_link_text.h"
#include "frm_main.h"
#include "hex_text.h"
#include "request_failure.h"
#include "value_label.h"

void frmMain::wordShown(int32_t word) {
  win.lblOutputCode->setText(QString::fromStdString(NumberToHex(word, 6)));
}

// Every action completes on the register model whatever the board answered; the status bar
// says which request failed and why, until one goes through again. Without a board it says so
// instead.
void frmMain::requestDone(const RequestRecord& request) {
  if (!session_.boardLoaded()) return;
  if (request.status == 0) {
    if (requestFailing_) win.lblBoardStatus->clear();
    requestFailing_ = false;
    return;
  }
  requestFailing_ = true;
  win.lblBoardStatus->setText(
      QString::fromStdString(RequestFailureText(session_.link().driver(), request)));
}

void frmMain::linkChanged() {
  win.lblBoardLink->setText(boardLinkText(session_.link().driver()));
  requestFailing_ = false;
  win.lblBoardStatus->setText(QString::fromStdString(NoBoardText(session_.link())));
}

// Shown until the next request goes through.
void frmMain::boardAnswering() {
  requestFailing_ = true;
  win.lblBoardStatus->setText(QStringLiteral("Board answering again"));
}

void frmMain::showStatus(const QString& text) {
  if (win.lblStatus == nullptr) {
    win.lblStatus = new QLabel;
    win.lblStatus->setObjectName(QStringLiteral("lblStatus"));
    statusBar()->addPermanentWidget(win.lblStatus);
  }
  win.lblStatus->setText(text);
}
