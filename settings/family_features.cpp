#include "settings/family_features.h"

#include "settings/optional_features.h"

namespace vel {
namespace {

constexpr int kCodeBytes = 16;

// The 128-channel family keeps its settings where the full application does
// (0x810-0x83F), with vox and key assignment in the bytes the full
// application uses for other things, and writes two fixed bytes on OK.
const FamilyFeaturesLayout kVmCh128{
    .timeout = 0x814,
    .squelch = 0x813,
    .language = 0x812,
    .beep = {0x812, 0x40},
    .scrambler = {0x812, 0x10},
    .batterySave = {0x812, 0x04},
    .voxFunction = {0x810, 0x80},
    .voxInhibit = {0x810, 0x40},
    .voxGain = 0x815,
    .voxDelay = 0x816,
    .pf1 = 0x81A,
    .pf2 = 0x81B,
    .beginOfTx = FeatureBit{0x810, 0x20},
    .endOfTx = FeatureBit{0x810, 0x10},
    .pttId = 0x820,
    .pttIdDigits = 4,
    .aniCode = 0x830,
    .aniLength = 6,
    .codesShown = true,
    .fixedOnOk = {{0x817, {4}}, {0x818, {0}}},
    .offLanguage = Same("Off"),
};

// The 118-channel family: one flag byte at 0x7D2 (bit 7 belongs to the
// form's Manual Setting), no Begin/End of Tx switches, and a PTT ID group
// that is never shown.
const FamilyFeaturesLayout kVmCh118{
    .timeout = 0x7D4,
    .squelch = 0x7D3,
    .language = 0x7D2,
    .beep = {0x7D2, 0x10},
    .scrambler = {0x7D2, 0x04},
    .batterySave = {0x7D2, 0x08},
    .voxFunction = {0x7D2, 0x20},
    .voxInhibit = {0x7D2, 0x40},
    .voxGain = 0x7D5,
    .voxDelay = 0x7D6,
    .pf1 = 0x7D0,
    .pf2 = 0x7D1,
    .beginOfTx = std::nullopt,
    .endOfTx = std::nullopt,
    .pttId = 0x7B0,
    .pttIdDigits = 3,
    .aniCode = 0x7C0,
    .aniLength = 6,
    .codesShown = false,
    .fixedOnOk = {},
    .offLanguage = Same("OFF"),
};

bool Bit(const Image& image, FeatureBit bit) { return (image.at(bit.addr) & bit.mask) != 0; }

void SetBit(Image& image, FeatureBit bit, bool on) {
    Byte& b = image.at(bit.addr);
    b = static_cast<Byte>(on ? (b | bit.mask) : (b & ~bit.mask));
}

// The first item for a byte past the list.
int IndexBelow(Byte value, int count) { return value < count ? value : 0; }

// A list selection as the byte OK writes: no selection writes 0xFF.
Byte IndexByte(int index) { return static_cast<Byte>(index & 0xFF); }

std::string ShowPttId(const Image& image, int addr, int digits) {
    std::string text;
    for (int i = 0; i < kCodeBytes; ++i) {
        const Byte b = image.at(addr + i);
        if (b >= '0' && b <= '9' && i < digits) text += static_cast<char>(b);
    }
    return text;
}

// Digits and upper-case letters from any position; a lower-case letter only
// in the first six positions, shown in capitals.
std::string ShowAniCode(const Image& image, int addr) {
    std::string text;
    for (int i = 0; i < kCodeBytes; ++i) {
        const Byte b = image.at(addr + i);
        if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z')) {
            text += static_cast<char>(b);
        } else if (b >= 'a' && b <= 'z' && i < 6) {
            text += static_cast<char>(b - 'a' + 'A');
        }
    }
    return text;
}

}  // namespace

const FamilyFeaturesLayout* FamilyFeaturesLayoutOf(FamilyId family) {
    switch (family) {
        case FamilyId::VM_CH128: return &kVmCh128;
        case FamilyId::VM_CH118: return &kVmCh118;
        default: return nullptr;
    }
}

FamilyFeatures DecodeFamilyFeatures(const FamilyFeaturesLayout& layout, const Image& image) {
    FamilyFeatures f;
    const Byte timeout = image.at(layout.timeout);
    f.timeoutPosition = timeout <= 40 ? timeout : 0;
    f.squelchIndex = IndexBelow(image.at(layout.squelch), 10);
    f.pf2Index = IndexBelow(image.at(layout.pf2), 6);
    f.pf1Index = IndexBelow(image.at(layout.pf1), 6);
    f.beep = Bit(image, layout.beep);
    f.scrambler = Bit(image, layout.scrambler);
    f.batterySave = Bit(image, layout.batterySave);
    // Code 1 names no language: the list opens without a selection.
    switch (image.at(layout.language) & 0x03) {
        case 3: f.languageIndex = 0; break;
        case 2: f.languageIndex = 1; break;
        case 0: f.languageIndex = 2; break;
        default: f.languageIndex = -1; break;
    }
    f.voxGainIndex = IndexBelow(image.at(layout.voxGain), 11);
    f.voxDelayIndex = IndexBelow(image.at(layout.voxDelay), 6);
    f.voxInhibit = Bit(image, layout.voxInhibit);
    f.voxFunction = Bit(image, layout.voxFunction);
    if (layout.beginOfTx) f.beginOfTx = Bit(image, *layout.beginOfTx);
    if (layout.endOfTx) f.endOfTx = Bit(image, *layout.endOfTx);
    f.pttId = ShowPttId(image, layout.pttId, layout.pttIdDigits);
    f.aniCode = ShowAniCode(image, layout.aniCode);
    return f;
}

void EncodeFamilyFeatures(const FamilyFeaturesLayout& layout, const FamilyFeatures& f, Image& image) {
    if (f.languageIndex >= 0 && f.languageIndex <= 2) {
        static const Byte kCodes[] = {3, 2, 0};
        Byte& flags = image.at(layout.language);
        flags = static_cast<Byte>((flags & 0xFC) | kCodes[f.languageIndex]);
    }
    SetBit(image, layout.scrambler, f.scrambler);
    SetBit(image, layout.beep, f.beep);
    SetBit(image, layout.batterySave, f.batterySave);
    SetBit(image, layout.voxFunction, f.voxFunction);
    SetBit(image, layout.voxInhibit, f.voxInhibit);
    if (layout.beginOfTx) SetBit(image, *layout.beginOfTx, f.beginOfTx);
    if (layout.endOfTx) SetBit(image, *layout.endOfTx, f.endOfTx);

    image.at(layout.squelch) = IndexByte(f.squelchIndex);
    image.at(layout.timeout) = IndexByte(f.timeoutPosition);
    image.at(layout.voxGain) = IndexByte(f.voxGainIndex);
    image.at(layout.voxDelay) = IndexByte(f.voxDelayIndex);
    for (const ByteWrite& w : layout.fixedOnOk) {
        for (std::size_t i = 0; i < w.bytes.size(); ++i) image.at(w.addr + static_cast<int>(i)) = w.bytes[i];
    }
    image.at(layout.pf1) = IndexByte(f.pf1Index);
    image.at(layout.pf2) = IndexByte(f.pf2Index);

    // A code group that is never shown cannot have been changed: its bytes
    // stay as the radio gave them rather than being rewritten from what the
    // opening could read of them.
    if (!layout.codesShown) return;
    StoreDigitCode(f.pttId, image, layout.pttId, kCodeBytes, layout.pttIdDigits);
    StoreIdCode(f.aniCode, image, layout.aniCode, kCodeBytes);
}

}  // namespace vel
