#include "created.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include "control_factory.h"
#include "twips.h"
#include "window_font.h"

namespace {
constexpr int kClientWidth = 5730;
constexpr int kClientHeight = 4650;
}  // namespace

created::created(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("created"));
  setWindowTitle(QString());
  setFont(windowFont());
  setFixedSize(tw(kClientWidth), tw(kClientHeight));

  Label1 = makeLabel(this, QStringLiteral("Label1"),
                     QStringLiteral("Bench software team - thanks to all who soldered a board"),
                     {315, 210, 4845, 225});
  Label1->setAlignment(Qt::AlignCenter);

  Picture1 = makeLabel(this, QStringLiteral("Picture1"), QString(), {420, 420, 4845, 2955});
  Picture1->setPixmap(QPixmap(QStringLiteral(":/credits.png")));
  Picture1->setAlignment(Qt::AlignCenter);

  Command1 = makeButton(this, QStringLiteral("Command1"),
                        QStringLiteral("Back to the Real World..."), {1680, 3675, 2430, 645});
  connect(Command1, &QPushButton::clicked, this, &created::Command1_Click);
  centreOnScreen();
}

void created::Command1_Click() {
  close();
}

void created::centreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}
