// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/SerialDeviceOrder.h"

#include <gtest/gtest.h>

TEST(SerialDeviceOrder, UsbAdaptersComeFirstInNumberOrderThenTheRestAsListed) {
    const std::vector<std::string> listed{"/dev/ttyS1",   "/dev/ttyACM1", "/dev/ttyUSB10",
                                          "/dev/ttyAMA0", "/dev/ttyUSB2", "/dev/ttyACM0",
                                          "/dev/ttyS0"};
    const std::vector<std::string> expected{"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0",
                                            "/dev/ttyACM1", "/dev/ttyS1",    "/dev/ttyAMA0",
                                            "/dev/ttyS0"};
    EXPECT_EQ(numberedSerialDevices(listed), expected);
}

TEST(SerialDeviceOrder, NamesThatOnlyLookLikeAdaptersKeepTheirListedPlace) {
    const std::vector<std::string> listed{"/dev/ttyS0", "/dev/ttyUSBx", "/dev/ttyUSB",
                                          "/dev/ttyUSB0"};
    const std::vector<std::string> expected{"/dev/ttyUSB0", "/dev/ttyS0", "/dev/ttyUSBx",
                                            "/dev/ttyUSB"};
    EXPECT_EQ(numberedSerialDevices(listed), expected);
    EXPECT_TRUE(numberedSerialDevices({}).empty());
}
