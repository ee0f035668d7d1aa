#include <gtest/gtest.h>

#include "signalling/channel_signalling.h"
#include "signalling/two_tone.h"

namespace vel {
namespace {

// The two-tone area of a new full-application document.
Image NewTwoToneImage() {
    Image img(4096, 0xFF);
    for (int a = 0xE00; a < 0xE80; ++a) img[a] = 0x00;
    for (int set = 0; set < 8; ++set) {
        const Byte bytes[] = {0x10, 0x10, 0x10, 0x10, 0x08, 0x08, 0x08, 0x08};
        for (int i = 0; i < 8; ++i) img[0xE80 + 8 * set + i] = bytes[i];
    }
    const Byte settings[] = {0x05, 0x06, 0x07, 0x00, 0x64, 0x00, 0xC8};
    for (int i = 0; i < 7; ++i) img[0xEC0 + i] = settings[i];
    return img;
}

void ExpectOnlyChanged(const Image& before, const Image& after, std::initializer_list<std::pair<int, int>> ranges) {
    for (std::size_t a = 0; a < after.size(); ++a) {
        bool inside = false;
        for (const auto& [lo, hi] : ranges) inside = inside || (static_cast<int>(a) >= lo && static_cast<int>(a) <= hi);
        if (!inside) {
            EXPECT_EQ(after[a], before[a]) << "byte " << std::hex << a << " changed";
        }
    }
}

TEST(DecodeSet, NewDocumentOpensAt411HzAndPointEightSeconds) {
    const DecodeSetPage page = LoadDecodeSet(NewTwoToneImage(), 1);
    EXPECT_EQ(page.aTone, "411.2");
    EXPECT_EQ(page.bTone, "411.2");
    for (const auto& t : page.times) EXPECT_EQ(t, "0.8");
    EXPECT_EQ(page.aPosition, 4112);
    EXPECT_EQ(page.timePositions[0], 8);
}

TEST(DecodeSet, StoringAnUnchangedPageWritesItsTimingRecord) {
    Image img = NewTwoToneImage();
    const Image before = img;
    StoreDecodeSet(LoadDecodeSet(img, 1), 1, img);
    const Byte expected[] = {0x08, 0x82, 0x08, 0x82, 0x10, 0x10, 0x10, 0x10};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(img[0xF80 + i], expected[i]) << i;
    ExpectOnlyChanged(before, img, {{0xF80, 0xF87}});
}

struct ToneCase {
    const char* typed;
    Byte record[2];
    Byte period[2];
};
class DecodeTone : public ::testing::TestWithParam<ToneCase> {};
TEST_P(DecodeTone, StoresToneAndPeriodCount) {
    Image img = NewTwoToneImage();
    DecodeSetPage page = LoadDecodeSet(img, 3);
    page.aTone = GetParam().typed;
    StoreDecodeSet(page, 3, img);
    const int base = 0xE80 + 16;
    EXPECT_EQ(img[base], GetParam().record[0]);
    EXPECT_EQ(img[base + 1], GetParam().record[1]);
    EXPECT_EQ(img[0xF80 + 16], GetParam().period[0]);
    EXPECT_EQ(img[0xF80 + 17], GetParam().period[1]);
}
INSTANTIATE_TEST_SUITE_P(
    Tones, DecodeTone,
    ::testing::Values(ToneCase{"1000", {0x27, 0x10}, {0x03, 0x80}},    // 895658 / 1000 = 895.658 -> 896
                      ToneCase{"0.0", {0x00, 0x00}, {0x00, 0x00}},
                      ToneCase{"abc", {0x00, 0x00}, {0x00, 0x00}},
                      ToneCase{"288.5", {0x0B, 0x45}, {0x0C, 0x21}},   // 3104.54 -> 3105
                      ToneCase{"100", {0x0B, 0x45}, {0x0C, 0x21}},     // below the range: held at 288.5
                      ToneCase{"7000", {0x79, 0x54}, {0x01, 0x20}}),  // above: held at 3106.0 (288.36 -> 288)
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(DecodeSet, TimesAreHeldInsideTheirBytesInsteadOfWrapping) {
    Image img = NewTwoToneImage();
    DecodeSetPage page = LoadDecodeSet(img, 8);
    page.times = {"30", "12.8", "1.5", "-2"};
    StoreDecodeSet(page, 8, img);
    EXPECT_EQ(img[0xEBC], 255);
    EXPECT_EQ(img[0xFBC], 255);
    EXPECT_EQ(img[0xEBD], 128);
    EXPECT_EQ(img[0xFBD], 255);  // 256 fifties do not fit: held at 255
    EXPECT_EQ(img[0xEBE], 15);   // set 8's interval time
    EXPECT_EQ(img[0xFBE], 30);
    EXPECT_EQ(img[0xEBF], 0);
    EXPECT_EQ(img[0xFBF], 0);
}

TEST(DecodeSet, ToneUpDownWrapsThroughNoTone) {
    EXPECT_EQ(StepDecodeTone("3106.0", true), "0.0");
    EXPECT_EQ(StepDecodeTone("0.0", true), "288.5");
    EXPECT_EQ(StepDecodeTone("288.5", false), "0.0");
    EXPECT_EQ(StepDecodeTone("0.0", false), "3106.0");
    EXPECT_EQ(StepDecodeTone("411.2", true), "411.3");
    EXPECT_EQ(StepDecodeTone("411.2", false), "411.1");
}

TEST(EncodePage, NewDocumentOpensEmptyWithItsTiming) {
    const EncodePage page = LoadEncodePage(NewTwoToneImage());
    for (const auto& row : page.tones) {
        EXPECT_EQ(row[0], "");
        EXPECT_EQ(row[1], "");
    }
    EXPECT_EQ(page.firstDelay, "0.5");
    EXPECT_EQ(page.secondDelay, "0.6");
    EXPECT_EQ(page.longDelay, "0.7");
    EXPECT_EQ(page.firstDelayPosition, 0);
    EXPECT_EQ(page.secondDelayPosition, 1);
    EXPECT_EQ(page.longDelayPosition, 7);
    EXPECT_EQ(page.toneIntervalMs, 100);
    EXPECT_EQ(page.riseDelayMs, 200);
    EXPECT_FALSE(page.shortKillTone.has_value());  // 0xFF leaves the box as it is
}

TEST(EncodePage, StoresTonesPeriodCountsAndTiming) {
    Image img = NewTwoToneImage();
    const Image before = img;
    EncodePage page = LoadEncodePage(img);
    page.tones[0] = {"1000.0", "1000.0"};
    page.toneIntervalMs = 1500;
    StoreEncodePage(page, img);
    const Byte tones[] = {0x27, 0x10, 0x27, 0x10};
    const Byte periods[] = {0x00, 0x70, 0x00, 0x70};  // 111957 / 1000 = 111.957 -> 112
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(img[0xE00 + i], tones[i]);
        EXPECT_EQ(img[0xF00 + i], periods[i]);
    }
    EXPECT_EQ(img[0xEC0], 5);
    EXPECT_EQ(img[0xFC0], 10);
    EXPECT_EQ(img[0xEC3], 0x05);
    EXPECT_EQ(img[0xEC4], 0xDC);
    EXPECT_EQ(img[0xFC3], 0x00);
    EXPECT_EQ(img[0xFC4], 0x1E);
    EXPECT_EQ(img[0xEC5], 0x00);
    EXPECT_EQ(img[0xEC6], 0xC8);
    EXPECT_EQ(img[0xFC6], 4);
    EXPECT_EQ(img[0xEC7], 0);
    EXPECT_EQ(img[0xFC7], 0);
    for (int a = 0xF04; a < 0xF80; ++a) EXPECT_EQ(img[a], 0) << std::hex << a;  // empty rows: zero words
    ExpectOnlyChanged(before, img, {{0xE00, 0xE7F}, {0xEC0, 0xEC7}, {0xF00, 0xF7F}, {0xFC0, 0xFC7}});
}

TEST(EncodePage, ShortKillToneCheckedStoresOneInBothRecords) {
    Image img = NewTwoToneImage();
    EncodePage page = LoadEncodePage(img);
    page.shortKillTone = true;
    StoreEncodePage(page, img);
    EXPECT_EQ(img[0xEC7], 1);
    EXPECT_EQ(img[0xFC7], 1);
    EXPECT_EQ(LoadEncodePage(img).shortKillTone, std::optional<bool>(true));
}

TEST(EncodePage, CommittedTonesAreClampedAndFormatted) {
    EXPECT_EQ(CommitEncodeTone("1000"), "1000.0");
    EXPECT_EQ(CommitEncodeTone("50"), "288.5");
    EXPECT_EQ(CommitEncodeTone("5000"), "3106.0");
    EXPECT_EQ(CommitEncodeTone("3106.09"), "3106.0");  // shown from the checked value, never 3106.1
    EXPECT_EQ(CommitEncodeTone("x"), "288.5");
    EXPECT_EQ(CommitEncodeTone(""), "");
}

TEST(EncodePage, IntervalAndRiseDelayUpDownsWrap) {
    EXPECT_EQ(StepToneInterval(2000, 1), 0);
    EXPECT_EQ(StepToneInterval(0, -1), 2000);
    EXPECT_EQ(StepToneInterval(100, 1), 200);
    EXPECT_EQ(StepRiseDelay(1000, -1), 100);  // the upper arrow reports -1
    EXPECT_EQ(StepRiseDelay(100, 1), 1000);
    EXPECT_EQ(StepRiseDelay(200, -1), 250);
}

// --- Channel signalling -----------------------------------------------------

TEST(ChannelSignalling, NoTypeWritesF7) {
    EXPECT_EQ(SignallingTypeIndex(0x00), -1);
    EXPECT_EQ(StoreSignallingType(0x00, -1), 0xF7);
}

TEST(ChannelSignalling, TwoToneChannelOpensWithCallAndDecode) {
    EXPECT_EQ(SignallingTypeIndex(0x38), 3);
    EXPECT_EQ(CallText(0x38, 0x45), "6");
    EXPECT_EQ(DecodeText(0x38, 0x45), "3");
    EXPECT_EQ(CallText(0x08, 0x45), "NO");
    EXPECT_EQ(DecodeText(0x08, 0x45), "NO");
}

TEST(ChannelSignalling, ChoosingDtmfKeepsTheCallAndDecodeBits) {
    EXPECT_EQ(StoreSignallingType(0x38, 1), 0x32);
    EXPECT_EQ(StoreSignallingType(0x38, 0), 0x31);
    EXPECT_EQ(StoreSignallingType(0x31, 3), 0x38);
}

TEST(ChannelSignalling, CallNoAndDecodeEightStoreAsTheDialogCloses) {
    Byte signalling = 0x38;
    Byte twoTone = 0x45;
    StoreCallDecode("NO", "8", signalling, twoTone);
    EXPECT_EQ(signalling, 0x28);
    EXPECT_EQ(twoTone, 0xE5);
    StoreCallDecode("40", "99", signalling, twoTone);  // held at 32 and 8
    EXPECT_EQ(signalling, 0x38);
    EXPECT_EQ(twoTone, 0xFF);
    StoreCallDecode("0", "", signalling, twoTone);
    EXPECT_EQ(signalling, 0x08);
}

struct StepCase {
    const char* text;
    int step;
    int limit;
    const char* result;
};
class CallDecodeStep : public ::testing::TestWithParam<StepCase> {};
TEST_P(CallDecodeStep, CyclesThroughNo) {
    EXPECT_EQ(StepCallDecode(GetParam().text, GetParam().step, GetParam().limit), GetParam().result);
}
INSTANTIATE_TEST_SUITE_P(Cases, CallDecodeStep,
                         ::testing::Values(StepCase{"32", 1, 32, "NO"}, StepCase{"NO", 1, 32, "1"},
                                           StepCase{"1", -1, 32, "NO"}, StepCase{"NO", -1, 32, "32"},
                                           StepCase{"NO", -1, 8, "8"}, StepCase{"8", 1, 8, "NO"},
                                           StepCase{"5", -1, 8, "4"}, StepCase{"12", -1, 8, "8"}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace vel
