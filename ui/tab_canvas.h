#pragma once
// The contents of a tab page are placed in twips from the top-left corner of the whole tab
// control, tab row included. A canvas is a child of the page that covers the tab control's
// area and sits at the page's offset inside it, turned negative, so controls placed on the
// canvas stand where they were designed and clear the tab row whatever height the style gives it.

class QTabWidget;
class QWidget;

// The canvas of `page`, which must already be a page of `tabs`.
QWidget* makeTabCanvas(QTabWidget* tabs, QWidget* page);
