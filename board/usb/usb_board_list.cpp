#include "usb_board_list.h"

#include <libusb.h>

#include <algorithm>
#include <array>

namespace {

// libusb's limit for a port path (USB 3.0: 7 tiers).
constexpr int kMaxPorts = 7;

UsbPlace PlaceOf(libusb_device* device) {
  std::array<uint8_t, kMaxPorts> ports{};
  const int depth = libusb_get_port_numbers(device, ports.data(), kMaxPorts);
  UsbPlace place{libusb_get_bus_number(device), {}};
  if (depth > 0) place.ports.assign(ports.begin(), ports.begin() + depth);
  return place;
}

}  // namespace

std::string UsbPlaceText(const UsbPlace& place) {
  std::string text = "bus " + std::to_string(place.bus) + ", port ";
  for (std::size_t i = 0; i < place.ports.size(); ++i) {
    if (i > 0) text += '.';
    text += std::to_string(place.ports[i]);
  }
  if (place.ports.empty()) text += '-';
  return text;
}

UsbBoardList::UsbBoardList(libusb_context* context, const BoardUsbIds& ids) {
  libusb_device** devices = nullptr;
  const ssize_t count = libusb_get_device_list(context, &devices);
  if (count < 0) {
    status_ = static_cast<int>(count);
    return;
  }
  for (ssize_t i = 0; i < count; ++i) {
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(devices[i], &descriptor) != 0) continue;
    const UsbId id{descriptor.idVendor, descriptor.idProduct};
    if (!ids.matches(id)) continue;
    boards_.push_back({libusb_ref_device(devices[i]), PlaceOf(devices[i]),
                       libusb_get_device_address(devices[i]), id});
  }
  libusb_free_device_list(devices, 1);
  std::stable_sort(boards_.begin(), boards_.end(),
                   [](const FoundBoard& a, const FoundBoard& b) { return a.place < b.place; });
}

UsbBoardList::~UsbBoardList() {
  for (const FoundBoard& board : boards_) libusb_unref_device(board.device);
}

const FoundBoard* UsbBoardList::at(const UsbPlace& place, int notAddress) const {
  const FoundBoard* found = nullptr;
  for (const FoundBoard& board : boards_) {
    if (board.place != place) continue;
    if (board.address != notAddress) return &board;
    found = &board;
  }
  return found;
}
