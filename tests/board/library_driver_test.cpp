// The driver library loaded through the operating system's loader, with stand-in libraries.

#include "library_driver.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "board_link.h"
#include "case_name.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

// The stand-in's text of its last call, read through a second reference to the loaded library.
std::string LastCall() {
  using LastCallFn = int (*)(char*, int);
#ifdef _WIN32
  HMODULE module = LoadLibraryA(STANDIN_DRIVER_PATH);
  auto fn = reinterpret_cast<LastCallFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "standin_last_call")));
#else
  void* module = dlopen(STANDIN_DRIVER_PATH, RTLD_NOW | RTLD_LOCAL);
  auto fn = reinterpret_cast<LastCallFn>(dlsym(module, "standin_last_call"));
#endif
  if (fn == nullptr) return "standin_last_call not found";
  std::array<char, 1024> text{};
  fn(text.data(), static_cast<int>(text.size()));
#ifdef _WIN32
  FreeLibrary(module);
#else
  dlclose(module);
#endif
  return text.data();
}

TEST(LibraryDriver, LoadsOnFirstUseAndForwardsSearchAndConnect) {
  LibraryDriver driver(STANDIN_DRIVER_PATH);
  EXPECT_FALSE(driver.loaded());
  int32_t count = 0;
  std::array<uint8_t, 128> list{};

  EXPECT_EQ(driver.Search_For_Boards(0xFFF0, 0x0821, &count, list.data()), 0);
  EXPECT_TRUE(driver.loaded());
  EXPECT_EQ(LastCall(), "Search_For_Boards 65520 2081 count=0");
  EXPECT_EQ(count, 1);
  EXPECT_EQ(list[0], 3);

  int32_t handle = 0;
  EXPECT_EQ(driver.Connect(0xFFF0, 0x0821, 200, &handle), 0);
  EXPECT_EQ(LastCall(), "Connect 65520 2081 board=200");
  EXPECT_EQ(handle, 0x1000 + 200);
}

TEST(LibraryDriver, ForwardsDownloadPathAndStatus) {
  LibraryDriver driver(STANDIN_DRIVER_PATH);
  std::string absolute = "/opt/eval/ZR821SPI.hex";
  std::string relative = "C:\\Eval\\ZR821SPI.hex";

  EXPECT_EQ(driver.Download_Firmware(0x1003, reinterpret_cast<uint8_t*>(absolute.data())), 0);
  EXPECT_EQ(LastCall(), "Download_Firmware 4099 /opt/eval/ZR821SPI.hex");
  EXPECT_EQ(driver.Download_Firmware(-1, reinterpret_cast<uint8_t*>(relative.data())), 7);
  EXPECT_EQ(LastCall(), "Download_Firmware -1 C:\\Eval\\ZR821SPI.hex");
}

TEST(LibraryDriver, ForwardsVendorRequestsBothWays) {
  LibraryDriver driver(STANDIN_DRIVER_PATH);
  uint8_t zero = 0;
  EXPECT_EQ(driver.Vendor_Request(0x1003, 0xDD, 0x8580, 0x05, 0, 0, &zero), 0x0D);
  EXPECT_EQ(LastCall(), "Vendor_Request 4099 DD value=34176 index=5 dir=0 len=0 data=00");

  std::array<uint8_t, 4> reply = {0x55, 0x55, 0x55, 0x55};
  EXPECT_EQ(driver.Vendor_Request(0x1003, 0xDD, 0, 0, 1, 3, reply.data()), 0x0D);
  EXPECT_EQ(LastCall(), "Vendor_Request 4099 DD value=0 index=0 dir=1 len=3 data=");
  EXPECT_EQ(reply, (std::array<uint8_t, 4>{0x01, 0x02, 0xFF, 0x55}));
}

TEST(LibraryDriver, CarriesTheWholeConnectionAndAReadback) {
  LibraryDriver driver(STANDIN_DRIVER_PATH);
  BoardLink link(driver);
  std::vector<std::string> titles;
  const auto report = [&](const std::string&, const std::string& title) {
    titles.push_back(title);
  };

  link.LoadUSB("ZR810", "/opt/eval", report);
  EXPECT_TRUE(titles.empty());
  EXPECT_EQ(link.handle(), 0x1003);
  EXPECT_EQ(LastCall(), "Vendor_Request 4099 E0 value=0 index=0 dir=0 len=0 data=00");
  EXPECT_EQ(link.SPIread(), 0x0201);

  // The stand-in refuses a path that does not start with '/'.
  link.LoadUSB("ZR810", "C:\\Eval", report);
  EXPECT_EQ(titles, std::vector<std::string>{"ZR810: 7"});
}

TEST(LibraryDriver, DefaultIsTheVendorPathWhichIsAbsentHere) {
  LibraryDriver driver;
  EXPECT_EQ(driver.description(), std::string("Driver library ") + kVendorLibraryPath);
  EXPECT_FALSE(driver.Load());
  EXPECT_FALSE(driver.loaded());
  EXPECT_NE(driver.loadError().find("ZRQ_CYUSB_USB4.dll"), std::string::npos);
}

struct MissingCase {
  const char* name;
  const char* path;
  const char* errorMentions;
};

class LibraryDriverNotLoaded : public testing::TestWithParam<MissingCase> {};

TEST_P(LibraryDriverNotLoaded, FailsEveryCallWithoutTouchingItsArguments) {
  LibraryDriver driver(GetParam().path);
  EXPECT_FALSE(driver.Load());
  EXPECT_NE(driver.loadError().find(GetParam().errorMentions), std::string::npos)
      << driver.loadError();

  int32_t count = -77;
  std::array<uint8_t, 128> list{};
  list.fill(0xAA);
  int32_t handle = -5;
  std::array<uint8_t, 3> data = {0x55, 0x55, 0x55};
  uint8_t path[] = "/x";

  EXPECT_EQ(driver.Search_For_Boards(0xFFF0, 0x0821, &count, list.data()), kLibraryMissingStatus);
  EXPECT_EQ(driver.Connect(0xFFF0, 0x0821, 0, &handle), kLibraryMissingStatus);
  EXPECT_EQ(driver.Download_Firmware(handle, path), kLibraryMissingStatus);
  EXPECT_EQ(driver.Vendor_Request(handle, 0xDD, 0, 0, 1, 3, data.data()), kLibraryMissingStatus);
  EXPECT_EQ(count, -77);
  EXPECT_EQ(list[0], 0xAA);
  EXPECT_EQ(handle, -5);
  EXPECT_EQ(data, (std::array<uint8_t, 3>{0x55, 0x55, 0x55}));
  EXPECT_FALSE(driver.loaded());
}

INSTANTIATE_TEST_SUITE_P(Libraries, LibraryDriverNotLoaded,
                         testing::Values(MissingCase{"NoSuchFile", "/nonexistent/driver_library.so",
                                                     "driver_library.so"},
                                         MissingCase{"LacksVendorRequest", STANDIN_PARTIAL_PATH,
                                                     "Vendor_Request"}),
                         CaseName());

}  // namespace
