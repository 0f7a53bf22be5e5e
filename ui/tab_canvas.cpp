#include "tab_canvas.h"

#include <QEvent>
#include <QTabWidget>

namespace {

// Keeps the canvas over the tab control's area while the page moves or resizes with it.
class CanvasKeeper : public QObject {
 public:
  CanvasKeeper(QTabWidget* tabs, QWidget* page, QWidget* canvas)
      : QObject(canvas), tabs_(tabs), page_(page), canvas_(canvas) {
    page->installEventFilter(this);
    if (QWidget* stack = page->parentWidget()) stack->installEventFilter(this);
    reposition();
  }

  void reposition() {
    canvas_->setGeometry(QRect(-page_->mapTo(tabs_, QPoint(0, 0)), tabs_->size()));
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Show:
        reposition();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  QTabWidget* tabs_;
  QWidget* page_;
  QWidget* canvas_;
};

}  // namespace

QWidget* makeTabCanvas(QTabWidget* tabs, QWidget* page) {
  auto* canvas = new QWidget(page);
  canvas->setObjectName(page->objectName() + QStringLiteral(".canvas"));
  // One plain surface, like the frames on it, which hide the lines that pass behind them.
  canvas->setAutoFillBackground(true);
  new CanvasKeeper(tabs, page, canvas);
  return canvas;
}
