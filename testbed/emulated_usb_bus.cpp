#include "emulated_usb_bus.h"

#include <sys/stat.h>
#include <umockdev.h>

#include <cstdio>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>

#include "file_access_override.h"
#include "usbdevfs_handler.h"

namespace {

// Device, configuration and interface descriptors of a vendor-specific device with no endpoints
// beyond endpoint 0, as the kernel shows them in sysfs.
std::string BoardDescriptors(UsbId id) {
  char text[128];
  std::snprintf(text, sizeof text,
                "12010002FFFFFF40%02x%02x%02x%02x000100000001"
                "09021200010100803209040000"
                "00FFFFFF00",
                id.vendor & 0xFF, id.vendor >> 8, id.product & 0xFF, id.product >> 8);
  return text;
}

constexpr const char* kRootHub =
    "P: /devices/usb1\n"
    "N: bus/usb/001/001\n"
    "E: SUBSYSTEM=usb\n"
    "E: DEVTYPE=usb_device\n"
    "E: DRIVER=usb\n"
    "E: BUSNUM=001\n"
    "E: DEVNUM=001\n"
    "E: DEVNAME=/dev/bus/usb/001/001\n"
    "A: busnum=1\\n\n"
    "A: devnum=1\\n\n"
    "A: speed=480\\n\n"
    "A: bConfigurationValue=1\\n\n"
    "H: "
    "descriptors="
    "12010002090001400000000000000000000109021900010100E0000904000001090000000705810304000C\n";

std::string DeviceNode(int devnum) {
  char text[32];
  std::snprintf(text, sizeof text, "/dev/bus/usb/001/%03d", devnum);
  return text;
}

std::string DeviceRecord(const std::string& sysName, int devnum, UsbId id) {
  char text[1024];
  std::snprintf(text, sizeof text,
                "P: /devices/usb1/%s\n"
                "N: bus/usb/001/%03d\n"
                "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DRIVER=usb\nE: BUSNUM=001\n"
                "E: DEVNUM=%03d\n"
                "E: DEVNAME=/dev/bus/usb/001/%03d\n"
                "A: busnum=1\\n\n"
                "A: devnum=%d\\n\n"
                "A: speed=480\\n\n"
                "A: bConfigurationValue=1\\n\n"
                "A: idVendor=%04x\\n\n"
                "A: idProduct=%04x\\n\n"
                "H: descriptors=%s\n",
                sysName.c_str(), devnum, devnum, devnum, devnum, id.vendor, id.product,
                BoardDescriptors(id).c_str());
  return text;
}

}  // namespace

struct EmulatedUsbBus::Impl {
  struct Board : ControlEndpoint {
    Impl* bus = nullptr;
    EmulatedBoardSetup setup;
    EmulatedMicrocontroller micro{false};
    UsbId id;
    std::string sysName;
    std::string node;
    bool answering = true;
    int reenumerations = 0;
    UMockdevIoctlBase* handler = nullptr;
    bool refusedWrite = false;
    int answersLeft = -1;  // -1: no end set

    // The RAM write the setup makes fail, and the release after it when the setup says so.
    bool refuses(const ControlSetup& request, const std::vector<uint8_t>& out) const {
      if (request.request != EmulatedMicrocontroller::kRamRequest || request.isIn()) return false;
      if (request.value == EmulatedMicrocontroller::kCpuControl)
        return refusedWrite && setup.releaseRefused && out.size() == 1 && out[0] == 0;
      return setup.refusedRamWrite >= 0 && micro.loads().ramWrites == setup.refusedRamWrite;
    }

    bool present(const std::string& devnode) override {
      std::lock_guard lock(bus->state);
      return !node.empty() && node == devnode;
    }
    bool answers() override {
      std::lock_guard lock(bus->state);
      return answering;
    }
    ControlReply control(const ControlSetup& request, const std::vector<uint8_t>& out) override {
      std::lock_guard lock(bus->state);
      if (refuses(request, out)) {
        refusedWrite = true;
        ControlReply stall;
        stall.stall = true;
        return stall;
      }
      ControlReply reply = micro.transfer(request, out);
      if (answersLeft > 0 && --answersLeft == 0) answering = false;
      if (reply.releasedCpu) {
        reply.transferError = setup.releaseAnswersError;
        bus->comeBacks.emplace_back([this] { bus->comeBack(*this); });
      }
      return reply;
    }
  };

  UMockdevTestbed* testbed = nullptr;
  std::string rootDir;
  std::mutex state;    // the boards' state, shared with umockdev's thread
  std::mutex devices;  // the testbed's devices
  std::vector<std::unique_ptr<Board>> boards;
  std::vector<std::thread> comeBacks;
  int lastDevnum = 1;
  std::optional<FileAccessOverrideDropped> overrideDropped;

  Board& board(int number) {
    if (number < 0 || static_cast<std::size_t>(number) >= boards.size())
      throw std::out_of_range("no emulated board " + std::to_string(number));
    return *boards[static_cast<std::size_t>(number)];
  }
  const Board& board(int number) const { return const_cast<Impl*>(this)->board(number); }

  // Puts the board on the bus under a new device number: its node answers before the bus
  // announces it.
  void plugIn(Board& b, bool cameBack) {
    std::lock_guard lock(devices);
    lastDevnum = lastDevnum >= 127 ? 2 : lastDevnum + 1;  // USB addresses are 1..127
    const int devnum = lastDevnum;
    const std::string node = DeviceNode(devnum);
    umockdev_testbed_attach_ioctl(testbed, node.c_str(), b.handler, nullptr);
    {
      std::lock_guard boardLock(state);
      b.node = node;
      if (cameBack) ++b.reenumerations;
    }
    umockdev_testbed_add_from_string(testbed, DeviceRecord(b.sysName, devnum, b.id).c_str(),
                                     nullptr);
    umockdev_testbed_uevent(testbed, ("/sys/devices/usb1/" + b.sysName).c_str(), "add");
  }

