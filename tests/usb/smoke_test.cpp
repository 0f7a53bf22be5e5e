#include <gtest/gtest.h>
#include <fstream>
#include "emulated_usb_bus.h"
#include "intel_hex_writer.h"
#include "usb_driver.h"
#include "usb_status_text.h"

TEST(Smoke, LoadAndRequest) {
  EmulatedUsbBus bus;
  const BoardUsbIds ids{{0xfff0, 0x0820}, {0xfff0, 0x0821}};
  bus.addBoard({2, ids});
  UsbDriver driver(ids);
  ASSERT_TRUE(driver.available());
  int32_t count = -1;
  uint8_t list[128]{};
  EXPECT_EQ(driver.Search_For_Boards(0, 0, &count, list), 0);
  EXPECT_EQ(count, 1);
  int32_t handle = 0;
  EXPECT_EQ(driver.Connect(0, 0, 0, &handle), 0);
  EXPECT_NE(handle, 0);
  std::cerr << driver.description() << "\n";
  const auto image = PatternImage(0, 16384, 7);
  { std::ofstream("/tmp/smoke.hex") << IntelHexText(image); }
  uint8_t path[] = "/tmp/smoke.hex";
  const auto t0 = std::chrono::steady_clock::now();
  const int16_t st = driver.Download_Firmware(handle, path);
  std::cerr << "download " << st << " " << RequestStatusText(st) << " in "
            << std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() << " s\n";
  EXPECT_EQ(st, 0);
  EXPECT_EQ(bus.reenumerations(0), 1);
  uint8_t none = 0;
  EXPECT_EQ(driver.Vendor_Request(handle, 0xDD, 0x1234, 0xC8, 0, 0, &none), 0);
  std::cerr << "input A0 " << bus.chip(0).inputA[0].value_or(0xFFFF) << "\n";
}
