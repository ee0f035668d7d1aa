#pragma once
// Per-channel signalling of the full application: the optional signalling type
// (signalling byte 12, bits 0-3) and, for two-tone, the encode entry the
// channel calls with and the decode set it listens for (byte 14; on/off in
// bits 4 and 5 of byte 12).

#include <string>
#include <vector>

#include "image/image.h"

namespace vel {

/// Channels of the full application and where their records lie.
inline constexpr int kSignallingChannelCount = 128;
inline constexpr int kSignallingByte = 12;   ///< type (bits 0-3), call on (bit 4), decode on (bit 5)
inline constexpr int kTwoToneByte = 14;      ///< encode entry (bits 0-4), decode set (bits 5-7)

/// Image offset of channel `channel`'s 16-byte record (1-128).
inline int SignallingRecordAddr(int channel) { return 16 * (channel - 1); }

/// One step of the channel up-down: 1-128, wrapping at both ends.
int StepChannel(int channel, int step);

/// "PD1200", "DTMF", "5-Tone", "2-Tone": item i stands for type bit i.
const std::vector<std::string>& SignallingTypeTexts();

/// The type list index a signalling byte shows: low nibble 1, 2, 4, 8 give
/// 0-3; anything else gives -1 (no type).
int SignallingTypeIndex(Byte signalling);

/// Stores a type index into the signalling byte; -1 (no type) writes 0xF7.
Byte StoreSignallingType(Byte signalling, int typeIndex);

/// The Call and Decode texts of a two-tone channel: "NO" when the channel's
/// call (bit 4) or decode (bit 5) is off, else the entry / set number.
std::string CallText(Byte signalling, Byte twoTone);
std::string DecodeText(Byte signalling, Byte twoTone);

/// One up-down step of the Call (limit 32) or Decode (limit 8) text: the texts
/// cycle NO, 1, … limit and back to NO in either direction.
std::string StepCallDecode(const std::string& text, int step, int limit);

/// Stores Call and Decode texts of a "2-Tone" channel: a value other than
/// "NO"/0 turns the function on and puts value − 1 (held at 31 / 7) into its
/// bits of byte 14; otherwise the function is turned off.
void StoreCallDecode(const std::string& callText, const std::string& decodeText, Byte& signalling, Byte& twoTone);

}  // namespace vel
