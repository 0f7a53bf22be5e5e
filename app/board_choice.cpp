#include "board_choice.h"

#include "library_driver.h"

#ifdef DAC_EVAL_NATIVE_USB
#include "usb_driver.h"
#include "usb_id_text.h"
#endif

BoardChoice::BoardChoice(const Options& options) : simulateOnly_(options.simulate) {
  if (simulateOnly_) return;
  library_ = std::make_unique<LibraryDriver>();
#ifdef DAC_EVAL_NATIVE_USB
  const BoardUsbIds ids = options.usbIds
                              ? ParseUsbIdText(*options.usbIds).ids.value_or(ConfiguredUsbIds())
                              : ConfiguredUsbIds();
  usb_ = std::make_unique<UsbDriver>(ids);
#endif
}

BoardChoice::~BoardChoice() = default;

bool BoardChoice::usbBoardAttached() {
#ifdef DAC_EVAL_NATIVE_USB
  return usb_ && usb_->available() && usb_->boardAttached();
#else
  return false;
#endif
}

VendorDriver& BoardChoice::initial() {
  if (library_ && library_->Load()) return *library_;
#ifdef DAC_EVAL_NATIVE_USB
  if (usbBoardAttached()) return *usb_;
#endif
  return simulated_;
}

void BoardChoice::beforeReload(BoardLink& link) {
#ifdef DAC_EVAL_NATIVE_USB
  if (&link.driver() == &simulated_ && usbBoardAttached()) link.setDriver(*usb_);
#else
  (void)link;
#endif
}
