// The layout of the main window and the part chooser: captions and texts at design time, what
// starts hidden and selected, the drop-down lists, the fonts, the twips geometry, and that every
// control of every tab lies inside its page, clear of the tab row, with its caption not cut off.

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "frm_part_select.h"
#include "twips.h"
#include "ui_test_support.h"

namespace {

// A model that shows none of the optional controls (no VREF2, no third offset row, no monitor).
constexpr int kZR822 = 6;
constexpr int kZR810 = 0;

QString indexed(const char* name, int i) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

// The caption or text a control shows, whatever kind it is.
QString captionOf(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  return QStringLiteral("<no caption>");
}

QPoint twipsPos(int left, int top) {
  return twipsPoint(left, top);
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void tabsAndWindow();
  void designCaptions_data();
  void designCaptions();
  void hiddenAtDesign_data();
  void hiddenAtDesign();
  void selectedAtDesign_data();
  void selectedAtDesign();
  void groupOptionsOfTheHiddenFrame();
  void monitorListsBeforeAnyChoice();
  void controlArraysStandInTheirGrid();
  void fonts();
  void everyControlLiesInsideItsPage_data();
  void everyControlLiesInsideItsPage();
  void partChooser();
};

void LayoutTest::tabsAndWindow() {
  WindowUnderTest w(kZR822);
  auto* tabs = w.find<QTabWidget>("SSTab1");
  QCOMPARE(tabs->count(), 4);
  const QStringList captions{QStringLiteral("Main DACs"), QStringLiteral("Offset DACs"),
                             QStringLiteral("Signals && Direct Load"),
                             QStringLiteral("Output Voltages")};
  for (int i = 0; i < 4; ++i) QCOMPARE(tabs->tabText(i), captions[i]);
  QCOMPARE(tabs->geometry(), twipsRect(240, 240, 11655, 6855));
  QCOMPARE(w.window().centralWidget()->size(), QSize(tw(12015), tw(7545)));
  QCOMPARE(w.find<QWidget>("Picture1")->geometry(), twipsRect(0, 0, 615, 495));
  QCOMPARE(w.find<QWidget>("Picture3")->geometry(), twipsRect(11400, 0, 615, 495));
  QCOMPARE(w.find<QWidget>("Picture2")->geometry(), twipsRect(-120, 7020, 615, 495));
  QCOMPARE(w.find<QWidget>("lblOutputCode")->geometry(), twipsRect(9120, 7140, 735, 255));
  auto* label7 = w.find<QLabel>("Label7");
  QVERIFY(label7->font().bold());
  QVERIFY(label7->alignment() & Qt::AlignRight);
}

void LayoutTest::designCaptions_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  const std::initializer_list<std::pair<const char*, const char*>> rows{
      {"Label7", "Output Data Word:"},
      {"lblOutputCode", "000000"},
      {"Command3", "Command3"},
      {"mnuPulseReset", "Pulse RESET"},
      {"Frame1", "DAC Selection"},
      {"chkDAC(40)", "Selected DAC Group"},
      {"Frame4", "Input Code (Hex)"},
      {"txtInput(0)", "3FFF"},
      {"txtInput(3)", "8000"},
      {"txtInput(5)", "1555"},
      {"txtInput(6)", "5554"},
      {"txtInput(9)", "0000"},
      {"frmGroup", "Group 0 - Vout0"},
      {"Label5(2)", "VREF2"},
      {"Label2(0)", "A"},
      {"Label2(1)", "B"},
      {"cmdX1A", "X >>"},
      {"cmdM", "M >>"},
      {"cmdC", "C >>"},
      {"Label1(0)", "X"},
      {"Label3(0)", "X2A"},
      {"label4(2)", "X2B"},
      {"cmdLDAC", "Pulse LDAC"},
      {"Label6(0)", "Hex Value"},
      {"cmdOFFSET(0)", ">> Offset DAC 0"},
      {"cmdOFFSET(2)", ">> Offset DAC 2"},
      {"fraMonControls", "Monitor Controls"},
      {"Label6(3)", "Enable/Disable"},
      {"Label6(4)", "Monitored Channel"},
      {"fraGPIO", "GPIO Configuration"},
      {"chkGPIO(0)", "Pin is Input"},
      {"chkGPIO(1)", "Pin is Output = Low"},
      {"chkGPIO(2)", "Pin is Output = High"},
      {"cmdGPIOread", "Read"},
      {"lblGPIOinput", "= LOW"},
      {"Command5", "Pulse RESET"},
      {"Command4", "Pulse LDAC"},
      {"cmdPowerDownTest", "Power Down Test"},
      {"Command6", "Pulse CLR"},
      {"Frame6", "Direct 24-Bit Load"},
      {"txtDirectLoad(4)", "000000"},
      {"cmdDirectLoad", "Load Command"},
      {"cmdRESET(0)", "RESET High"},
      {"cmdRESET(1)", "RESET Low"},
      {"cmdRESET(2)", "CLR High"},
      {"cmdRESET(3)", "CLR Low"},
      {"cmdRESET(4)", "LDAC High"},
      {"cmdRESET(5)", "LDAC Low"},
      {"Command1", "Pulse RESET"},
      {"Command2", "Pulse LDAC"},
      {"lblvout(39)", "Vout0=0.0000V"},
  };
  for (const auto& [name, caption] : rows) {
    QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption);
  }
}

