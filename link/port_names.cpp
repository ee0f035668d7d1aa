#include "link/port_names.h"

namespace vel {

namespace {

/// 1..4 for "COM1".."COM4" in any case, 0 for every other name.
int StandardPortNumber(const std::string& portName) {
    if (portName.size() != 4 || !EqualsNoCase(std::string_view(portName).substr(0, 3), "COM")) return 0;
    const char digit = portName[3];
    return (digit >= '1' && digit <= '4') ? digit - '0' : 0;
}

std::string DefaultDevice(int number) {
#ifdef _WIN32
    return "\\\\.\\COM" + std::to_string(number);
#else
    return "/dev/ttyUSB" + std::to_string(number - 1);
#endif
}

}  // namespace

bool IsStandardPortName(const std::string& portName) { return StandardPortNumber(portName) != 0; }

std::vector<std::string> StandardPortNames() { return {"COM1", "COM2", "COM3", "COM4"}; }

std::string ResolvePortDevice(const std::string& portName, const CConfigFile* config) {
    const int number = StandardPortNumber(portName);
    if (number == 0) return portName;
    if (config != nullptr) {
        const std::string configured(TrimWhite(config->GetValue("PORTS", "COM" + std::to_string(number), "")));
        if (!configured.empty()) return configured;
    }
    return DefaultDevice(number);
}

}  // namespace vel
