#pragma once
// The kernel's usbdevfs interface of one emulated USB device, as umockdev hands over the ioctls
// that a program makes on the device's node: URBs submitted, reaped and discarded, and the
// control transfers among them carried to a ControlEndpoint. It runs on umockdev's own thread.

#include <string>
#include <vector>

#include "emulated_microcontroller.h"

typedef struct _UMockdevIoctlBase UMockdevIoctlBase;

class ControlEndpoint {
 public:
  virtual ~ControlEndpoint() = default;
  // Whether `devnode` is the device's node now: false once the device has left the bus, and for
  // the node of an earlier enumeration.
  virtual bool present(const std::string& devnode) = 0;
  // Whether the device answers at all: when not, transfers are taken and never completed.
  virtual bool answers() = 0;
  virtual ControlReply control(const ControlSetup& setup, const std::vector<uint8_t>& out) = 0;
};

// A new handler for umockdev_testbed_attach_ioctl; g_object_unref it when done. `endpoint`
// must outlive it.
UMockdevIoctlBase* NewUsbdevfsHandler(ControlEndpoint& endpoint);
