#pragma once
// Marlowe's radio-wide settings as its two dialogs show them: Key Assignment
// (the two side buttons, 0x3C5 and 0x3C6) and Optional Features (0x3C0-0x3C7).
// Each is a plain struct of list selections, decoded from the image when the
// dialog opens and encoded into it on OK.

#include <string>
#include <vector>

#include "image/image.h"

namespace vel {

/// The nine functions of a side button, in list order (index = stored nibble).
const std::vector<std::string>& SideKeyFunctionTexts();

/// Key Assignment: one list selection per press, -1 when the list has none.
struct KeyAssignment {
    int button2Short = -1;   // list 1073, high nibble of 0x3C5
    int button2Long = -1;    // list 1075, low nibble of 0x3C5
    int button3Short = -1;   // list 1074, high nibble of 0x3C6
    int button3Long = -1;    // list 1076, low nibble of 0x3C6
};

/// Opening: each nibble selects its function; a nibble above 8 selects none.
KeyAssignment DecodeKeyAssignment(const Image& image);

/// OK: 0x3C5 = 16 × short + long, 0x3C6 likewise, modulo 256, with no
/// selection counting as -1.
void EncodeKeyAssignment(const KeyAssignment& keys, Image& image);

/// The item texts of the Optional Features lists, in list order.
struct MarloweOptionTexts {
    std::vector<std::string> timeout;      // "Off", "30s" … "300s"
    std::vector<std::string> squelch;      // "0" … "9"
    std::vector<std::string> voice;        // "Off", "English", "Chinese"
    std::vector<std::string> voxGain;      // "Off", "1" … "9"
    std::vector<std::string> powerRank;    // "0" … "9"
    std::vector<std::string> beep;         // "Disable", "Enable"
    std::vector<std::string> scrambler;    // "On", "Off"
    std::vector<std::string> batterySave;  // "Enable", "Disable"
    std::vector<std::string> bandWidth;    // "WIDE", "NARROW" (hidden list, stored nowhere)
};
const MarloweOptionTexts& MarloweOptionItems();

/// Optional Features: one list selection per control, -1 when the list has none.
struct MarloweOptionalFeatures {
    int timeoutIndex = -1;      // 1013: 0x3C3 = index
    int squelchIndex = -1;      // 1016: 0x3C1 = index
    int voiceIndex = -1;        // 1075: 0x3C0 bits 3-4
    int voxGainIndex = -1;      // 1076: 0x3C7 = index
    int powerRankIndex = -1;    // 1018: 0x3C4 = index × 3
    int beepIndex = -1;         // 1014: 0x3C0 bit 0 = index
    int scramblerIndex = -1;    // 1077: 0x3C0 bit 5 = index
    int batterySaveIndex = -1;  // 1078: 0x3C0 bit 1 set for "Enable" (index 0)
    int bandWidthIndex = -1;    // 1073: hidden, never selected, never stored
};

/// Opening, with the out-of-range rules: squelch above 9 and time-out above 10
/// open as item 0; a power rank of 9 or more (0xFF of a new document
/// included) opens as 9; a VOX gain above 9 and a voice code of bit 4 alone
/// open without a selection.
MarloweOptionalFeatures DecodeMarloweOptionalFeatures(const Image& image);

/// OK, in the dialog's order. A list without a selection stores -1 (0xFF, or
/// 0xFD for the power rank); a voice announcement without one leaves bits 3
/// and 4 as they are. Bits 2, 6 and 7 of 0x3C0 are never touched.
void EncodeMarloweOptionalFeatures(const MarloweOptionalFeatures& features, Image& image);

}  // namespace vel
