// The texts of a port that could not be opened, in English and Chinese. The
// platform backends only classify the failure; the words are the same on
// every platform.

#include <string>

#include "image/message_quote.h"
#include "link/serial_port.h"

namespace vel {
namespace {

// Port and device names may come from a configuration file or a command line
// of any length: the texts quote a bounded excerpt of them.
std::string English(const OpenFailure& f) {
    const std::string port = QuoteForMessage(f.portName);
    const std::string device = QuoteForMessage(f.device);
    if (f.kind == OpenFailureKind::NoDevice)
        return "No device is set for the port " + port + ". Set one in the PORTS section of the configuration file.";
    std::string text = "Could not open " + device;
    if (f.device != f.portName) text += " for " + port;
    switch (f.kind) {
        case OpenFailureKind::Missing:
            return text + ": the device does not exist (" + f.reason +
                   "). Check that the programming cable is plugged in, and the PORTS section of the "
                   "configuration file.";
        case OpenFailureKind::NoPermission:
            text += ": no permission to use the device (" + f.reason + ").";
            if (!f.ownerGroup.empty() && f.ownerGroup != "root")
                return text + " The device belongs to the group '" + f.ownerGroup + "': add your user to the group '" +
                       f.ownerGroup + "' and log in again.";
            return text + " Ask the administrator for read and write access to it.";
        case OpenFailureKind::InUse:
            text += ": the port is in use by another program";
            if (!f.reason.empty()) text += " (" + f.reason + ")";
            return text + ". Close that program and try again.";
        case OpenFailureKind::NotSerialPort: return text + ": it is not a serial port.";
        default: return text + ": " + f.reason + ".";
    }
}

std::string Chinese(const OpenFailure& f) {
    const std::string port = QuoteForMessage(f.portName);
    const std::string device = QuoteForMessage(f.device);
    if (f.kind == OpenFailureKind::NoDevice)
        return "端口 " + port + " 没有对应的设备。请在配置文件的 PORTS 一节中为它设置设备。";
    std::string text = "无法打开设备 " + device;
    if (f.device != f.portName) text += "（" + port + "）";
    switch (f.kind) {
        case OpenFailureKind::Missing:
            return text + "：设备不存在。请检查写频线是否插好，以及配置文件的 PORTS 一节。";
        case OpenFailureKind::NoPermission:
            text += "：没有使用该设备的权限。";
            if (!f.ownerGroup.empty() && f.ownerGroup != "root")
                return text + "该设备属于用户组“" + f.ownerGroup + "”：请把您的用户加入“" + f.ownerGroup +
                       "”组，然后重新登录。";
            return text + "请向管理员申请该设备的读写权限。";
        case OpenFailureKind::InUse: return text + "：该端口正被其他程序占用。请关闭该程序后重试。";
        case OpenFailureKind::NotSerialPort: return text + "：该设备不是串口。";
        default:
            // A reason we do not know: only the system can name it.
            return f.reason.empty() ? text + "：原因不明。" : text + "：系统报告“" + f.reason + "”。";
    }
}

}  // namespace

std::string DescribeOpenFailure(const OpenFailure& failure, Lang lang) {
    if (failure.kind == OpenFailureKind::None) return {};
    return lang == Lang::English ? English(failure) : Chinese(failure);
}

}  // namespace vel
