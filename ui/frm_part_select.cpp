#include "frm_part_select.h"

#include <QLabel>
#include <QPushButton>

#include "control_factory.h"
#include "frm_main.h"
#include "twips.h"
#include "window_font.h"

namespace {

constexpr int kClientWidth = 2685;
constexpr int kClientHeight = 2505;
// The operator is offered the first four models; the buttons of the others exist but stay hidden.
constexpr int kOfferedParts = 4;

}  // namespace

frmPartSelect::frmPartSelect(frmMain& main, QWidget* parent) : QDialog(parent), main_(main) {
  setObjectName(QStringLiteral("frmPartSelect"));
  setWindowTitle(QString());
  setFont(windowFont());
  setFixedSize(tw(kClientWidth), tw(kClientHeight));

  Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Select Part"),
                     {615, 120, 1545, 360});
  makeBold(Label1, 13.5);

  for (int k = 0; k < kPartCount; ++k) {
    const auto at = static_cast<std::size_t>(k);
    QPushButton* button =
        makeButton(this, indexedName(QStringLiteral("cmdPART"), k),
                   QString::fromLatin1(PartCatalogue()[at].name.data(),
                                       static_cast<qsizetype>(PartCatalogue()[at].name.size())),
                   {540, 660 + 420 * k, 1635, 375});
    button->setVisible(k < kOfferedParts);
    connect(button, &QPushButton::clicked, this, [this, k] { cmdPART_Click(k); });
    cmdPART[at] = button;
  }
}

void frmPartSelect::cmdPART_Click(int index) {
  main_.applySetup(index);
  close();
}
