#pragma once
// The windows' own font: a small sans-serif close to the classic 8-point dialog font, so that
// captions fit the boxes they were designed for.

#include <QFont>

QFont windowFont();
