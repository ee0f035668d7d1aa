#pragma once
// Radio-wide settings of the full application's Optional Features dialog
// (image bytes 0x810-0x84F): the plain values the dialog shows, decoded from
// and encoded into the image.

#include <optional>
#include <string>
#include <vector>

#include "image/image.h"
#include "image/language.h"

namespace vel {

/// Key-function list of the PF keys, index = stored value.
const std::vector<std::string>& KeyFunctionTexts();

struct OptionalFeatures {
    int timeoutPosition = 0;      // up-down position 0-40, 15 s steps, 0 = off
    int squelchIndex = -1;        // 0-9; -1 = no selection
    int languageIndex = -1;       // 0 "Chinese", 1 "English"; -1 = no selection
    int voxGainIndex = -1;        // 0 "OFF", 1-10
    bool beep = false;
    bool batterySave = false;
    bool scrambler = false;
    int priorityIndex = -1;       // 0-127 (channel 1-128); -1 = no selection
    int freqModeSignalIndex = -1; // 0 MSK, 1 DTMF, 2 CCIR, 3 OFF
    int pf1Index = -1;            // hidden list, shown but never stored
    int pf2Index = -1;            // hidden list, 0x81B
    bool beginOfTx = false;
    bool endOfTx = false;
    std::string groupId;          // up to 4 digits
    std::string id, callId, checkId, killId, listenId;  // up to 8 characters each
};

/// The dialog's opening: image → values, with the out-of-range rules.
OptionalFeatures DecodeOptionalFeatures(const Image& image);

/// The dialog's OK: values → image, in the dialog's order.
void EncodeOptionalFeatures(const OptionalFeatures& features, Image& image);

/// The time-out box text of an up-down position: "OFF" for 0, else position × 15.
std::string TimeoutText(int position);

/// The up-down position a typed time-out text stands for: "OFF" (any case) is
/// 0, a multiple of 15 from 15 to 600 is that value / 15; anything else has
/// no position.
std::optional<int> TimeoutPositionFromText(const std::string& text);

/// Identification code characters as the dialog stores them: a letter (either
/// case) as the upper-case letter, anything else as its digit value + 0x30
/// (a non-digit stores "0"). Positions past the text are 0xFF.
void StoreIdCode(const std::string& text, Image& image, int addr, int length);

/// A code of digits as the dialog stores it (Group ID, PTT ID): character i
/// of the text, for i below `digits`, as its digit value + 0x30 (a non-digit
/// stores "0"); 0xFF at every other position of the `length` bytes. A text of
/// exactly `digits` characters whose first digit is above 1 stores "1" first.
void StoreDigitCode(const std::string& text, Image& image, int addr, int length, int digits);

/// The characters of a code as the dialog shows them: digits and letters (as
/// upper case) in order; every other byte is skipped.
std::string ShowIdCode(const Image& image, int addr, int length, bool digitsOnly);

}  // namespace vel
