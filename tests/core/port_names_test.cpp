#include <gtest/gtest.h>

#include "link/port_names.h"

namespace vel {
namespace {

#ifdef _WIN32
#define VEL_DEFAULT_PORT(n, posix) "\\\\.\\COM" #n
#else
#define VEL_DEFAULT_PORT(n, posix) posix
#endif

struct PortCase {
    const char* name;
    const char* ini;   // nullptr: no configuration object
    const char* expected;
};

class PortDevice : public ::testing::TestWithParam<PortCase> {};

TEST_P(PortDevice, Resolves) {
    const PortCase& c = GetParam();
    if (c.ini == nullptr) {
        EXPECT_EQ(ResolvePortDevice(c.name, nullptr), c.expected);
    } else {
        CConfigFile config;
        config.Parse(c.ini);
        EXPECT_EQ(ResolvePortDevice(c.name, &config), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PortDevice,
    ::testing::Values(
        PortCase{"COM1", nullptr, VEL_DEFAULT_PORT(1, "/dev/ttyUSB0")},
        PortCase{"COM2", nullptr, VEL_DEFAULT_PORT(2, "/dev/ttyUSB1")},
        PortCase{"COM3", nullptr, VEL_DEFAULT_PORT(3, "/dev/ttyUSB2")},
        PortCase{"COM4", nullptr, VEL_DEFAULT_PORT(4, "/dev/ttyUSB3")},
        PortCase{"com2", nullptr, VEL_DEFAULT_PORT(2, "/dev/ttyUSB1")},
        PortCase{"COM1", "", VEL_DEFAULT_PORT(1, "/dev/ttyUSB0")},
        PortCase{"COM1", "[PORTS]\nCOM1=/dev/ttyACM0\n", "/dev/ttyACM0"},
        PortCase{"cOm3", "[ports]\ncom3 = /dev/serial/by-id/usb-cable  // the blue one\n",
                 "/dev/serial/by-id/usb-cable"},
        PortCase{"COM2", "[PORTS]\nCOM1=/dev/ttyACM0\n", VEL_DEFAULT_PORT(2, "/dev/ttyUSB1")},
        PortCase{"COM4", "[PORTS]\nCOM4=\n", VEL_DEFAULT_PORT(4, "/dev/ttyUSB3")},
        PortCase{"COM1", "[MAIN]\nCOM1=/dev/ttyS0\n", VEL_DEFAULT_PORT(1, "/dev/ttyUSB0")},
        PortCase{"/dev/pts/3", "[PORTS]\nCOM1=/dev/ttyACM0\n", "/dev/pts/3"},
        PortCase{"/dev/serial/by-id/usb-x", nullptr, "/dev/serial/by-id/usb-x"},
        PortCase{"COM5", "[PORTS]\nCOM5=/dev/ttyACM0\n", "COM5"},
        PortCase{"COM0", nullptr, "COM0"},
        PortCase{"COM12", nullptr, "COM12"},
        PortCase{" COM1", nullptr, " COM1"},
        PortCase{"", nullptr, ""}));

TEST(PortNames, MenuOrder) {
    EXPECT_EQ(StandardPortNames(), (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4"}));
}

}  // namespace
}  // namespace vel
