#include "apps/marlowe/marlowe_settings.h"

namespace vel {
namespace {

constexpr int kFeatureFlags = 0x3C0;
constexpr int kSquelch = 0x3C1;
constexpr int kTimeout = 0x3C3;
constexpr int kPowerRank = 0x3C4;
constexpr int kSideButton2 = 0x3C5;
constexpr int kSideButton3 = 0x3C6;
constexpr int kVoxGain = 0x3C7;

constexpr Byte kBeep = 0x01;
constexpr Byte kBatterySave = 0x02;
constexpr Byte kVoiceEnglish = 0x08;
constexpr Byte kVoiceChinese = 0x10;   // set together with kVoiceEnglish
constexpr Byte kScramblerOff = 0x20;

constexpr int kFunctionCount = 9;
constexpr int kTimeoutSteps = 10;
constexpr int kTopPowerRank = 9;

// A list selection as the byte OK writes: the index, no selection counting as -1.
Byte IndexByte(int index) { return static_cast<Byte>(index & 0xFF); }

void SetBit(Image& image, int addr, Byte mask, bool on) {
    image.at(addr) = static_cast<Byte>(on ? image.at(addr) | mask : image.at(addr) & ~mask);
}

int FunctionOf(int nibble) { return nibble < kFunctionCount ? nibble : -1; }

Byte SideButtonByte(int shortPress, int longPress) { return static_cast<Byte>((16 * shortPress + longPress) & 0xFF); }

std::vector<std::string> Numbers(int from, int to) {
    std::vector<std::string> texts;
    for (int i = from; i <= to; ++i) texts.push_back(std::to_string(i));
    return texts;
}

MarloweOptionTexts MakeOptionTexts() {
    MarloweOptionTexts t;
    t.timeout.push_back("Off");
    for (int i = 1; i <= kTimeoutSteps; ++i) t.timeout.push_back(std::to_string(30 * i) + "s");
    t.squelch = Numbers(0, 9);
    t.voice = {"Off", "English", "Chinese"};
    t.voxGain = Numbers(0, 9);
    t.voxGain[0] = "Off";
    t.powerRank = Numbers(0, 9);
    t.beep = {"Disable", "Enable"};
    t.scrambler = {"On", "Off"};
    t.batterySave = {"Enable", "Disable"};
    t.bandWidth = {"WIDE", "NARROW"};
    return t;
}

}  // namespace

const std::vector<std::string>& SideKeyFunctionTexts() {
    static const std::vector<std::string> texts{"NO Function",    "Monitor",           "Scan ON/OFF",
                                                "Scan Temperary Delete", "High/Low Power", "Talk Around",
                                                "Reverse Frequency",     "Vox ON/OFF",     "Scrambler ON/OFF"};
    return texts;
}

KeyAssignment DecodeKeyAssignment(const Image& image) {
    const Byte b2 = image.at(kSideButton2);
    const Byte b3 = image.at(kSideButton3);
    return KeyAssignment{FunctionOf(b2 >> 4), FunctionOf(b2 & 0x0F), FunctionOf(b3 >> 4), FunctionOf(b3 & 0x0F)};
}

void EncodeKeyAssignment(const KeyAssignment& keys, Image& image) {
    image.at(kSideButton2) = SideButtonByte(keys.button2Short, keys.button2Long);
    image.at(kSideButton3) = SideButtonByte(keys.button3Short, keys.button3Long);
}

const MarloweOptionTexts& MarloweOptionItems() {
    static const MarloweOptionTexts texts = MakeOptionTexts();
    return texts;
}

MarloweOptionalFeatures DecodeMarloweOptionalFeatures(const Image& image) {
    const Byte flags = image.at(kFeatureFlags);
    MarloweOptionalFeatures f;
    f.beepIndex = (flags & kBeep) ? 1 : 0;
    f.batterySaveIndex = (flags & kBatterySave) ? 0 : 1;
    f.squelchIndex = image.at(kSquelch) <= 9 ? image.at(kSquelch) : 0;
    f.timeoutIndex = image.at(kTimeout) <= kTimeoutSteps ? image.at(kTimeout) : 0;
    const int rank = image.at(kPowerRank) / 3;
    f.powerRankIndex = rank < kTopPowerRank ? rank : kTopPowerRank;
    f.scramblerIndex = (flags & kScramblerOff) ? 1 : 0;
    // No range check: a gain above 9 names no item and leaves no selection.
    f.voxGainIndex = image.at(kVoxGain) <= 9 ? image.at(kVoxGain) : -1;
    const bool english = flags & kVoiceEnglish;
    const bool chinese = flags & kVoiceChinese;
    if (english) f.voiceIndex = chinese ? 2 : 1;
    else f.voiceIndex = chinese ? -1 : 0;   // bit 4 alone names no item
    return f;
}

void EncodeMarloweOptionalFeatures(const MarloweOptionalFeatures& f, Image& image) {
    // The three two-item lists always hold a selection in the dialog; one
    // without (only possible from outside it) leaves its bit alone.
    if (f.beepIndex >= 0) SetBit(image, kFeatureFlags, kBeep, f.beepIndex == 1);
    if (f.batterySaveIndex >= 0) SetBit(image, kFeatureFlags, kBatterySave, f.batterySaveIndex == 0);
    image.at(kSquelch) = IndexByte(f.squelchIndex);
    image.at(kTimeout) = IndexByte(f.timeoutIndex);
    image.at(kPowerRank) = IndexByte(f.powerRankIndex * 3);
    if (f.scramblerIndex >= 0) SetBit(image, kFeatureFlags, kScramblerOff, f.scramblerIndex == 1);
    image.at(kVoxGain) = IndexByte(f.voxGainIndex);
    switch (f.voiceIndex) {
        case 0:
            SetBit(image, kFeatureFlags, kVoiceEnglish | kVoiceChinese, false);
            break;
        case 1:
            SetBit(image, kFeatureFlags, kVoiceEnglish, true);
            SetBit(image, kFeatureFlags, kVoiceChinese, false);
            break;
        case 2:
            SetBit(image, kFeatureFlags, kVoiceEnglish | kVoiceChinese, true);
            break;
        default:
            break;   // no selection: bits 3 and 4 stay
    }
}

}  // namespace vel
