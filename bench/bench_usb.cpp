// One vendor request over the native USB link against the same request over the built-in
// simulated board and a bare libusb_control_transfer to the same emulated device, side by side in
// one run; then whole firmware downloads of a 16 KiB image (the microcontroller's program RAM)
// against the emulated board, re-enumeration included. The board is the umockdev-emulated one
// of testbed/: every transfer crosses the kernel's usbdevfs interface as umockdev emulates it.
//
// Usage: bench_usb [requests] [downloads]   (defaults 10000 of each way and 20)

#include <libusb.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "bench_report.h"
#include "emulated_usb_bus.h"
#include "intel_hex_writer.h"
#include "simulated_board.h"
#include "usb_driver.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr BoardUsbIds kIds{{0xfff0, 0x0820}, {0xfff0, 0x0821}};
constexpr double kTargetRatio = 1.2;
constexpr uint8_t kWordRequest = 0xDD;

// Microseconds `request` took, appended to `micros`; false when it failed.
bool Time(const std::function<int()>& request, std::vector<double>& micros) {
  const auto start = Clock::now();
  const int status = request();
  micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  if (status < 0) std::fprintf(stderr, "request failed with status %d\n", status);
  return status >= 0;
}

struct RequestTimes {
  std::vector<double> native, bare, simulated;
};

// The three ways request by request, in an order that turns at every step, so that a change of
// the machine's load and the position in the sequence hit all three alike.
bool MeasureRequests(int count, UsbDriver& driver, int32_t handle, libusb_device_handle* bare,
                     RequestTimes& times) {
  SimulatedBoard simulated;
  uint8_t none = 0;
  uint16_t word = 0;
  const std::function<int()> ways[] = {
      [&] {
        return libusb_control_transfer(bare, 0x40, kWordRequest, ++word, 0xC8, nullptr, 0, 1000);
      },
      [&] { return int{driver.Vendor_Request(handle, kWordRequest, ++word, 0xC8, 0, 0, &none)}; },
      [&] { return int{simulated.Vendor_Request(1, kWordRequest, ++word, 0xC8, 0, 0, &none)}; }};
  std::vector<double>* samples[] = {&times.bare, &times.native, &times.simulated};
  for (int i = 0; i < count; ++i) {
    for (int k = 0; k < 3; ++k) {
      const int way = (i + k) % 3;
      if (!Time(ways[way], *samples[way])) return false;
    }
    if (i % 1000 == 999) simulated.clearRequests();
  }
  return true;
}

// Milliseconds of each download of a 16 KiB image; empty when one failed.
std::vector<double> MeasureDownloads(int downloads, UsbDriver& driver, int32_t handle) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("bench_usb_" + std::to_string(getpid()) + ".hex");
  std::ofstream(file) << IntelHexText(PatternImage(0, 16384, 1));
  std::string path = file.string();
  std::vector<uint8_t> bytes(path.begin(), path.end());
  bytes.push_back(0);
  std::vector<double> millis;
  for (int i = 0; i < downloads; ++i) {
    const auto start = Clock::now();
    const int16_t status = driver.Download_Firmware(handle, bytes.data());
    millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (status != 0) {
      std::fprintf(stderr, "download %d failed with status %d\n", i, status);
      millis.clear();
      break;
    }
  }
  std::filesystem::remove(file);
  return millis;
}

int Run(int requests, int downloads) {
  EmulatedUsbBus bus;
  bus.addBoard({1, kIds, true});
  UsbDriver driver(kIds);
  int32_t handle = 0;
  if (!driver.available() || driver.Connect(0, 0, 0, &handle) != 0) {
    std::fprintf(stderr, "the emulated board could not be opened\n");
    return 1;
  }
  libusb_context* context = nullptr;
  libusb_init(&context);
  libusb_device_handle* bare =
      libusb_open_device_with_vid_pid(context, kIds.afterLoad.vendor, kIds.afterLoad.product);
  if (bare == nullptr) {
    std::fprintf(stderr, "the emulated board could not be opened with bare libusb\n");
    return 1;
  }
  RequestTimes times;
  const bool measured = MeasureRequests(requests, driver, handle, bare, times);
  libusb_close(bare);
  libusb_exit(context);
  if (!measured) return 1;

  const double native = Median(times.native);
  const double bareMedian = Median(times.bare);
  const double simulated = Median(times.simulated);
  std::fprintf(stderr,
               "requests: %d of each way; medians: native %.1f us, bare libusb %.1f us, "
               "simulated board %.3f us; 90th percentiles %.1f / %.1f / %.3f us\n",
               requests, native, bareMedian, simulated, Percentile(times.native, 0.9),
               Percentile(times.bare, 0.9), Percentile(times.simulated, 0.9));
  const double ratio = native / bareMedian;
  PrintVerdict("one request over the native link: median " + Fixed(native, 1) + " us, bare " +
                   "libusb_control_transfer " + Fixed(bareMedian, 1) + " us (ratio " +
                   Fixed(ratio, 2) + "), simulated board " + Fixed(simulated, 3) + " us",
               "native <= " + Fixed(kTargetRatio, 1) + " x bare libusb", ratio <= kTargetRatio);

  const std::vector<double> millis = MeasureDownloads(downloads, driver, handle);
  if (millis.empty()) return 1;
  std::printf(
      "firmware download of a 16 KiB image, re-enumeration included: median %s ms, "
      "slowest %s ms over %d downloads | bound %s s | %s\n",
      Fixed(Median(millis), 1).c_str(), Fixed(Percentile(millis, 1.0), 1).c_str(), downloads,
      Fixed(UsbLinkTimings{}.comeBackTimeout.count() / 1000.0, 0).c_str(),
      Percentile(millis, 1.0) < 3000.0 ? "MET" : "MISSED");
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  const int requests = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int downloads = argc > 2 ? std::atoi(argv[2]) : 20;
  if (requests <= 0 || downloads <= 0) {
    std::fprintf(stderr, "usage: bench_usb [requests > 0] [downloads > 0]\n");
    return 2;
  }
  return Run(requests, downloads);
}
