// The menu bar and the controls that stand directly on the main window; the views of the tabs
// build their pages, in the order of the tabs.

#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

#include "board_link_text.h"
#include "control_factory.h"
#include "frm_main.h"
#include "main_dacs_view.h"
#include "offset_view.h"
#include "picture_box.h"
#include "signals_view.h"
#include "tab_canvas.h"
#include "twips.h"
#include "value_label.h"
#include "voltages_view.h"
#include "window_font.h"

namespace {

constexpr int kClientWidth = 12015;
constexpr int kClientHeight = 7545;

// Design-time captions of SSTab1; "&&" shows one "&".
constexpr std::array<const char*, 4> kTabCaptions{"Main DACs", "Offset DACs",
                                                  "Signals && Direct Load", "Output Voltages"};

QAction* namedAction(QAction* action, const char* name) {
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

QMenu* namedMenu(QMenuBar* bar, const QString& title, const char* name) {
  QMenu* menu = bar->addMenu(title);
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

PictureBox* makePicture(QWidget* parent, const char* name, int left, int top) {
  auto* picture = new PictureBox(parent);
  place(picture, QString::fromLatin1(name), {left, top, 615, 495});
  return picture;
}

}  // namespace

void frmMain::buildMenus() {
  QMenuBar* bar = menuBar();
  menus.mnuFile = namedMenu(bar, QStringLiteral("File"), "mnuFile");
  menus.mnuReload =
      namedAction(menus.mnuFile->addAction(QStringLiteral("Reload USB")), "mnuReload");
  menus.mnudash = namedAction(menus.mnuFile->addSeparator(), "mnudash");
  menus.mnuLoadSetup =
      namedAction(menus.mnuFile->addAction(QStringLiteral("Load Setup...")), "mnuLoadSetup");
  menus.mnuSaveSetup =
      namedAction(menus.mnuFile->addAction(QStringLiteral("Save Setup...")), "mnuSaveSetup");
  menus.mnuSetupDash = namedAction(menus.mnuFile->addSeparator(), "mnuSetupDash");
  menus.mnuExit = namedAction(menus.mnuFile->addAction(QStringLiteral("Exit")), "mnuExit");
  // Additions of this program beyond the original two menus.
  menus.mnuView = namedMenu(bar, QStringLiteral("View"), "mnuView");
  menus.mnuRequestLog =
      namedAction(menus.mnuView->addAction(QStringLiteral("Request Log")), "mnuRequestLog");
  menus.mnuRequestLog->setCheckable(true);
  menus.mnuTools = namedMenu(bar, QStringLiteral("Tools"), "mnuTools");
  menus.mnuSetVoltage = namedAction(
      menus.mnuTools->addAction(QStringLiteral("Set Output Voltage...")), "mnuSetVoltage");
  menus.mnuVerifyChip = namedAction(
      menus.mnuTools->addAction(QStringLiteral("Verify Chip Registers...")), "mnuVerifyChip");
  menus.mnuChannels =
      namedAction(menus.mnuTools->addAction(QStringLiteral("Channels...")), "mnuChannels");
  menus.mnuSequence =
      namedAction(menus.mnuTools->addAction(QStringLiteral("Sequence...")), "mnuSequence");
  menus.mnuAbout = namedMenu(bar, QStringLiteral("About"), "mnuAbout");
  menus.mnuVersion =
      namedAction(menus.mnuAbout->addAction(QStringLiteral("Version")), "mnuVersion");
}

void frmMain::buildWindowControls() {
  setObjectName(QStringLiteral("frmMain"));
  setFont(windowFont());
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(tw(kClientWidth), tw(kClientHeight));
  setCentralWidget(client);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  // The corner pictures lie under the tab control; only their uncovered corners take clicks.
  win.Picture1 = makePicture(client, "Picture1", 0, 0);
  win.Picture3 = makePicture(client, "Picture3", 11400, 0);
  win.Picture2 = makePicture(client, "Picture2", -120, 7020);

  win.SSTab1 = new QTabWidget(client);
  place(win.SSTab1, QStringLiteral("SSTab1"), {240, 240, 11655, 6855});
  for (std::size_t i = 0; i < win.tabPage.size(); ++i) {
    auto* page = new QWidget;
    page->setObjectName(indexedName(QStringLiteral("tabPage"), static_cast<int>(i)));
    win.SSTab1->addTab(page, QString::fromLatin1(kTabCaptions[i]));
    win.tabPage[i] = page;
  }
  mainDacs_ = std::make_unique<MainDacsView>(context_, makeTabCanvas(win.SSTab1, win.tabPage[0]));
  offsets_ = std::make_unique<OffsetView>(context_, makeTabCanvas(win.SSTab1, win.tabPage[1]));
  signals_ = std::make_unique<SignalsView>(context_, makeTabCanvas(win.SSTab1, win.tabPage[2]));
  voltages_ = std::make_unique<VoltagesView>(context_, makeTabCanvas(win.SSTab1, win.tabPage[3]));

  win.Label7 = makeLabel(client, QStringLiteral("Label7"), QStringLiteral("Output Data Word:"),
                         {7320, 7200, 1755, 195});
  makeBold(win.Label7);
  win.Label7->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  win.lblOutputCode = makeValueLabel(client, QStringLiteral("lblOutputCode"),
                                     QStringLiteral("000000"), {9120, 7140, 735, 255});
  win.Command3 = makeButton(client, QStringLiteral("Command3"), QStringLiteral("Command3"),
                            {2700, 7200, 1335, 255});
  win.Command3->hide();

  win.lblBoardLink = new QLabel(boardLinkText(session_.link().driver()));
  win.lblBoardLink->setObjectName(QStringLiteral("lblBoardLink"));
  statusBar()->addWidget(win.lblBoardLink);
  win.lblBoardStatus = new QLabel;
  win.lblBoardStatus->setObjectName(QStringLiteral("lblBoardStatus"));
  statusBar()->addWidget(win.lblBoardStatus);
  statusBar()->setSizeGripEnabled(false);
}
