#pragma once
// The port names the Port menu offers and the devices they stand for.

#include <string>
#include <vector>

#include "shell/config_file.h"

namespace vel {

/// "COM1", "COM2", "COM3", "COM4": the names of the Port menu, in menu order.
std::vector<std::string> StandardPortNames();

/// True for "COM1".."COM4" in any case: the names looked up in section
/// "PORTS" of the configuration file.
bool IsStandardPortName(const std::string& portName);

/// The device to open for `portName`. "COM1".."COM4" (any case) are looked up
/// as keys COM1..COM4 in section "PORTS" of `config` (may be null); a missing
/// or empty value gives the platform default: /dev/ttyUSB0../dev/ttyUSB3 on
/// POSIX, \\.\COM1..\\.\COM4 on Windows. The configured value is trimmed,
/// since no device name ends in a blank. Any other name (a device path such
/// as /dev/pts/3 or /dev/serial/by-id/...) is returned as it stands.
std::string ResolvePortDevice(const std::string& portName, const CConfigFile* config);

}  // namespace vel
