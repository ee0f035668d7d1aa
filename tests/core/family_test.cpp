// Registry, shapes, new-document bytes, protocol parameters and layout of the
// six family descriptors, each checked against values written out by hand.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "family_cases.h"
#include "image/family.h"

namespace vel {
namespace {

using namespace testing_support;

// ---------------------------------------------------------------------------
// Registry and shape
// ---------------------------------------------------------------------------

struct ShapeCase {
    FamilyId id;
    const char* name;
    int imageSize;
    int channels;
    int columns;
    int firstRecord;
    int lastRecord;
    int nameAddr;  // -1: no names
    std::optional<Lang> fixedLang;
};

class FamilyShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(FamilyShape, MatchesTheRadio) {
    const ShapeCase c = GetParam();
    const Family& f = GetFamily(c.id);
    EXPECT_EQ(f.id, c.id);
    EXPECT_EQ(f.name, c.name);
    EXPECT_EQ(FindFamily(c.name), &f);
    EXPECT_EQ(f.imageSize, c.imageSize);
    EXPECT_EQ(f.channelCount, c.channels);
    EXPECT_EQ(f.columnCount(), c.columns);
    EXPECT_EQ(f.recordAddr(1), c.firstRecord);
    EXPECT_EQ(f.recordAddr(c.channels), c.lastRecord);
    EXPECT_EQ(f.nameAddr.value_or(-1), c.nameAddr);
    EXPECT_EQ(f.fixedLang, c.fixedLang);
    EXPECT_EQ(f.bilingual, c.id == FamilyId::Velmar_V);
    EXPECT_EQ(static_cast<int>(NewDocumentImage(f).size()), c.imageSize);
    // Every record lies inside the image.
    EXPECT_LE(f.recordAddr(c.channels) + 16, c.imageSize);
}

INSTANTIATE_TEST_SUITE_P(
    All, FamilyShape,
    ::testing::Values(ShapeCase{FamilyId::Velmar_V, "Velmar_V", 4096, 128, 13, 0x000, 0x7F0, 0x850, std::nullopt},
                      ShapeCase{FamilyId::VM_CH128, "VM_CH128", 3168, 128, 12, 0x000, 0x7F0, 0x850, Lang::English},
                      ShapeCase{FamilyId::VM_CH118, "VM_CH118", 2048, 118, 11, 0x000, 0x750, -1, Lang::English},
                      ShapeCase{FamilyId::Marlowe, "Marlowe", 1024, 16, 9, 0x010, 0x100, -1, Lang::English},
                      ShapeCase{FamilyId::VM_CH16, "VM_CH16", 1024, 16, 7, 0x010, 0x100, -1, Lang::English},
                      ShapeCase{FamilyId::VM_CH16_CN, "VM_CH16_CN", 1024, 16, 7, 0x010, 0x100, -1, Lang::Chinese}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FamilyRegistry, ListsSixDistinctFamiliesAndFindsOnlyExactNames) {
    ASSERT_EQ(AllFamilies().size(), 6u);
    std::set<std::string> names;
    for (const Family* f : AllFamilies()) names.insert(f->name);
    EXPECT_EQ(names.size(), 6u);
    EXPECT_EQ(FindFamily("vm_ch16"), nullptr);
    EXPECT_EQ(FindFamily("VM_CH16 "), nullptr);
    EXPECT_EQ(FindFamily(""), nullptr);
}

TEST(FamilyRegistry, FieldLookupFindsControlsAndNothingElse) {
    EXPECT_NE(VelmarVFamily().field(1011), nullptr);
    EXPECT_EQ(VelmarVFamily().field(1074), nullptr);
    ASSERT_NE(MarloweFamily().field(1074), nullptr);
    EXPECT_TRUE(MarloweFamily().field(1074)->isEdit());
    EXPECT_NE(VmCh16CnFamily().field(1020), nullptr);  // the Chinese Vox list has its own identifier
    EXPECT_EQ(VmCh16CnFamily().field(1074), nullptr);
    EXPECT_NE(VmCh16Family().field(1074), nullptr);
}

// ---------------------------------------------------------------------------
// New document, byte for byte
// ---------------------------------------------------------------------------

/// Expected new-document bytes that are not 0xFF, written out from the lists.
std::map<int, Byte> ExpectedNewDocument(FamilyId id) {
    std::map<int, Byte> e;
    auto put = [&](int addr, std::vector<Byte> bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i) e[addr + static_cast<int>(i)] = bytes[i];
    };
    switch (id) {
        case FamilyId::Velmar_V:
            put(0x80A, {0xF0, 0x38});
            put(0x810, {0xC0, 0xA8, 0xC4, 0x05, 0x00, 0x00, 0x03, 0x04, 0x00, 0x09, 0x01});
            put(0x81D, {0x00});
            for (int a = 0xE00; a <= 0xE7F; ++a) e[a] = 0x00;
            for (int g = 0; g < 8; ++g) put(0xE80 + 8 * g, {0x10, 0x10, 0x10, 0x10, 0x08, 0x08, 0x08, 0x08});
            put(0xEC0, {0x05, 0x06, 0x07, 0x00, 0x64, 0x00, 0xC8});
            for (int n = 0; n < 128; ++n) {
                e[16 * n + 12] = 0x00;
                e[16 * n + 14] = 0x00;
                e[16 * n + 15] = 0x00;
            }
            put(0x80C, {0x00});  // row 0x80 is cleared by the same loop
            put(0x80E, {0x00, 0x00});
            break;
        case FamilyId::VM_CH128:
            put(0x80A, {0xF0, 0x39});
            put(0x810, {0xC0, 0xA8, 0xC4, 5, 0, 0, 3, 4, 0, 9, 0, 0});
            put(0x81D, {0});
            break;
        case FamilyId::VM_CH118:
            put(0x7D0, {0, 0, 0xF8, 5, 0, 0, 3, 9, 0, 0, 0xF0, 0x38, 0x38, 0x32, 0x33, 0x50});
            break;
        case FamilyId::Marlowe:
            put(0x3C0, {0x2F, 5, 3, 0});
            put(0x3C5, {0x12, 0x78, 0, 1, 0, 0});
            put(0x3D2, {0xEE, 0x37});
            for (int n = 1; n <= 16; ++n) e[16 * n + 12] = 0xFB;
            break;
        case FamilyId::VM_CH16:
        case FamilyId::VM_CH16_CN:
            put(0x3C0, {0xF7, 5, 3, 0});
            put(0x3C5, {0x0A});
            put(0x3C8, {1, 0, 0});
            put(0x3D2, {0xF5, 0x37});
            put(0x01C, {0xFB});
            break;
    }
    return e;
}

class NewDocument : public ::testing::TestWithParam<FamilyId> {};

TEST_P(NewDocument, IsAllFFExceptTheListedDefaults) {
    const FamilyId id = GetParam();
    const Image img = NewDocumentImage(GetFamily(id));
    const std::map<int, Byte> expected = ExpectedNewDocument(id);
    for (int a = 0; a < static_cast<int>(img.size()); ++a) {
        const auto it = expected.find(a);
        const Byte want = it == expected.end() ? 0xFF : it->second;
        EXPECT_EQ(img[static_cast<std::size_t>(a)], want) << "address 0x" << std::hex << a;
    }
}

INSTANTIATE_TEST_SUITE_P(All, NewDocument, ::testing::ValuesIn(AllIds()),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

TEST(NewDocumentEdges, VelmarVKeeps0x80DAnd0x81BAnd0x81CAsTheListsSay) {
    const Image img = NewDocumentImage(VelmarVFamily());
    EXPECT_EQ(img[0x80D], 0xFF);
    EXPECT_EQ(img[0x81B], 0xFF);
    EXPECT_EQ(img[0x81C], 0xFF);
    EXPECT_EQ(img[0x80F], 0x00);
    EXPECT_EQ(img[0x81A], 0x01);
}

TEST(NewDocumentEdges, FileOnlyRowOfVmCh128StaysFF) {
    const Image img = NewDocumentImage(VmCh128Family());
    for (int a = 0xC50; a <= 0xC5F; ++a) EXPECT_EQ(img[static_cast<std::size_t>(a)], 0xFF);
}

// ---------------------------------------------------------------------------
// Protocol parameters
// ---------------------------------------------------------------------------

struct ProtocolCase {
    FamilyId id;
    int writeBlocks, readBlocks, typeByte, pumpWrite, pumpRead, pauseMs, progressMax;
    int stepWrite, stepRead, endWrite, endRead;
    Byte fill;
    bool waitingBefore, cancelOnMove, password;
    TestModeBase base;
    MessageLanguage language;
    int lastWritten, lastRead;  // last image address of each session
};

class Protocol : public ::testing::TestWithParam<ProtocolCase> {};

TEST_P(Protocol, MatchesTheFamilyTable) {
    const ProtocolCase c = GetParam();
    const ProtocolParams& p = GetFamily(c.id).protocol;
    EXPECT_EQ(p.writeBlocks, c.writeBlocks);
    EXPECT_EQ(p.readBlocks, c.readBlocks);
    EXPECT_EQ(p.writeBytes() - 1, c.lastWritten);
    EXPECT_EQ(p.readBytes() - 1, c.lastRead);
    EXPECT_EQ(p.typeByteAddress, c.typeByte);
    EXPECT_EQ(p.pumpRoundsAfterWriteBlock, c.pumpWrite);
    EXPECT_EQ(p.pumpRoundsAfterReadBlock, c.pumpRead);
    EXPECT_EQ(p.pauseAfterReadBlockMs, c.pauseMs);
    EXPECT_EQ(p.progressMax, c.progressMax);
    EXPECT_EQ(p.stepBelowWrite, c.stepWrite);
    EXPECT_EQ(p.stepBelowRead, c.stepRead);
    EXPECT_EQ(p.endPositionWrite, c.endWrite);
    EXPECT_EQ(p.endPositionRead, c.endRead);
    EXPECT_EQ(p.replyBufferFill, c.fill);
    EXPECT_EQ(p.waitingStatusBeforeWakeup, c.waitingBefore);
    EXPECT_EQ(p.cancelOnDeactivateOrMove, c.cancelOnMove);
    EXPECT_EQ(p.dataPasswordCheck, c.password);
    EXPECT_EQ(p.testModeBase, c.base);
    EXPECT_EQ(p.messageLanguage, c.language);
    // A session never runs past the image.
    EXPECT_LE(p.readBytes(), GetFamily(c.id).imageSize);
    EXPECT_LT(p.typeByteAddress, p.writeBytes());
}

using TB = TestModeBase;
using ML = MessageLanguage;
INSTANTIATE_TEST_SUITE_P(
    All, Protocol,
    ::testing::Values(
        ProtocolCase{FamilyId::Velmar_V, 508, 508, 0x81B, 21, 19, 5, 505, 507, 507, 507, 507, 0x00, true, true, false,
                     TB::FieldList, ML::ByInterface, 0x0FDF, 0x0FDF},
        ProtocolCase{FamilyId::VM_CH128, 394, 394, 0x81B, 21, 19, 5, 394, 394, 394, 394, 394, 0x6D, true, true, false,
                     TB::FieldList, ML::English, 0x0C4F, 0x0C4F},
        ProtocolCase{FamilyId::VM_CH118, 252, 256, 0x7DB, 201, 199, 5, 255, 250, 251, 252, 255, 0x00, true, true, false,
                     TB::FieldList, ML::English, 0x07DF, 0x07FF},
        ProtocolCase{FamilyId::Marlowe, 123, 128, 0x3D3, 201, 199, 20, 123, 122, 123, 123, 123, 0x00, false, false, true,
                     TB::Fixed450, ML::English, 0x03D7, 0x03FF},
        ProtocolCase{FamilyId::VM_CH16, 123, 128, 0x3D3, 201, 199, 20, 123, 122, 123, 123, 123, 0x00, false, false, false,
                     TB::Fixed450, ML::English, 0x03D7, 0x03FF},
        ProtocolCase{FamilyId::VM_CH16_CN, 123, 128, 0x3D3, 201, 199, 20, 123, 122, 123, 123, 123, 0x00, false, false,
                     false, TB::FieldList, ML::Chinese, 0x03D7, 0x03FF}),
    [](const auto& info) { return std::string(NameOf(info.param.id)); });

// ---------------------------------------------------------------------------
// Grid layout
// ---------------------------------------------------------------------------

struct LayoutCase {
    FamilyId id;
    int w;
    std::vector<int> widths;
    bool centred;
    bool top;
    double rowHeight;
};

class Layout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(Layout, WidthsAlignmentAndRowHeight) {
    const LayoutCase c = GetParam();
    const Family& f = GetFamily(c.id);
    ASSERT_EQ(f.columnCount(), static_cast<int>(c.widths.size()));
    for (int col = 0; col < f.columnCount(); ++col) {
        EXPECT_EQ(ColumnWidth(f, col, c.w), c.widths[static_cast<std::size_t>(col)]) << "column " << col;
        EXPECT_EQ(f.columns[static_cast<std::size_t>(col)].centred, c.centred) << "column " << col;
        EXPECT_EQ(f.columns[static_cast<std::size_t>(col)].alignTop, c.top) << "column " << col;
    }
    EXPECT_EQ(f.rowHeightFactor, c.rowHeight);
}

INSTANTIATE_TEST_SUITE_P(
    All, Layout,
    ::testing::Values(
        LayoutCase{FamilyId::Velmar_V, 1000, {600, 1200, 1200, 833, 833, 833, 833, 833, 1000, 1000, 833, 1000, 1000},
                   true, false, 0},
        LayoutCase{FamilyId::Velmar_V, 1537, {922, 1844, 1844, 1280, 1280, 1280, 1280, 1280, 1537, 1537, 1280, 1537, 1537},
                   true, false, 0},
        LayoutCase{FamilyId::VM_CH128, 1000, {400, 1200, 1200, 833, 833, 714, 714, 714, 1000, 714, 833, 833}, false,
                   false, 0},
        LayoutCase{FamilyId::VM_CH118, 1000, {400, 1200, 1200, 714, 714, 714, 714, 714, 1000, 714, 833}, false, false,
                   0},
        LayoutCase{FamilyId::Marlowe, 1000, {500, 1250, 1250, 1000, 1000, 833, 833, 833, 833}, true, true, 0.95},
        LayoutCase{FamilyId::VM_CH16, 1000, {500, 1250, 1250, 1000, 1000, 714, 588}, false, false, 0.95},
        LayoutCase{FamilyId::VM_CH16_CN, 1000, {500, 1250, 1250, 1000, 1000, 714, 588}, false, false, 0.95}),
    [](const auto& info) { return std::string(NameOf(info.param.id)) + "_w" + std::to_string(info.param.w); });

// ---------------------------------------------------------------------------
// Headers in the interface languages
// ---------------------------------------------------------------------------

struct HeaderCase {
    FamilyId id;
    Lang lang;
    std::vector<std::string> headers;
};

class Headers : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(Headers, ReadAsListed) {
    const HeaderCase c = GetParam();
    const Family& f = GetFamily(c.id);
    ASSERT_EQ(f.columnCount(), static_cast<int>(c.headers.size()));
    for (int col = 0; col < f.columnCount(); ++col) {
        EXPECT_EQ(f.columns[static_cast<std::size_t>(col)].header.in(f.uiLang(c.lang)),
                  c.headers[static_cast<std::size_t>(col)]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    All, Headers,
    ::testing::Values(
        HeaderCase{FamilyId::Velmar_V, Lang::English,
                   {"CH", "Receive(MHz)", "Transmit(MHz)", "Rx Tone", "Tx Tone", " W/N ", "Scan", "Tx Power", " Opt Signal",
                    "PTTID", "BusyLock", "Name", "More"}},
        HeaderCase{FamilyId::Velmar_V, Lang::Chinese,
                   {"频道", "接收频率", "发射频率", "接收信令", "发射信令", " 宽/窄", "扫描添加", "发射功率", " 可选信令",
                    "PTTID", "繁忙锁定", "名称", "更多"}},
        HeaderCase{FamilyId::VM_CH128, Lang::Chinese,  // one language whatever is asked
                   {"CH", "Receive(MHz)", "Transmit(MHz)", "Rx Tone", "Tx Tone", " W/N ", "Scan", "Tx Power", " Opt Signal",
                    "PTTID", "BusyLock", "Name"}},
        HeaderCase{FamilyId::VM_CH118, Lang::English,
                   {"CH", "Receive(MHz)", "Transmit(MHz)", "Rx Tone", "Tx Tone", " W/N ", "Scan", "Tx Power", " Opt Signal",
                    "PTTID", "BusyLock"}},
        HeaderCase{FamilyId::Marlowe, Lang::English,
                   {"CH", "Receive(MHz)", "Transmit(MHz)", "Rx Tone", "Tx Tone", "Busy", "TX Power", "W/N", "Scan/Add"}},
        HeaderCase{FamilyId::VM_CH16, Lang::English,
                   {"CH", "Receive(MHz)", "Transmit(MHz)", "Rx Tone", "Tx Tone", "Busy", ""}},
        HeaderCase{FamilyId::VM_CH16_CN, Lang::English,
                   {"信道", "接收频率", "发射频率", "接收信令", "发射信令", "是否禁发", ""}}),
    [](const auto& info) {
        return std::string(NameOf(info.param.id)) + (info.param.lang == Lang::English ? "_en" : "_ch");
    });

// ---------------------------------------------------------------------------
// Texts the windows read
// ---------------------------------------------------------------------------

struct TextCase {
    FamilyId id;
    Lang lang;
    std::string pleaseInputNumber, rangeMessage, stepMessage, stepOnEnter, hintGrid, title;
    int width, height;
};

class WindowTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(WindowTexts, AreTheFamilysOwn) {
    const TextCase c = GetParam();
    const Family& f = GetFamily(c.id);
    const Lang ui = f.uiLang(c.lang);
    EXPECT_EQ(f.texts.pleaseInputNumber.in(ui), c.pleaseInputNumber);
    EXPECT_EQ(f.frequencyRule.rangeMessage.in(ui), c.rangeMessage);
    EXPECT_EQ(f.frequencyRule.stepMessage.in(ui), c.stepMessage);
    EXPECT_EQ(f.frequencyRule.stepMessageOnEnter.in(ui), c.stepOnEnter);
    EXPECT_EQ(f.texts.hintOverGrid.in(ui), c.hintGrid);
    EXPECT_EQ(f.app.windowTitle.in(ui), c.title);
    EXPECT_EQ(f.app.windowWidth, c.width);
    EXPECT_EQ(f.app.windowHeight, c.height);
}

const std::string kRangeEn = "Error Data Format，Please input again";
const std::string kRangeCh = "输入数据错误，请按正确的格式及大小重新输入";
const std::string kStep3 = "Error data Value，Please input according the step value(6.25K/5k/2.5k)";
const std::string kStep2 = "Error data Value，Please input according the step value(6.25K/5k)";
const std::string kGridEn = "Please Click the cell to edit or input data，For help，please press F1";

INSTANTIATE_TEST_SUITE_P(
    All, WindowTexts,
    ::testing::Values(
        TextCase{FamilyId::Velmar_V, Lang::English, "Please input Number", kRangeEn, kStep3, kStep3, kGridEn,
                 "Velmar Programing Software", 1024, 768},
        TextCase{FamilyId::Velmar_V, Lang::Chinese, "请输入数字", kRangeCh, "输入数据错误，请按6.25K/5k/2.5k的倍数重新输入",
                 "输入数据错误，请按6.25K/5k/2.5K的倍数重新输入", "请单击格子进入编辑状态或直接输入数字,如需帮助，请按F1键",
                 "Velmar Programing Software", 1024, 768},
        TextCase{FamilyId::VM_CH128, Lang::Chinese, "Please input Number", kRangeEn, kStep3, kStep3, kGridEn, "", 800, 1100},
        TextCase{FamilyId::VM_CH118, Lang::English, "Please input Number", kRangeEn, kStep2, kStep2, kGridEn,
                 "Velmar Electronics  Programing Software", 800, 1100},
        TextCase{FamilyId::Marlowe, Lang::English, "Please input Number", kRangeEn, kStep2, kStep2, kGridEn,
                 "Velmar Radio Programming Software", 800, 1100},
        TextCase{FamilyId::VM_CH16, Lang::English, "Please input Number", kRangeEn, kStep2, kStep2, kGridEn,
                 "Velmar Serials Radio Programing Software", 800, 1100},
        TextCase{FamilyId::VM_CH16_CN, Lang::English, "请输入数字", kRangeCh, "输入数据错误，请按6.25K或 5k的倍数重新输入",
                 "输入数据错误，请按6.25K或 5k的倍数重新输入", "请点击组合框右边的箭头按钮以进行选择，如需帮助，请按F1键",
                 "VM系列专业手持对讲机写频软件", 800, 700}),
    [](const auto& info) {
        return std::string(NameOf(info.param.id)) + (info.param.lang == Lang::English ? "_en" : "_ch");
    });

TEST(WindowTexts, OnlyVmCh128TakesItsTitleFromTheConfiguration) {
    for (const Family* f : AllFamilies()) {
        EXPECT_EQ(f->app.titleFromConfig, f->id == FamilyId::VM_CH128) << f->name;
        EXPECT_EQ(f->app.iconFromFile, f->id == FamilyId::VM_CH128) << f->name;
        // The document string's first part is the window title.
        if (!f->app.titleFromConfig) {
            const std::string& doc = f->app.documentString.en;
            EXPECT_EQ(doc.substr(0, doc.find('\n')), f->app.windowTitle.en) << f->name;
        }
    }
}

}  // namespace
}  // namespace vel
