#pragma once
// What the radio simulated inside the programs holds when it is first
// switched on: a new document of its family with three channels in use, so
// that a first Read shows something to edit.

#include "image/family.h"
#include "image/image.h"

namespace vel {

/// The family's new-document image with channels 1 to 3 in use: receive and
/// transmit 1, 2 and 3 MHz above the lower edge of the band the Field list
/// selects (446 MHz when the band has no number), with the defaults a new
/// channel gets, and names "SIM1" to "SIM3" where the family has names.
Image SimulatedRadioStartingMemory(const Family& family);

}  // namespace vel
