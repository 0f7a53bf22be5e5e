#pragma once
// Text from a file (a key, a word, a file name) as a message shows it: on one line and short.

#include <QString>

// Control characters become '?'; past 40 characters the text is cut with "...".
QString ShownText(const QString& text);
