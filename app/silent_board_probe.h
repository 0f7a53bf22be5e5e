#pragma once
// A board that stopped answering is looked at again once a second from the event loop, between
// actions, so that the program takes it up again without a restart.

#include <QObject>

class Session;

// Runs Session::probeSilentBoard every second for as long as `owner` lives.
void ProbeSilentBoardEverySecond(Session& session, QObject& owner);
