// The model setup: applies one catalogue row to the register model and lays the window out for
// it. One procedure serves all eight rows.

#include "frm_main.h"
#include "main_dacs_view.h"
#include "offset_view.h"
#include "window_caption.h"

void frmMain::applySetup(int catalogueIndex) {
  if (catalogueIndex < 0 || catalogueIndex >= kPartCount) return;
  const PartInfo& part = PartCatalogue()[static_cast<std::size_t>(catalogueIndex)];
  session_.chooseModel(part);

  mainDacs_->showModel(part);
  offsets_->showModel(part);

  setWindowTitle(windowCaption(chip()));
}
