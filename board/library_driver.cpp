#include "library_driver.h"

#include <climits>

#ifdef _WIN32
#include <windows.h>
#define DRIVER_CALL __stdcall
#else
#include <dlfcn.h>
#define DRIVER_CALL
#endif

// The library's C prototypes use short, int and unsigned char; the calls below pass the
// fixed-width types of VendorDriver straight through.
static_assert(sizeof(short) == sizeof(int16_t) && sizeof(int) == sizeof(int32_t));
static_assert(CHAR_BIT == 8);

namespace {

extern "C" {
using SearchFn = short(DRIVER_CALL*)(int vendorId, int productId, int* count, unsigned char* list);
using ConnectFn = short(DRIVER_CALL*)(int vendorId, int productId, unsigned char boardNumber,
                                      int* handle);
using DownloadFn = short(DRIVER_CALL*)(int handle, unsigned char* path);
using RequestFn = short(DRIVER_CALL*)(int handle, unsigned char request, int value, int index,
                                      unsigned char direction, int length, unsigned char* data);
}

#ifdef _WIN32
using ModuleHandle = HMODULE;

ModuleHandle OpenModule(const std::string& path) {
  return LoadLibraryA(path.c_str());
}
void CloseModule(ModuleHandle module) {
  FreeLibrary(module);
}

template <typename Fn>
Fn FindFunction(ModuleHandle module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string LastLoaderError() {
  return "Windows error " + std::to_string(static_cast<unsigned long>(GetLastError()));
}
#else
using ModuleHandle = void*;

ModuleHandle OpenModule(const std::string& path) {
  return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}
void CloseModule(ModuleHandle module) {
  dlclose(module);
}

template <typename Fn>
Fn FindFunction(ModuleHandle module, const char* name) {
  return reinterpret_cast<Fn>(dlsym(module, name));
}

std::string LastLoaderError() {
  const char* text = dlerror();
  return text != nullptr ? text : "unknown loader error";
}
#endif

}  // namespace

struct LibraryDriver::Impl {
  std::string path;
  bool attempted = false;
  ModuleHandle module = nullptr;
  SearchFn search = nullptr;
  ConnectFn connect = nullptr;
  DownloadFn download = nullptr;
  RequestFn request = nullptr;
  std::string loadError;

  bool open();
  bool findFunctions();
  void close();
};

bool LibraryDriver::Impl::open() {
  module = OpenModule(path);
  if (module == nullptr) {
    loadError = "Cannot load " + path + ": " + LastLoaderError();
    return false;
  }
  if (findFunctions()) return true;
  close();
  return false;
}

bool LibraryDriver::Impl::findFunctions() {
  search = FindFunction<SearchFn>(module, "Search_For_Boards");
  connect = FindFunction<ConnectFn>(module, "Connect");
  download = FindFunction<DownloadFn>(module, "Download_Firmware");
  request = FindFunction<RequestFn>(module, "Vendor_Request");
  std::string missing;
  if (search == nullptr) missing += " Search_For_Boards";
  if (connect == nullptr) missing += " Connect";
  if (download == nullptr) missing += " Download_Firmware";
  if (request == nullptr) missing += " Vendor_Request";
  if (missing.empty()) return true;
  loadError = path + " lacks" + missing;
  return false;
}

void LibraryDriver::Impl::close() {
  if (module != nullptr) CloseModule(module);
  module = nullptr;
  search = nullptr;
  connect = nullptr;
  download = nullptr;
  request = nullptr;
}

LibraryDriver::LibraryDriver(std::string path) : impl_(new Impl) {
  impl_->path = std::move(path);
}

LibraryDriver::~LibraryDriver() {
  impl_->close();
  delete impl_;
}

bool LibraryDriver::Load() {
  if (!impl_->attempted) {
    impl_->attempted = true;
    impl_->open();
  }
  return loaded();
}

bool LibraryDriver::loaded() const {
  return impl_->module != nullptr;
}

const std::string& LibraryDriver::loadError() const {
  return impl_->loadError;
}

int16_t LibraryDriver::Search_For_Boards(int32_t vendorId, int32_t productId, int32_t* count,
                                         uint8_t* list) {
  if (!Load()) return kLibraryMissingStatus;
  return impl_->search(vendorId, productId, count, list);
}

int16_t LibraryDriver::Connect(int32_t vendorId, int32_t productId, uint8_t boardNumber,
                               int32_t* handle) {
  if (!Load()) return kLibraryMissingStatus;
  return impl_->connect(vendorId, productId, boardNumber, handle);
}

int16_t LibraryDriver::Download_Firmware(int32_t handle, uint8_t* path) {
  if (!Load()) return kLibraryMissingStatus;
  return impl_->download(handle, path);
}

int16_t LibraryDriver::Vendor_Request(int32_t handle, uint8_t request, int32_t value, int32_t index,
                                      uint8_t direction, int32_t length, uint8_t* data) {
  if (!Load()) return kLibraryMissingStatus;
  return impl_->request(handle, request, value, index, direction, length, data);
}

std::string LibraryDriver::description() const {
  return "Driver library " + impl_->path;
}

std::string LibraryDriver::statusText(int16_t status) const {
  if (status == kLibraryMissingStatus && !loaded()) return "the driver library is not loaded";
  return "the driver library answered status " + std::to_string(status);
}
