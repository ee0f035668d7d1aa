#pragma once
// Radio-wide settings of the Optional Features dialog of the 128- and
// 118-channel families: the same controls in both (groups "Function Set",
// "VOX", "PTT ID", "Key Assignment"), at each family's own byte positions.

#include <optional>
#include <string>
#include <vector>

#include "image/family.h"
#include "image/image.h"

namespace vel {

struct FamilyFeatures {
    int timeoutPosition = 0;   // up-down position 0-40, 15 s steps, 0 = off
    int squelchIndex = -1;     // 0-9
    int languageIndex = -1;    // 0 "Chinese", 1 "English", 2 "Off"; -1 = no selection
    bool beep = false;
    bool scrambler = false;
    bool batterySave = false;
    bool voxFunction = false;
    int voxGainIndex = -1;     // 0 "OFF", 1-10
    int voxDelayIndex = -1;    // 0 "0.3" … 5 "3.0" seconds
    bool voxInhibit = false;   // Vox Inhibit On Receive
    std::string pttId;         // digits
    std::string aniCode;       // digits and upper-case letters
    bool beginOfTx = false;
    bool endOfTx = false;
    int pf1Index = -1;         // key-function list
    int pf2Index = -1;
};

/// One bit of one image byte.
struct FeatureBit {
    int addr = 0;
    Byte mask = 0;
};

/// Where a family keeps the dialog's settings.
struct FamilyFeaturesLayout {
    int timeout = 0;
    int squelch = 0;
    int language = 0;               // bits 0-1: 3 Chinese, 2 English, 0 off
    FeatureBit beep, scrambler, batterySave, voxFunction, voxInhibit;
    int voxGain = 0;
    int voxDelay = 0;
    int pf1 = 0;
    int pf2 = 0;
    std::optional<FeatureBit> beginOfTx;   // families without the switches have none
    std::optional<FeatureBit> endOfTx;
    int pttId = 0;                  // 16 bytes of ASCII digits, 0xFF behind them
    int pttIdDigits = 4;            // digits the dialog reads and the box holds
    int aniCode = 0;                // 16 bytes of ASCII digits and letters, 0xFF behind them
    int aniLength = 6;              // characters the box holds
    bool codesShown = true;         // false: the PTT ID group is hidden
    std::vector<ByteWrite> fixedOnOk;   // bytes OK always writes
    Text offLanguage;               // the language list's third item
};

/// The layout of `family`'s Optional Features dialog, or nullptr when the
/// family's dialog is not this one.
const FamilyFeaturesLayout* FamilyFeaturesLayoutOf(FamilyId family);

/// The dialog's opening: image → values, out-of-range bytes as the first item.
FamilyFeatures DecodeFamilyFeatures(const FamilyFeaturesLayout& layout, const Image& image);

/// The dialog's OK: values → image. Bits of the flag bytes that the dialog
/// does not own keep their values; a language list without a selection
/// keeps the language bits.
void EncodeFamilyFeatures(const FamilyFeaturesLayout& layout, const FamilyFeatures& features, Image& image);

}  // namespace vel