void LayoutTest::designCaptions() {
  QFETCH(QString, name);
  QFETCH(QString, caption);
  WindowUnderTest w(kZR822);
  QCOMPARE(captionOf(w.find<QWidget>(name)), caption);
}

void LayoutTest::hiddenAtDesign_data() {
  QTest::addColumn<QString>("name");
  for (const char* name : {"chkDAC(40)", "Frame5", "Command3", "Command6", "cmdPowerDownTest",
                           "Label5(2)", "txtVREF(2)", "Label6(2)", "txtOffsetValue(2)",
                           "cmdOFFSET(2)", "Line8", "fraMonControls", "fraGPIO", "Breg"}) {
    QTest::newRow(name) << QString::fromLatin1(name);
  }
}

void LayoutTest::hiddenAtDesign() {
  QFETCH(QString, name);
  WindowUnderTest w(kZR822);
  QVERIFY(w.find<QWidget>(name)->isHidden());
}

void LayoutTest::selectedAtDesign_data() {
  QTest::addColumn<QString>("group");  // the option buttons of one group
  QTest::addColumn<int>("count");
  QTest::addColumn<int>("selected");
  QTest::newRow("chkDAC") << "chkDAC" << 41 << 0;
  QTest::newRow("InputSel") << "InputSel" << 10 << 0;
  QTest::newRow("optAB") << "optAB" << 2 << 0;
  QTest::newRow("DACoptMux2") << "DACoptMux2" << 2 << 0;
  QTest::newRow("chkGPIO") << "chkGPIO" << 3 << 0;
  QTest::newRow("optTxtSelect") << "optTxtSelect" << 5 << 0;
  QTest::newRow("chkAllChannels") << "chkAllChannels" << 22 << 21;
}

void LayoutTest::selectedAtDesign() {
  QFETCH(QString, group);
  QFETCH(int, count);
  QFETCH(int, selected);
  WindowUnderTest w(kZR822);
  for (int i = 0; i < count; ++i) {
    auto* option = w.find<QRadioButton>(QStringLiteral("%1(%2)").arg(group).arg(i));
    QCOMPARE(option->isChecked(), i == selected);
  }
  // The group is one exclusive set: choosing another member clears the first.
  auto* other =
      w.find<QRadioButton>(QStringLiteral("%1(%2)").arg(group).arg(selected == 0 ? 1 : 0));
  other->setChecked(true);
  QVERIFY(!w.find<QRadioButton>(QStringLiteral("%1(%2)").arg(group).arg(selected))->isChecked());
}

void LayoutTest::groupOptionsOfTheHiddenFrame() {
  WindowUnderTest w(kZR822);
  QStringList expected;
  for (int g = 0; g < 5; ++g) expected << QStringLiteral("Group %1 - All Channels").arg(g);
  for (int c = 0; c < 8; ++c) expected << QStringLiteral("All Groups - Channel %1").arg(c);
  for (int c = 0; c < 8; ++c) expected << QStringLiteral("All Except Group 0 - Channel %1").arg(c);
  expected << QStringLiteral("All Groups - All Channels");
  auto* frame = w.find<QGroupBox>("Frame5");
  for (int i = 0; i < 22; ++i) {
    auto* option = w.find<QRadioButton>(indexed("chkAllChannels", i));
    QCOMPARE(option->text(), expected[i]);
    QCOMPARE(option->parentWidget(), frame);
  }
}

