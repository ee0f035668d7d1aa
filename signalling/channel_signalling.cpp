#include "signalling/channel_signalling.h"

#include <cstdlib>

namespace vel {
namespace {

constexpr Byte kCallOn = 0x10;
constexpr Byte kDecodeOn = 0x20;

// The text's decimal value as the dialog reads it ("NO" and other text are 0).
int TextValue(const std::string& text) { return std::atoi(text.c_str()); }

}  // namespace

int StepChannel(int channel, int step) {
    int c = channel + step;
    if (c < 1) c = kSignallingChannelCount;
    if (c > kSignallingChannelCount) c = 1;
    return c;
}

const std::vector<std::string>& SignallingTypeTexts() {
    static const std::vector<std::string> texts{"PD1200", "DTMF", "5-Tone", "2-Tone"};
    return texts;
}

int SignallingTypeIndex(Byte signalling) {
    switch (signalling & 0x0F) {
        case 1: return 0;
        case 2: return 1;
        case 4: return 2;
        case 8: return 3;
        default: return -1;
    }
}

Byte StoreSignallingType(Byte signalling, int typeIndex) {
    if (typeIndex < 0 || typeIndex > 3) return 0xF7;
    const Byte code = static_cast<Byte>(1u << typeIndex);
    return static_cast<Byte>((signalling & (0xF0 | code)) | code);
}

std::string CallText(Byte signalling, Byte twoTone) {
    if (!(signalling & kCallOn)) return "NO";
    return std::to_string((twoTone & 0x1F) + 1);
}

std::string DecodeText(Byte signalling, Byte twoTone) {
    if (!(signalling & kDecodeOn)) return "NO";
    return std::to_string((twoTone >> 5) + 1);
}

std::string StepCallDecode(const std::string& text, int step, int limit) {
    const int value = TextValue(text);
    if (step == 1) {
        if (value >= limit) return "NO";
        return std::to_string(value + 1);
    }
    if (value == 1) return "NO";
    if (value >= 2 && value <= limit) return std::to_string(value - 1);
    return std::to_string(limit);
}

void StoreCallDecode(const std::string& callText, const std::string& decodeText, Byte& signalling, Byte& twoTone) {
    const int decode = decodeText == "NO" ? 0 : TextValue(decodeText);
    if (decode > 0) {
        const int d = decode - 1 > 7 ? 7 : decode - 1;
        signalling = static_cast<Byte>(signalling | kDecodeOn);
        twoTone = static_cast<Byte>((twoTone & 0x1F) | (d << 5));
    } else {
        signalling = static_cast<Byte>(signalling & ~kDecodeOn);
    }
    const int call = callText == "NO" ? 0 : TextValue(callText);
    if (call > 0) {
        const int k = call - 1 > 31 ? 31 : call - 1;
        signalling = static_cast<Byte>(signalling | kCallOn);
        twoTone = static_cast<Byte>((twoTone & 0xE0) | k);
    } else {
        signalling = static_cast<Byte>(signalling & ~kCallOn);
    }
}

}  // namespace vel
