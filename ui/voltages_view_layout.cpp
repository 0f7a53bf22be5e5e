// Tab 3, "Output Voltages": one label per channel record, five rows of eight.

#include <QLabel>

#include "control_factory.h"
#include "voltages_view.h"

namespace {

constexpr std::array<int, kGroupSize> kColumnLefts{105, 1500, 2900, 4400, 5800, 7200, 8600, 10000};
constexpr int kRowPitch = 480;
constexpr int kRowShift = 5;  // each lower row starts a little further right

}  // namespace

void VoltagesView::buildVoltagesTab(QWidget* page) {
  for (int i = 0; i < kChannelCount; ++i) {
    const int row = i / kGroupSize;
    const int left = kColumnLefts[static_cast<std::size_t>(i % kGroupSize)] + kRowShift * row;
    tab3.lblvout[static_cast<std::size_t>(i)] =
        makeLabel(page, indexedName(QStringLiteral("lblvout"), i), QStringLiteral("Vout0=0.0000V"),
                  {left, 780 + kRowPitch * row, 1400, 195});
  }
}