void LayoutTest::monitorListsBeforeAnyChoice() {
  WindowUnderTest w(kZR822);
  auto* enable = w.find<QComboBox>("cboDisable");
  QCOMPARE(enable->count(), 2);
  QCOMPARE(enable->itemText(0), QStringLiteral("Monitor Disabled"));
  QCOMPARE(enable->itemText(1), QStringLiteral("Monitor Enabled"));
  QCOMPARE(enable->currentIndex(), -1);
  QCOMPARE(enable->placeholderText(), QStringLiteral("Monitor Disabled"));
  QVERIFY(!enable->isEditable());

  auto* channel = w.find<QComboBox>("cboMonChannel");
  QCOMPARE(channel->count(), 2);
  QCOMPARE(channel->currentText(), QStringLiteral("Mon_In0"));
  QCOMPARE(channel->itemText(1), QStringLiteral("Mon_In1"));
  QVERIFY(!channel->isEnabled());
}

void LayoutTest::controlArraysStandInTheirGrid() {
  WindowUnderTest w(kZR822);
  for (int i = 0; i < 40; ++i) {
    auto* option = w.find<QWidget>(indexed("chkDAC", i));
    QCOMPARE(option->parentWidget(), w.find<QWidget>("Frame1"));
    QCOMPARE(option->pos(), twipsPos(360 + 1000 * (i % 8), 540 + 300 * (i / 8)));
    QCOMPARE(w.find<QWidget>(indexed("lblvout", i))->y(), tw(780 + 480 * (i / 8)));
  }
  for (int k = 0; k < 10; ++k) {
    QCOMPARE(w.find<QWidget>(indexed("txtInput", k))->geometry(),
             twipsRect(120, 240 + 420 * k, 795, 315));
    QCOMPARE(w.find<QWidget>(indexed("InputSel", k))->pos(), twipsPos(960, 300 + 420 * k));
  }
  for (int k = 0; k < 5; ++k) {
    QCOMPARE(w.find<QWidget>(indexed("txtDirectLoad", k))->geometry(),
             twipsRect(120, 360 + 360 * k, 1155, 285));
  }
  for (int k = 0; k < 6; ++k) {
    QCOMPARE(w.find<QWidget>(indexed("cmdRESET", k))->pos(),
             twipsPos(2760 + 1560 * (k / 2), k % 2 == 0 ? 3720 : 4200));
  }
  // A tab page's twips are counted from the tab control's corner, tab row included.
  auto* tabs = w.find<QTabWidget>("SSTab1");
  w.window().show();
  QVERIFY(QTest::qWaitForWindowExposed(&w.window()));
  QCOMPARE(w.find<QWidget>("mnuPulseReset")->mapTo(tabs, QPoint(0, 0)), twipsPos(540, 900));
  QCOMPARE(w.find<QWidget>("Frame1")->mapTo(tabs, QPoint(0, 0)), twipsPos(2040, 840));
}

void LayoutTest::fonts() {
  WindowUnderTest w(kZR822);
  const QFont times = w.find<QLabel>("Label1(0)")->font();
  QVERIFY(times.bold());
  QCOMPARE(times.pointSizeF(), 9.75);
  auto* sigma = w.find<QLabel>("Label1(1)");
  QCOMPARE(sigma->text(), QString(QChar(0x03A3)));
  QVERIFY(sigma->font().bold());
  QCOMPARE(sigma->font().pointSizeF(), 12.0);
  for (const char* name : {"Label2(0)", "cmdX1A", "cmdM", "cmdC", "Label3(0)", "label4(2)"})
    QVERIFY2(w.find<QWidget>(QString::fromLatin1(name))->font().bold(), name);
  const QFont window = w.window().font();
  QVERIFY(window.pointSizeF() >= 7.5 && window.pointSizeF() <= 8.5);
  QVERIFY(!w.find<QWidget>("cmdLDAC")->font().bold());
}

