#include "signalling/two_tone.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "image/encodings.h"

namespace vel {
namespace {

constexpr int kEncodeTable = 0xE00;
constexpr int kDecodeSets = 0xE80;
constexpr int kEncodeSettings = 0xEC0;
constexpr int kEncodePeriods = 0xF00;
constexpr int kDecodeTiming = 0xF80;
constexpr int kEncodeSettings50 = 0xFC0;

std::string Format(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

int RoundHalfUp(double quotient) {
    const double whole = std::floor(quotient);
    return static_cast<int>(quotient - whole >= 0.5 ? whole + 1 : whole);
}

// A tone text in tenths of a hertz, truncated; texts that are no number give 0.
std::int64_t ToneTenthsOf(const std::string& text) { return DecimalScaledTruncated(text, 1); }

// Writes a tone word and its period-count word. No tone (0) writes zeros.
void StoreToneWords(std::int64_t tenths, double hertz, int (*periodCount)(double), Image& image, int toneAddr,
                    int periodAddr) {
    if (tenths == 0) {
        WriteBE16(image, toneAddr, 0);
        WriteBE16(image, periodAddr, 0);
        return;
    }
    WriteBE16(image, toneAddr, static_cast<unsigned>(tenths));
    WriteBE16(image, periodAddr, static_cast<unsigned>(periodCount(hertz)));
}

// A decode-set tone as the page stores it: no tone stays 0, anything else is
// held inside the range the radio can decode.
std::int64_t ClampedToneTenths(const std::string& text) {
    const std::int64_t t = ToneTenthsOf(text);
    if (t <= 0) return 0;
    return std::clamp<std::int64_t>(t, kTwoToneMinTenths, kTwoToneMaxTenths);
}

// A time text (seconds) as its 0.1 s byte and its 50 ms byte, each held at
// 0-255 so that a large value cannot wrap into a short one.
void TimeBytes(const std::string& text, Byte& tenths, Byte& fifties) {
    const std::int64_t hundredths = DecimalScaledTruncated(text, 2);
    const std::int64_t t = DecimalScaledTruncated(text, 1);
    tenths = static_cast<Byte>(std::clamp<std::int64_t>(t, 0, 255));
    fifties = static_cast<Byte>(std::clamp<std::int64_t>(hundredths < 0 ? 0 : hundredths / 5, 0, 255));
}

std::string ToneCellText(unsigned word) { return word == 0 ? std::string() : Format("%4.1f", word / 10.0); }

}  // namespace

int DecodePeriodCount(double hertz) { return RoundHalfUp(895658.0 / hertz); }
int EncodePeriodCount(double hertz) { return RoundHalfUp(111957.0 / hertz); }

std::string TimeText(int position) { return Format("%2.1f", position * 0.1); }

DecodeSetPage LoadDecodeSet(const Image& image, int set) {
    const int base = kDecodeSets + 8 * (set - 1);
    DecodeSetPage page;
    page.aPosition = static_cast<int>(ReadBE16(image, base));
    page.bPosition = static_cast<int>(ReadBE16(image, base + 2));
    page.aTone = Format("%.1f", page.aPosition * 0.1);
    page.bTone = Format("%.1f", page.bPosition * 0.1);
    for (int i = 0; i < 4; ++i) {
        page.timePositions[static_cast<std::size_t>(i)] = image.at(base + 4 + i);
        page.times[static_cast<std::size_t>(i)] = TimeText(image.at(base + 4 + i));
    }
    return page;
}

void StoreDecodeSet(const DecodeSetPage& page, int set, Image& image) {
    const int base = kDecodeSets + 8 * (set - 1);
    const int timing = kDecodeTiming + 8 * (set - 1);
    const std::string* tones[] = {&page.aTone, &page.bTone};
    for (int k = 0; k < 2; ++k) {
        const std::int64_t t = ClampedToneTenths(*tones[k]);
        StoreToneWords(t, t / 10.0, DecodePeriodCount, image, base + 2 * k, timing + 2 * k);
    }
    for (int i = 0; i < 4; ++i) {
        Byte tenths = 0;
        Byte fifties = 0;
        TimeBytes(page.times[static_cast<std::size_t>(i)], tenths, fifties);
        image.at(base + 4 + i) = tenths;
        image.at(timing + 4 + i) = fifties;
    }
}

std::string StepDecodeTone(const std::string& text, bool up) {
    const std::int64_t v = DecimalScaledTruncated(text, 1);
    if (up) {
        if (v == kTwoToneMaxTenths) return "0.0";
        if (v == 0) return "288.5";
        return Format("%4.1f", (v + 1) * 0.1);
    }
    if (v == kTwoToneMinTenths) return "0.0";
    if (v == 0) return "3106.0";
    return Format("%4.1f", (v - 1) * 0.1);
}

EncodePage LoadEncodePage(const Image& image) {
    EncodePage page;
    for (int r = 0; r < kEncodeEntryCount; ++r) {
        for (int k = 0; k < 2; ++k) {
            page.tones[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)] =
                ToneCellText(ReadBE16(image, kEncodeTable + 4 * r + 2 * k));
        }
    }
    const Byte first = image.at(kEncodeSettings);
    const Byte second = image.at(kEncodeSettings + 1);
    const Byte longDelay = image.at(kEncodeSettings + 2);
    page.firstDelayPosition = first - 5;
    page.secondDelayPosition = second - 5;
    page.longDelayPosition = longDelay;
    page.firstDelay = TimeText(first);
    page.secondDelay = TimeText(second);
    page.longDelay = TimeText(longDelay);
    page.toneIntervalMs = static_cast<int>(ReadBE16(image, kEncodeSettings + 3));
    page.riseDelayMs = static_cast<int>(ReadBE16(image, kEncodeSettings + 5));
    const Byte kill = image.at(kEncodeSettings + 7);
    if (kill == 0 || kill == 1) page.shortKillTone = (kill == 1);
    return page;
}

void StoreEncodePage(const EncodePage& page, Image& image) {
    for (int r = 0; r < kEncodeEntryCount; ++r) {
        for (int k = 0; k < 2; ++k) {
            const std::string& text = page.tones[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)];
            const std::int64_t t = std::max<std::int64_t>(ToneTenthsOf(text), 0);
            // Cells hold committed (clamped) texts; the period count uses the
            // tone as typed, as the radio expects.
            const double hertz = std::strtod(text.c_str(), nullptr);
            StoreToneWords(t, hertz, EncodePeriodCount, image, kEncodeTable + 4 * r + 2 * k,
                           kEncodePeriods + 4 * r + 2 * k);
        }
    }
    const std::string* delays[] = {&page.firstDelay, &page.secondDelay, &page.longDelay};
    for (int i = 0; i < 3; ++i) {
        Byte tenths = 0;
        Byte fifties = 0;
        TimeBytes(*delays[i], tenths, fifties);
        image.at(kEncodeSettings + i) = tenths;
        image.at(kEncodeSettings50 + i) = fifties;
    }
    WriteBE16(image, kEncodeSettings + 3, static_cast<unsigned>(page.toneIntervalMs));
    WriteBE16(image, kEncodeSettings50 + 3, static_cast<unsigned>(page.toneIntervalMs / 50));
    WriteBE16(image, kEncodeSettings + 5, static_cast<unsigned>(page.riseDelayMs));
    WriteBE16(image, kEncodeSettings50 + 5, static_cast<unsigned>(page.riseDelayMs / 50));
    const Byte kill = page.shortKillTone.value_or(false) ? 1 : 0;
    image.at(kEncodeSettings + 7) = kill;
    image.at(kEncodeSettings50 + 7) = kill;
}

