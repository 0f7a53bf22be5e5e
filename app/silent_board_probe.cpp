#include "silent_board_probe.h"

#include <QTimer>

#include "session.h"

void ProbeSilentBoardEverySecond(Session& session, QObject& owner) {
  auto* timer = new QTimer(&owner);
  timer->setInterval(static_cast<int>(Session::kProbeInterval.count()));
  QObject::connect(timer, &QTimer::timeout, &owner, [&session] { session.probeSilentBoard(); });
  timer->start();
}