void LayoutTest::everyControlLiesInsideItsPage_data() {
  QTest::addColumn<int>("part");
  QTest::addColumn<int>("tab");
  for (int part : {kZR810, 5}) {
    for (int tab = 0; tab < 4; ++tab) {
      QTest::newRow(qPrintable(QStringLiteral("row %1 tab %2").arg(part).arg(tab))) << part << tab;
    }
  }
}

void LayoutTest::everyControlLiesInsideItsPage() {
  QFETCH(int, part);
  QFETCH(int, tab);
  WindowUnderTest w(part);
  w.window().show();
  QVERIFY(QTest::qWaitForWindowExposed(&w.window()));
  auto* tabs = w.find<QTabWidget>("SSTab1");
  tabs->setCurrentIndex(tab);
  QWidget* page = tabs->widget(tab);
  const QRect pageArea = page->rect();
  QVERIFY(page->mapTo(tabs, QPoint(0, 0)).y() >= tabs->tabBar()->geometry().bottom());

  int checked = 0;
  for (QWidget* control : page->findChildren<QWidget*>()) {
    const bool isControl = qobject_cast<QAbstractButton*>(control) ||
                           qobject_cast<QLabel*>(control) || qobject_cast<QLineEdit*>(control) ||
                           qobject_cast<QComboBox*>(control) || qobject_cast<QGroupBox*>(control);
    if (!isControl || !control->isVisible()) continue;
    const QRect inPage(control->mapTo(page, QPoint(0, 0)), control->size());
    QVERIFY2(pageArea.contains(inPage), qPrintable(control->objectName()));
    const QString caption = captionOf(control);
    const QString cutOff = control->objectName() + QStringLiteral(" cut off");
    if (qobject_cast<QPushButton*>(control)) {
      QVERIFY2(control->fontMetrics().horizontalAdvance(caption) < control->width(),
               qPrintable(cutOff));
    } else if (!caption.isEmpty() &&
               (qobject_cast<QLabel*>(control) || qobject_cast<QRadioButton*>(control))) {
      QVERIFY2(control->sizeHint().width() <= control->width(), qPrintable(cutOff));
    }
    if (qobject_cast<QRadioButton*>(control)) {
      QStyle* style = control->style();
      const QSize mark(style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, control),
                       style->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, control));
      QVERIFY2(mark.width() <= control->width() && mark.height() <= control->height(),
               qPrintable(control->objectName() + QStringLiteral(" mark cut off")));
    }
    ++checked;
  }
  QVERIFY(checked >= 10);
}

void LayoutTest::partChooser() {
  WindowUnderTest w(kNoPartChosen);
  frmPartSelect chooser(w.window());
  QCOMPARE(chooser.objectName(), QStringLiteral("frmPartSelect"));
  QVERIFY(chooser.windowTitle().isEmpty());
  QCOMPARE(chooser.size(), QSize(tw(2685), tw(2505)));
  auto* title = chooser.findChild<QLabel*>(QStringLiteral("Label1"));
  QCOMPARE(title->text(), QStringLiteral("Select Part"));
  QVERIFY(title->font().bold());
  QCOMPARE(title->font().pointSizeF(), 13.5);
  const QStringList names{"ZR810", "ZR811", "ZR812", "ZR813", "ZR820", "ZR821", "ZR822", "ZR823"};
  for (int k = 0; k < 8; ++k) {
    auto* button = chooser.findChild<QPushButton*>(indexed("cmdPART", k));
    QVERIFY(button);
    QCOMPARE(button->text(), names[k]);
    QCOMPARE(button->geometry(), twipsRect(540, 660 + 420 * k, 1635, 375));
    QCOMPARE(button->isHidden(), k >= 4);
  }
  // A press of a hidden model's button still applies that model and closes the chooser.
  chooser.show();
  chooser.cmdPART_Click(5);
  QCOMPARE(w.session().chip().PartName, std::string("ZR821"));
  QVERIFY(!chooser.isVisible());
}

QTEST_MAIN(LayoutTest)
#include "test_layout.moc"