std::string CommitEncodeTone(const std::string& text) {
    if (text.empty()) return text;
    const std::int64_t t = DecimalScaledTruncated(text, 1);
    if (t < kTwoToneMinTenths) return "288.5";
    if (t > kTwoToneMaxTenths) return "3106.0";
    // Shown from the same truncated value the range was checked on, so a cell
    // can never show (and store) a tone just outside the range.
    return Format("%4.1f", static_cast<double>(t) / 10.0);
}

EncodeCellMove CommitEncodeCell(EncodeTones& tones, int row, int col, const std::string& editorText,
                                EncodeCommitKey key) {
    auto& entry = tones.at(static_cast<std::size_t>(row - 1));
    const std::string text = CommitEncodeTone(editorText);
    entry.at(static_cast<std::size_t>(col - 1)) = text;
    if (col == 1) {
        if (entry[1].empty()) entry[1] = text;
        return {row, 2, true};
    }
    if (key == EncodeCommitKey::Enter) {
        if (entry[0].empty() && !entry[1].empty()) {
            entry[1].clear();
            return {row, 1, true};
        }
        if (row < kEncodeEntryCount) return {row + 1, 1, true};
        return {row, 2, true};
    }
    if (entry[0].empty()) entry[1].clear();
    if (row <= 15) return {row + 1, 1, true};
    return {row, 2, false};
}

int StepToneInterval(int ms, int step) {
    int v = ms + step * 100;
    if (v < 0) v = 2000;
    if (v > 2000) v = 0;
    return v;
}

int StepRiseDelay(int ms, int step) {
    int v = ms - step * 50;
    if (v < 100) v = 1000;
    if (v > 1000) v = 100;
    return v;
}

}  // namespace vel
