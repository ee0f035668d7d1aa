#include "settings/optional_features.h"

#include <cctype>
#include <cstdio>

namespace vel {
namespace {

constexpr int kTxFlags = 0x810;
constexpr int kFeatureFlags = 0x812;
constexpr int kSquelch = 0x813;
constexpr int kTimeout = 0x814;
constexpr int kVoxGain = 0x815;
constexpr int kFreqModeSignal = 0x816;
constexpr int kFixed817 = 0x817;
constexpr int kFixed818 = 0x818;
constexpr int kPriority = 0x81A;
constexpr int kPf2 = 0x81B;

constexpr int kGroupId = 0x820;
constexpr int kCallId = 0x828;
constexpr int kId = 0x830;
constexpr int kCheckId = 0x838;
constexpr int kKillId = 0x840;
constexpr int kListenId = 0x848;

constexpr Byte kBeginOfTx = 0x20;
constexpr Byte kEndOfTx = 0x10;
constexpr Byte kBeep = 0x40;
constexpr Byte kScrambler = 0x10;
constexpr Byte kBatterySave = 0x04;

void SetBit(Image& image, int addr, Byte mask, bool on) {
    if (on) {
        image.at(addr) = static_cast<Byte>(image.at(addr) | mask);
    } else {
        image.at(addr) = static_cast<Byte>(image.at(addr) & ~mask);
    }
}

// A list selection as the byte the dialog writes: the index, with no
// selection counting as -1.
Byte IndexByte(int index) { return static_cast<Byte>(index & 0xFF); }

// The value the C library's integer conversion gives a one-character string.
int DigitValue(char c) { return (c >= '0' && c <= '9') ? c - '0' : 0; }

}  // namespace

const std::vector<std::string>& KeyFunctionTexts() {
    static const std::vector<std::string> texts{"None", "Autodial", "Key Lock", "Monitor", "Monitor Momentary",
                                                "Scrambler"};
    return texts;
}

std::string TimeoutText(int position) {
    if (position == 0) return "OFF";
    return std::to_string(position * 15);
}

std::optional<int> TimeoutPositionFromText(const std::string& text) {
    std::string t;
    for (char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c))) t += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (t == "OFF") return 0;
    if (t.empty() || t.size() > 3) return std::nullopt;
    for (char c : t) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    const int seconds = std::stoi(t);
    if (seconds < 15 || seconds > 600 || seconds % 15 != 0) return std::nullopt;
    return seconds / 15;
}

std::string ShowIdCode(const Image& image, int addr, int length, bool digitsOnly) {
    std::string text;
    for (int i = 0; i < length; ++i) {
        const Byte b = image.at(addr + i);
        if (b >= '0' && b <= '9') {
            text += static_cast<char>(b);
        } else if (!digitsOnly && b >= 'A' && b <= 'Z') {
            text += static_cast<char>(b);
        } else if (!digitsOnly && b >= 'a' && b <= 'z') {
            text += static_cast<char>(b - 'a' + 'A');
        }
    }
    return text;
}

void StoreIdCode(const std::string& text, Image& image, int addr, int length) {
    for (int i = 0; i < length; ++i) {
        Byte b = 0xFF;
        if (i < static_cast<int>(text.size())) {
            const char c = text[static_cast<std::size_t>(i)];
            if (c >= 'A' && c <= 'Z') {
                b = static_cast<Byte>(c);
            } else if (c >= 'a' && c <= 'z') {
                b = static_cast<Byte>(c - 'a' + 'A');
            } else {
                b = static_cast<Byte>(DigitValue(c) + 0x30);
            }
        }
        image.at(addr + i) = b;
    }
}

void StoreDigitCode(const std::string& text, Image& image, int addr, int length, int digits) {
    for (int i = 0; i < length; ++i) {
        Byte b = 0xFF;
        if (i < digits && i < static_cast<int>(text.size())) {
            b = static_cast<Byte>(DigitValue(text[static_cast<std::size_t>(i)]) + 0x30);
        }
        image.at(addr + i) = b;
    }
    // A code of the full number of digits never begins with 2-9.
    if (static_cast<int>(text.size()) == digits && DigitValue(text[0]) > 1) image.at(addr) = '1';
}

