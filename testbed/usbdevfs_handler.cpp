#include "usbdevfs_handler.h"

#include <errno.h>
#include <linux/ioctl.h>
#include <linux/usbdevice_fs.h>
#include <umockdev.h>

#include <algorithm>
#include <cstring>
#include <deque>

namespace {

constexpr std::size_t kSetupBytes = 8;

// The URBs of one open file of the node: completed ones waiting to be reaped, and the ones a
// silent device holds.
struct ClientUrbs {
  std::deque<UMockdevIoctlData*> done;
  std::vector<UMockdevIoctlData*> held;
  ~ClientUrbs() {
    for (UMockdevIoctlData* urb : done) umockdev_ioctl_data_unref(urb);
    for (UMockdevIoctlData* urb : held) umockdev_ioctl_data_unref(urb);
  }
};

ClientUrbs& UrbsOf(UMockdevIoctlClient* client) {
  auto* urbs = static_cast<ClientUrbs*>(g_object_get_data(G_OBJECT(client), "urbs"));
  if (urbs == nullptr) {
    urbs = new ClientUrbs;
    g_object_set_data_full(G_OBJECT(client), "urbs", urbs,
                           [](gpointer data) { delete static_cast<ClientUrbs*>(data); });
  }
  return *urbs;
}

void Complete(UMockdevIoctlClient* client, int error) {
  umockdev_ioctl_client_complete(client, error == 0 ? 0 : -1, error);
}

ControlSetup SetupOf(const uint8_t* bytes) {
  return {bytes[0], bytes[1], static_cast<uint16_t>(bytes[2] | bytes[3] << 8),
          static_cast<uint16_t>(bytes[4] | bytes[5] << 8),
          static_cast<uint16_t>(bytes[6] | bytes[7] << 8)};
}

// Runs a control URB against the endpoint and fills in its status, length and IN data.
void RunControl(ControlEndpoint& endpoint, usbdevfs_urb& urb) {
  auto* buffer = static_cast<uint8_t*>(urb.buffer);
  const ControlSetup setup = SetupOf(buffer);
  const std::size_t room = static_cast<std::size_t>(urb.buffer_length) - kSetupBytes;
  std::vector<uint8_t> out;
  if (!setup.isIn())
    out.assign(buffer + kSetupBytes,
               buffer + kSetupBytes + std::min<std::size_t>(room, setup.length));
  const ControlReply reply = endpoint.control(setup, out);
  urb.actual_length = 0;
  urb.status = reply.stall ? -EPIPE : reply.transferError ? -EPROTO : 0;
  if (urb.status != 0) return;
  if (setup.isIn()) {
    const std::size_t count = std::min(room, reply.data.size());
    std::memcpy(buffer + kSetupBytes, reply.data.data(), count);
    urb.actual_length = static_cast<int>(count);
  } else {
    urb.actual_length = static_cast<int>(out.size());
  }
}

bool Submit(ControlEndpoint& endpoint, UMockdevIoctlClient* client) {
  UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
  UMockdevIoctlData* urbData = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
  auto* urb = reinterpret_cast<usbdevfs_urb*>(urbData->data);
  if (urb->type != USBDEVFS_URB_TYPE_CONTROL ||
      urb->buffer_length < static_cast<int>(kSetupBytes)) {
    umockdev_ioctl_data_unref(urbData);
    Complete(client, EINVAL);
    return true;
  }
  UMockdevIoctlData* buffer = umockdev_ioctl_data_resolve(
      urbData, offsetof(usbdevfs_urb, buffer), static_cast<gsize>(urb->buffer_length), nullptr);
  umockdev_ioctl_data_unref(buffer);  // urbData keeps it
  ClientUrbs& urbs = UrbsOf(client);
  if (endpoint.answers()) {
    RunControl(endpoint, *urb);
    urbs.done.push_back(urbData);
  } else {
    urbs.held.push_back(urbData);
  }
  Complete(client, 0);
  return true;
}

// Hands the first completed URB back; the held ones of a device that left the bus complete as
// the kernel completes them then.
bool Reap(ControlEndpoint& endpoint, UMockdevIoctlClient* client, bool present) {
  ClientUrbs& urbs = UrbsOf(client);
  if (!present) {
    for (UMockdevIoctlData* urb : urbs.held) {
      reinterpret_cast<usbdevfs_urb*>(urb->data)->status = -ESHUTDOWN;
      urbs.done.push_back(urb);
    }
    urbs.held.clear();
  }
  static_cast<void>(endpoint);
  if (urbs.done.empty()) {
    Complete(client, present ? EAGAIN : ENODEV);
    return true;
  }
  UMockdevIoctlData* urb = urbs.done.front();
  urbs.done.pop_front();
  UMockdevIoctlData* pointer =
      umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(void*), nullptr);
  umockdev_ioctl_data_set_ptr(pointer, 0, urb);
  umockdev_ioctl_data_unref(pointer);
  umockdev_ioctl_data_unref(urb);
  Complete(client, 0);
  return true;
}

