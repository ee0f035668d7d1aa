#pragma once
// The operating system's serial port behind the SerialPort interface: the
// POSIX terminal interface on Linux, the communications API on Windows.

#include <functional>
#include <memory>
#include <string>

#include "link/serial_port.h"

namespace vel {

/// Maps a port name such as "COM1" to the device to open ("/dev/ttyUSB0");
/// an empty result means no device is known for that name.
using PortDeviceResolver = std::function<std::string(const std::string& portName)>;

/// Creates a closed port of this platform. `resolveDevice` is asked at every
/// open; without one the port name is opened as it stands.
std::unique_ptr<SerialPort> CreateSystemSerialPort(PortDeviceResolver resolveDevice = nullptr);

}  // namespace vel
