#pragma once
// Details of the POSIX serial port that tests look at.

#include <string>

#include "link/serial_port.h"

namespace vel {

/// What a failed open with `error` (an errno value) means to the user.
/// `ownerGroup` is the group that owns the device, used for a refused
/// permission; empty when unknown.
OpenFailure ClassifyOpenFailure(const std::string& portName, const std::string& device, int error,
                                const std::string& ownerGroup);

/// The text a failed open leaves in openFailureDetail(): the device tried
/// (with the port name when they differ), the system's reason for `error`
/// (an errno value) and what the user can do about it. `ownerGroup` is the
/// group that owns the device, used for a refused permission; empty when
/// unknown.
std::string DescribeOpenFailure(const std::string& portName, const std::string& device, int error,
                                const std::string& ownerGroup);

}  // namespace vel
