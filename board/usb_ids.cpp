#include "usb_ids.h"

#include "usb_ids_config.h"

BoardUsbIds ConfiguredUsbIds() {
  return {{kConfiguredVendorId, kConfiguredProductId},
          {kConfiguredFirmwareVendorId, kConfiguredFirmwareProductId}};
}

const char* UdevRuleFileName() {
  return kConfiguredUdevRuleFileName;
}
