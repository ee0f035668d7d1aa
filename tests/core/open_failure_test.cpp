// A port that cannot be opened: the explanation below the fixed message, in
// the language of the program's messages.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/serial_port.h"
#include "link/session_texts.h"

namespace vel {
namespace {

struct DescribeCase {
    const char* name;
    OpenFailure failure;
    std::vector<std::string> english;   // in the English text
    std::vector<std::string> chinese;   // in the Chinese text
};
void PrintTo(const DescribeCase& c, std::ostream* os) { *os << c.name; }

/// Our own words in a Chinese text: what is left after the names taken from
/// the system (device, port, group, the system's reason) are removed must hold
/// no Latin letter.
bool OnlyChineseWords(std::string text, const OpenFailure& f) {
    for (const std::string* name : {&f.device, &f.portName, &f.ownerGroup}) {
        if (name->empty()) continue;
        for (auto at = text.find(*name); at != std::string::npos; at = text.find(*name)) text.erase(at, name->size());
    }
    if (f.kind == OpenFailureKind::Other && !f.reason.empty()) {
        const auto at = text.find(f.reason);
        if (at != std::string::npos) text.erase(at, f.reason.size());
    }
    text.erase(0, text.find_first_not_of(' '));
    // "PORTS" is the name of the configuration file's section.
    for (auto at = text.find("PORTS"); at != std::string::npos; at = text.find("PORTS")) text.erase(at, 5);
    for (char c : text)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return false;
    return true;
}

class OpenFailureText : public testing::TestWithParam<DescribeCase> {};

TEST_P(OpenFailureText, SaysWhatFailedInTheMessagesLanguage) {
    const DescribeCase& c = GetParam();
    const std::string en = DescribeOpenFailure(c.failure, Lang::English);
    const std::string ch = DescribeOpenFailure(c.failure, Lang::Chinese);
    for (const std::string& m : c.english) EXPECT_NE(en.find(m), std::string::npos) << m << " in: " << en;
    for (const std::string& m : c.chinese) EXPECT_NE(ch.find(m), std::string::npos) << m << " in: " << ch;
    EXPECT_TRUE(OnlyChineseWords(ch, c.failure)) << ch;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, OpenFailureText,
    testing::Values(
        DescribeCase{"NoDevice", {OpenFailureKind::NoDevice, "COM4", "", "", ""},
                     {"No device is set for the port COM4", "PORTS"}, {"端口 COM4 没有对应的设备", "PORTS"}},
        DescribeCase{"Missing", {OpenFailureKind::Missing, "COM1", "/dev/ttyUSB0", "No such file or directory", ""},
                     {"Could not open /dev/ttyUSB0 for COM1", "does not exist (No such file or directory)", "cable"},
                     {"无法打开设备 /dev/ttyUSB0（COM1）", "设备不存在", "写频线"}},
        DescribeCase{"PermissionWithGroup",
                     {OpenFailureKind::NoPermission, "COM1", "/dev/ttyUSB0", "Permission denied", "dialout"},
                     {"no permission", "add your user to the group 'dialout'"},
                     {"没有使用该设备的权限", "加入“dialout”组", "重新登录"}},
        DescribeCase{"PermissionRootGroup",
                     {OpenFailureKind::NoPermission, "COM1", "/dev/ttyUSB0", "Permission denied", "root"},
                     {"administrator"}, {"管理员"}},
        DescribeCase{"InUse", {OpenFailureKind::InUse, "COM2", "/dev/ttyACM0", "Device or resource busy", ""},
                     {"in use by another program (Device or resource busy)"}, {"正被其他程序占用"}},
        DescribeCase{"InUseWithoutReason", {OpenFailureKind::InUse, "/dev/ttyS0", "/dev/ttyS0", "", ""},
                     {"Could not open /dev/ttyS0: the port is in use by another program. Close"},
                     {"无法打开设备 /dev/ttyS0：", "占用"}},
        DescribeCase{"NotSerialPort", {OpenFailureKind::NotSerialPort, "COM3", "/dev/null", "", ""},
                     {"not a serial port"}, {"不是串口"}},
        DescribeCase{"OtherQuotesTheSystem", {OpenFailureKind::Other, "COM1", "/dev/ttyUSB0", "Input/output error", ""},
                     {": Input/output error."}, {"系统报告“Input/output error”"}},
        DescribeCase{"OtherWithoutReason", {OpenFailureKind::Other, "COM1", "/dev/ttyUSB0", "", ""}, {}, {"原因不明"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OpenFailureMessage, ExplanationGoesBelowTheFixedTextInItsLanguage) {
    const OpenFailure busy{OpenFailureKind::InUse, "COM1", "/dev/ttyUSB0", "Device or resource busy", {}};
    const std::string en = OpenFailureMessage(TextSet::English, busy);
    EXPECT_EQ(en.substr(0, en.find('\n')), SessionMessage(SessionText::OpenFailed, TextSet::English));
    EXPECT_EQ(en.substr(en.find('\n') + 1), DescribeOpenFailure(busy, Lang::English));
    for (TextSet set : {TextSet::Chinese, TextSet::ChineseCN}) {
        const std::string ch = OpenFailureMessage(set, busy);
        EXPECT_EQ(ch, "无法打开串口，请检查该设备是否正常，或是否被占用\n" + DescribeOpenFailure(busy, Lang::Chinese));
    }
    // Nothing known: the fixed text alone.
    EXPECT_EQ(OpenFailureMessage(TextSet::ChineseCN, {}), "无法打开串口，请检查该设备是否正常，或是否被占用");
}

}  // namespace
}  // namespace vel
