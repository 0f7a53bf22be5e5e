#include "request_failure.h"

#include <cstdio>

std::string RequestFailureText(const VendorDriver& driver, const RequestRecord& request) {
  char what[48];
  if (request.code == static_cast<uint8_t>(Request::Spi) && request.direction == kDirectionOut) {
    std::snprintf(what, sizeof what, "request DD (word %02X%04X)", request.index & 0xFF,
                  request.value & 0xFFFF);
  } else {
    std::snprintf(what, sizeof what, "request %02X", request.code);
  }
  return std::string(what) + " failed: " + driver.statusText(request.status);
}

std::string NoBoardText(const BoardLink& link) {
  if (link.lastLoad().loaded()) return {};
  const std::string why = link.driver().statusText(link.lastLoad().failure);
  if (why.rfind("no board attached", 0) == 0) return "No board attached";
  return "No board attached: " + why;
}