// A cancelled URB completes with -ENOENT, as the kernel completes it.
bool Discard(UMockdevIoctlClient* client) {
  ClientUrbs& urbs = UrbsOf(client);
  const auto address = *reinterpret_cast<gulong*>(umockdev_ioctl_client_get_arg(client)->data);
  const auto it = std::find_if(urbs.held.begin(), urbs.held.end(),
                               [&](UMockdevIoctlData* urb) { return urb->client_addr == address; });
  if (it == urbs.held.end()) {
    Complete(client, EINVAL);
    return true;
  }
  reinterpret_cast<usbdevfs_urb*>((*it)->data)->status = -ENOENT;
  urbs.done.push_back(*it);
  urbs.held.erase(it);
  Complete(client, 0);
  return true;
}

gboolean HandleIoctl(UMockdevIoctlBase* /*handler*/, UMockdevIoctlClient* client,
                     gpointer endpointPointer) {
  auto& endpoint = *static_cast<ControlEndpoint*>(endpointPointer);
  const gulong request = umockdev_ioctl_client_get_request(client);
  const bool present = endpoint.present(umockdev_ioctl_client_get_devnode(client));
  if (request == USBDEVFS_REAPURBNDELAY || request == USBDEVFS_REAPURB)
    return Reap(endpoint, client, present);
  if (request == USBDEVFS_DISCARDURB) return Discard(client);
  if (!present) {
    Complete(client, ENODEV);
    return true;
  }
  switch (request) {
    case USBDEVFS_GET_CAPABILITIES: {
      UMockdevIoctlData* caps = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client),
                                                            0, sizeof(guint32), nullptr);
      *reinterpret_cast<guint32*>(caps->data) =
          USBDEVFS_CAP_ZERO_PACKET | USBDEVFS_CAP_BULK_CONTINUATION |
          USBDEVFS_CAP_NO_PACKET_SIZE_LIM | USBDEVFS_CAP_REAP_AFTER_DISCONNECT;
      umockdev_ioctl_data_unref(caps);
      Complete(client, 0);
      return true;
    }
    case USBDEVFS_SUBMITURB:
      return Submit(endpoint, client);
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_RELEASEINTERFACE:
    case USBDEVFS_CLEAR_HALT:
    case USBDEVFS_RESET:
    case USBDEVFS_RESETEP:
      Complete(client, 0);
      return true;
    default:
      Complete(client, ENOTTY);
      return true;
  }
}

}  // namespace

UMockdevIoctlBase* NewUsbdevfsHandler(ControlEndpoint& endpoint) {
  UMockdevIoctlBase* handler = umockdev_ioctl_base_new();
  g_signal_connect(handler, "handle-ioctl", G_CALLBACK(HandleIoctl), &endpoint);
  return handler;
}