  // Takes the board off the bus; its node goes.
  void pullOut(Board& b, const std::string& node) {
    std::lock_guard lock(devices);
    const std::string sysPath = "/sys/devices/usb1/" + b.sysName;
    umockdev_testbed_uevent(testbed, sysPath.c_str(), "remove");
    umockdev_testbed_remove_device(testbed, sysPath.c_str());
    umockdev_testbed_detach_ioctl(testbed, node.c_str(), nullptr);
  }

  // After a load: the board leaves the bus and comes back under its IDs after the load.
  void comeBack(Board& b) {
    std::this_thread::sleep_for(b.setup.comeBackDelay);
    std::string leaving;
    {
      std::lock_guard lock(state);
      leaving = b.node;
      b.node.clear();
    }
    if (leaving.empty()) return;  // unplugged meanwhile
    pullOut(b, leaving);
    b.id = b.setup.firmwareStarts ? b.setup.ids.afterLoad : b.setup.ids.beforeLoad;
    if (!b.setup.firmwareStarts) {
      std::lock_guard lock(state);
      b.micro.stopFirmware();
    }
    plugIn(b, true);
  }

  void joinComeBacks() {
    for (;;) {
      std::vector<std::thread> running;
      {
        std::lock_guard lock(state);
        running.swap(comeBacks);
      }
      if (running.empty()) return;
      for (std::thread& thread : running) thread.join();
    }
  }
};

EmulatedUsbBus::EmulatedUsbBus() : impl_(std::make_unique<Impl>()) {
  impl_->testbed = umockdev_testbed_new();
  gchar* root = umockdev_testbed_get_root_dir(impl_->testbed);
  impl_->rootDir = root;
  g_free(root);
  umockdev_testbed_add_from_string(impl_->testbed, kRootHub, nullptr);
}

EmulatedUsbBus::~EmulatedUsbBus() {
  impl_->joinComeBacks();
  impl_->overrideDropped.reset();
  g_object_unref(impl_->testbed);
  for (auto& board : impl_->boards) g_object_unref(board->handler);
}

int EmulatedUsbBus::addBoard(const EmulatedBoardSetup& setup) {
  auto board = std::make_unique<Impl::Board>();
  board->bus = impl_.get();
  board->setup = setup;
  board->micro = EmulatedMicrocontroller(setup.firmwareRunning);
  board->id = setup.firmwareRunning ? setup.ids.afterLoad : setup.ids.beforeLoad;
  board->sysName = "1-" + std::to_string(setup.port);
  board->handler = NewUsbdevfsHandler(*board);
  Impl::Board& added = *board;
  {
    std::lock_guard lock(impl_->state);
    impl_->boards.push_back(std::move(board));
  }
  impl_->plugIn(added, false);
  std::lock_guard lock(impl_->state);
  return static_cast<int>(impl_->boards.size() - 1);
}

void EmulatedUsbBus::unplug(int number) {
  Impl::Board& b = impl_->board(number);
  std::string leaving;
  {
    std::lock_guard lock(impl_->state);
    leaving = b.node;
    b.node.clear();
  }
  if (!leaving.empty()) impl_->pullOut(b, leaving);
}

void EmulatedUsbBus::stopAnswering(int number) {
  std::lock_guard lock(impl_->state);
  impl_->board(number).answering = false;
}

void EmulatedUsbBus::answerAgain(int number) {
  std::lock_guard lock(impl_->state);
  impl_->board(number).answering = true;
  impl_->board(number).answersLeft = -1;
}

void EmulatedUsbBus::stopAnsweringAfter(int number, int requests) {
  std::lock_guard lock(impl_->state);
  Impl::Board& board = impl_->board(number);
  board.answersLeft = requests;
  if (requests <= 0) board.answering = false;
}

void EmulatedUsbBus::denyPermission(int number) {
  const std::string node = deviceNode(number);
  if (node.empty()) return;
  chmod((impl_->rootDir + node).c_str(), 0);
  if (!impl_->overrideDropped) impl_->overrideDropped.emplace();
}

std::vector<uint8_t> EmulatedUsbBus::memory(int number) const {
  std::lock_guard lock(impl_->state);
  return impl_->board(number).micro.memory();
}

SimulatedChip EmulatedUsbBus::chip(int number) const {
  std::lock_guard lock(impl_->state);
  return impl_->board(number).micro.chip();
}

void EmulatedUsbBus::setChipModel(int number, const PartInfo& part) {
  std::lock_guard lock(impl_->state);
  impl_->board(number).micro.setChipModel(part);
}

LoadRecord EmulatedUsbBus::loads(int number) const {
  std::lock_guard lock(impl_->state);
  return impl_->board(number).micro.loads();
}

bool EmulatedUsbBus::firmwareRunning(int number) const {
  std::lock_guard lock(impl_->state);
  return impl_->board(number).micro.firmwareRunning();
}

int EmulatedUsbBus::reenumerations(int number) const {
  std::lock_guard lock(impl_->state);
  return impl_->board(number).reenumerations;
}

std::string EmulatedUsbBus::deviceNode(int number) const {
  std::lock_guard lock(impl_->state);
  return impl_->board(number).node;
}

void EmulatedUsbBus::settle() {
  impl_->joinComeBacks();
}
