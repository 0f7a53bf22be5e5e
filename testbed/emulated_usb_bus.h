#pragma once
// An emulated USB bus with evaluation boards on it, at the kernel's USB interface: umockdev's
// testbed gives the program a bus 1 with its root hub and each board at usb1/1-<port>, with
// descriptors and a device node whose usbdevfs ioctls an EmulatedMicrocontroller answers. libusb
// in the same process sees them as real devices: the test program is linked with umockdev's
// preload library, and the bus must be made before libusb is initialised.
//
// A board re-enumerates after a firmware load as a real one does: it leaves the bus and comes
// back at the same port with a new device number, under the IDs after the load.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "emulated_microcontroller.h"
#include "usb_ids.h"

struct EmulatedBoardSetup {
  uint8_t port = 1;  // the root hub port: sysfs usb1/1-<port>
  BoardUsbIds ids;
  bool firmwareRunning = false;                // plugged in with its firmware already loaded
  bool releaseAnswersError = false;            // the CPU release write ends in an I/O error
  std::chrono::milliseconds comeBackDelay{5};  // from the release to leaving the bus
  bool firmwareStarts = true;   // false: comes back under the IDs before the load, no firmware
  int refusedRamWrite = -1;     // the RAM write (0, 1, ... after the CPU hold) that stalls
  bool releaseRefused = false;  // a CPU release after a refused RAM write stalls too
};

class EmulatedUsbBus {
 public:
  EmulatedUsbBus();
  ~EmulatedUsbBus();
  EmulatedUsbBus(const EmulatedUsbBus&) = delete;
  EmulatedUsbBus& operator=(const EmulatedUsbBus&) = delete;

  // Plugs a board in and returns its number for the calls below (0, 1, ... in plugging order).
  int addBoard(const EmulatedBoardSetup& setup);
  // Pulls the board out: its node goes, open files get "no device".
  void unplug(int board);
  // The board takes requests and never answers them (until answerAgain).
  void stopAnswering(int board);
  void answerAgain(int board);
  // The board answers `requests` more control transfers, then stops answering.
  void stopAnsweringAfter(int board, int requests);
  // The board's device node can no longer be opened (also for a test running as root).
  void denyPermission(int board);

  // The microcontroller's 64 KiB address space as loaded; its chip; what the loader did.
  std::vector<uint8_t> memory(int board) const;
  SimulatedChip chip(int board) const;
  // The chip model fitted to the board: its chip goes to that model's power-on state.
  void setChipModel(int board, const PartInfo& part);
  LoadRecord loads(int board) const;
  bool firmwareRunning(int board) const;
  // Times the board came back on the bus after a load.
  int reenumerations(int board) const;
  // The current device node, e.g. "/dev/bus/usb/001/002"; empty while off the bus.
  std::string deviceNode(int board) const;
  // Waits until every re-enumeration that was started has finished.
  void settle();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