OptionalFeatures DecodeOptionalFeatures(const Image& image) {
    OptionalFeatures f;
    const Byte timeout = image.at(kTimeout);
    f.timeoutPosition = timeout <= 40 ? timeout : 0;

    const Byte squelch = image.at(kSquelch);
    f.squelchIndex = squelch <= 9 ? squelch : 0;

    const Byte pf2 = image.at(kPf2);
    f.pf2Index = pf2 < 6 ? pf2 : 0;
    const Byte pf1 = image.at(kPriority);
    f.pf1Index = pf1 < 6 ? pf1 : 0;

    // Priority channel: no range check, so 0 or anything above 128 leaves the
    // list without a selection.
    const int priority = image.at(kPriority) - 1;
    f.priorityIndex = (priority >= 0 && priority < 128) ? priority : -1;

    const Byte flags = image.at(kFeatureFlags);
    f.beep = (flags & kBeep) != 0;
    f.scrambler = (flags & kScrambler) != 0;
    f.batterySave = (flags & kBatterySave) != 0;
    // Language: bit 0 chooses first, then the two-bit code overrides; code 0
    // would select a third item the list does not have, so nothing is selected.
    f.languageIndex = (flags & 0x01) ? 0 : 1;
    switch (flags & 0x03) {
        case 0: f.languageIndex = -1; break;
        case 3: f.languageIndex = 0; break;
        case 2: f.languageIndex = 1; break;
        default: break;
    }

    const Byte vox = image.at(kVoxGain);
    f.voxGainIndex = vox < 11 ? vox : 0;
    const Byte signal = image.at(kFreqModeSignal);
    f.freqModeSignalIndex = signal <= 3 ? signal : 0;

    const Byte tx = image.at(kTxFlags);
    f.beginOfTx = (tx & kBeginOfTx) != 0;
    f.endOfTx = (tx & kEndOfTx) != 0;

    f.groupId = ShowIdCode(image, kGroupId, 4, true);
    f.id = ShowIdCode(image, kId, 8, false);
    f.killId = ShowIdCode(image, kKillId, 8, false);
    f.callId = ShowIdCode(image, kCallId, 8, false);
    f.checkId = ShowIdCode(image, kCheckId, 8, false);
    f.listenId = ShowIdCode(image, kListenId, 8, false);
    return f;
}

void EncodeOptionalFeatures(const OptionalFeatures& f, Image& image) {
    // Language code in bits 0-1; without a selection the bits keep their value.
    if (f.languageIndex >= 0) {
        static const Byte codes[] = {3, 2, 0};
        const Byte code = f.languageIndex <= 2 ? codes[f.languageIndex] : image.at(kFeatureFlags) & 0x03;
        image.at(kFeatureFlags) = static_cast<Byte>((image.at(kFeatureFlags) & 0xFC) | code);
    }
    SetBit(image, kFeatureFlags, kScrambler, f.scrambler);
    SetBit(image, kFeatureFlags, kBeep, f.beep);
    SetBit(image, kFeatureFlags, kBatterySave, f.batterySave);

    SetBit(image, kTxFlags, kBeginOfTx, f.beginOfTx);
    SetBit(image, kTxFlags, kEndOfTx, f.endOfTx);

    image.at(kSquelch) = IndexByte(f.squelchIndex);
    image.at(kTimeout) = IndexByte(f.timeoutPosition);
    image.at(kVoxGain) = IndexByte(f.voxGainIndex);
    image.at(kFreqModeSignal) = IndexByte(f.freqModeSignalIndex);
    image.at(kFixed817) = 4;
    image.at(kFixed818) = 0;

    // The hidden PF1 list writes the priority byte first; the priority channel
    // then always wins it.
    image.at(kPriority) = IndexByte(f.pf1Index);
    image.at(kPf2) = IndexByte(f.pf2Index);
    image.at(kPriority) = IndexByte(f.priorityIndex + 1);

    StoreDigitCode(f.groupId, image, kGroupId, 8, 4);

    StoreIdCode(f.id, image, kId, 8);
    StoreIdCode(f.killId, image, kKillId, 8);
    StoreIdCode(f.callId, image, kCallId, 8);
    StoreIdCode(f.checkId, image, kCheckId, 8);
    StoreIdCode(f.listenId, image, kListenId, 8);
}

}  // namespace vel
