#include "shown_text.h"

namespace {
constexpr qsizetype kLongest = 40;
}  // namespace

QString ShownText(const QString& text) {
  QString shown = text.left(kLongest);
  for (QChar& c : shown) {
    if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
        c.category() == QChar::Separator_Paragraph) {
      c = QLatin1Char('?');
    }
  }
  if (text.size() > kLongest) shown += QStringLiteral("...");
  return shown;
}
