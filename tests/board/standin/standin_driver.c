/* A stand-in for the board maker's driver library. It answers every call the same way and
 * keeps a text of the last call, which a test reads through standin_last_call(). Built with
 * STANDIN_WITHOUT_VENDOR_REQUEST it lacks Vendor_Request, like a wrong library version. */

#include <stdio.h>
#include <string.h>

#ifdef _WIN32
#define STANDIN_EXPORT __declspec(dllexport)
#define STANDIN_CALL __stdcall
#else
#define STANDIN_EXPORT __attribute__((visibility("default")))
#define STANDIN_CALL
#endif

static char last_call[1024];
static int call_count;

static void record(const char* text) {
  snprintf(last_call, sizeof last_call, "%s", text);
  ++call_count;
}

STANDIN_EXPORT int standin_last_call(char* buf, int size) {
  if (buf == NULL || size <= 0) return call_count;
  snprintf(buf, (size_t)size, "%s", last_call);
  return call_count;
}

STANDIN_EXPORT short STANDIN_CALL Search_For_Boards(int vendorId, int productId, int* count,
                                                    unsigned char* list) {
  char text[128];
  snprintf(text, sizeof text, "Search_For_Boards %d %d count=%d", vendorId, productId, *count);
  record(text);
  list[0] = 3;
  *count = 1;
  return 0;
}

STANDIN_EXPORT short STANDIN_CALL Connect(int vendorId, int productId, unsigned char boardNumber,
                                          int* handle) {
  char text[128];
  snprintf(text, sizeof text, "Connect %d %d board=%u", vendorId, productId, (unsigned)boardNumber);
  record(text);
  *handle = 0x1000 + boardNumber;
  return 0;
}

STANDIN_EXPORT short STANDIN_CALL Download_Firmware(int handle, unsigned char* path) {
  char text[700];
  snprintf(text, sizeof text, "Download_Firmware %d %s", handle, (const char*)path);
  record(text);
  return path[0] == '/' ? 0 : 7;
}

#ifndef STANDIN_WITHOUT_VENDOR_REQUEST
/* A read fills the buffer with 01 02 FF; a write lists the bytes passed in (one byte when
 * there is no data). The status is the request code minus D0 hex. */
STANDIN_EXPORT short STANDIN_CALL Vendor_Request(int handle, unsigned char request, int value,
                                                 int index, unsigned char direction, int length,
                                                 unsigned char* data) {
  static const unsigned char reply[3] = {0x01, 0x02, 0xFF};
  char text[256];
  int used = snprintf(text, sizeof text,
                      "Vendor_Request %d %02X value=%d index=%d dir=%u len=%d data=", handle,
                      (unsigned)request, value, index, (unsigned)direction, length);
  int shown = length > 0 ? length : 1;
  int i;
  if (direction == 1) {
    for (i = 0; i < length && i < 3; ++i) data[i] = reply[i];
    shown = 0;
  }
  for (i = 0; i < shown && used < (int)sizeof text - 3; ++i) {
    used += snprintf(text + used, sizeof text - (size_t)used, "%02X", (unsigned)data[i]);
  }
  record(text);
  return (short)(request - 0xD0);
}
#endif
