// Velmar_V: 128 channels with names in a 4096-byte image, English and Chinese
// interface, two-tone signalling bits in the signalling byte.

#include "image/family.h"
#include "image/family_parts.h"

namespace vel {
namespace {

using namespace parts;

constexpr double kTwelfth = 0.8333333333333334;  // the layout's w ÷ 1.2, written as a product

std::vector<Column> Columns() {
    std::vector<Column> c;
    c.push_back(NumberColumn({"CH", "频道"}, 0.6, 1, true, false));
    c.push_back(FrequencyColumn(ColumnKind::RxFrequency, {"Receive(MHz)", "接收频率"}, 1.2, 1, true, false));
    c.push_back(FrequencyColumn(ColumnKind::TxFrequency, {"Transmit(MHz)", "发射频率"}, 1.2, 1, true, false));
    c.push_back(ToneColumn(ColumnKind::RxTone, {"Rx Tone", "接收信令"}, kTwelfth, 1, true, false));
    c.push_back(ToneColumn(ColumnKind::TxTone, {"Tx Tone", "发射信令"}, kTwelfth, 1, true, false));
    c.push_back(ListColumn({" W/N ", " 宽/窄"}, kTwelfth, 1, true, false, Items(std::vector<Text>{{"Wide", "宽"}, {"Narrow", "窄"}}),
                           Codec(13, 0x10, {0x10, 0x00}, 0x00), {"Wide", "宽"}, 61452));
    c.push_back(ListColumn({"Scan", "扫描添加"}, kTwelfth, 1, true, false, Items(std::vector<Text>{{"Yes", "是"}, {"No", "否"}}),
                           Codec(13, 0x08, {0x08, 0x00}, 0x00), {"Yes", "是"}, 61450));
    c.push_back(ListColumn({"Tx Power", "发射功率"}, kTwelfth, 1, true, false, Items(std::vector<Text>{{"Low", "低"}, {"High", "高"}}),
                           Codec(13, 0x20, {0x00, 0x20}, 0x00), {"High", "高"}, 61449));
    // Any text other than the four signalling types rewrites the whole byte.
    ListCodec signalling = Codec(12, 0x0F, {0x01, 0x02, 0x04, 0x08}, 0x00);
    signalling.storeOtherWholeByte = 0xF7;
    c.push_back(ListColumn({" Opt Signal", " 可选信令"}, 1, 1, true, false,
                           Items(std::vector<std::string>{"PDC1200", "DTMF", "5-Tone", "2-Tone"}), signalling, Same("DTMF"),
                           61448));
    c.push_back(ListColumn({"PTTID", "PTTID"}, 1, 1, true, false, Items(std::vector<Text>{{"OFF", "关"}, {"ON", "开"}}),
                           Codec(12, 0x40, {0x00, 0x40}, 0x00), {"ON", "开"}, 61451));
    // Both lock bits set reads as "Close"; any unknown text stores "QT/DQT".
    c.push_back(ListColumn({"BusyLock", "繁忙锁定"}, kTwelfth, 1, true, false,
                           Items(std::vector<Text>{{"Close", "关闭"}, {"Carrier", "载波"}, Same("QT/DQT")}),
                           Codec(13, 0x06, {0x00, 0x02, 0x04}, 0x04, {{0x06, 0}}), {"Close", "关闭"}, 61453));
    Column name = NumberColumn({"Name", "名称"}, 1, 1, true, false);
    name.kind = ColumnKind::Name;
    name.editorId = 61454;
    c.push_back(name);
    Column more = NumberColumn({"More", "更多"}, 1, 1, true, false);
    more.kind = ColumnKind::More;
    more.newChannelDefault = Same(">>");
    more.editorId = 1007;
    c.push_back(more);
    c[5].role = ChannelRole::Bandwidth;
    c[6].role = ChannelRole::Scan;
    c[7].role = ChannelRole::Power;
    return c;
}

std::vector<FormField> Form() {
    std::vector<FormField> f;
    f.push_back({1017, {"Type", "机型"}, Items(std::vector<std::string>{"VM - K10", "VM - K20", "VM - K30"}),
                 ByteIndexCodec{0x80B, 0x38, 1, 1, 0, 0x3A, 0}, 0, 0, false, 0});
    f.push_back({1011, {"Field", "频段"}, Items(BandTexts128()), ByteIndexCodec{0x80A, 0xEE, 1, 1, 0xEE, 0xF7, 0}, 2, 2,
                 false, 0});
    f.push_back({1018, {"Tx Power Rank", "发射功率等级"}, Items(Digits0To9()), ByteIndexCodec{0x819, 0, 1, 1, 0, 9, 0}, 9, 9,
                 false, 0});
    // "Open" is the set bit.
    f.push_back({1019, Text{"Manul Setting", "手动设置"}, {{Text{"Open", "打开"}, 1}, {Text{"Close", "关闭"}, 0}},
                 BitCodec{0x812, 0x80, false},
                 std::nullopt, std::nullopt, false, 0});
    return f;
}

std::vector<ByteWrite> NewDocument() {
    std::vector<ByteWrite> w;
    w.push_back({0x80A, {0xF0, 0x38}});
    w.push_back({0x810, {0xC0, 0xA8, 0xC4, 0x05, 0x00, 0x00, 0x03, 0x04, 0x00, 0x09, 0x01}});
    w.push_back({0x81D, {0x00}});
    w.push_back({0xE00, std::vector<Byte>(0x80, 0x00)});
    std::vector<Byte> timing;
    for (int g = 0; g < 8; ++g) timing.insert(timing.end(), {0x10, 0x10, 0x10, 0x10, 0x08, 0x08, 0x08, 0x08});
    w.push_back({0xE80, timing});
    w.push_back({0xEC0, {0x05, 0x06, 0x07, 0x00, 0x64, 0x00, 0xC8}});
    // The loop runs one row past the channel area and so also clears 0x80C,
    // 0x80E and 0x80F.
    for (int n = 0; n <= 128; ++n) {
        w.push_back({16 * n + 12, {0x00}});
        w.push_back({16 * n + 14, {0x00, 0x00}});
    }
    return w;
}

FrequencyRule Frequencies() {
    FrequencyRule r;
    r.lo = 6700000;
    r.hi = 52100000;
    r.steps = {625, 500, 250};
    r.rangeMessage = {"Error Data Format，Please input again", "输入数据错误，请按正确的格式及大小重新输入"};
    r.stepMessage = {"Error data Value，Please input according the step value(6.25K/5k/2.5k)",
                     "输入数据错误，请按6.25K/5k/2.5k的倍数重新输入"};
    r.stepMessageOnEnter = {"Error data Value，Please input according the step value(6.25K/5k/2.5k)",
                            "输入数据错误，请按6.25K/5k/2.5K的倍数重新输入"};
    return r;
}

Family Make() {
    Family f{};
    f.id = FamilyId::Velmar_V;
    f.name = "Velmar_V";
    f.imageSize = 4096;
    f.channelCount = 128;
    f.firstRecordAddr = 0x000;
    f.nameAddr = 0x850;
    f.nameEditLimit = 6;
    f.bilingual = true;
    f.columns = Columns();
    f.storeOrder = {1, 2, 3, 4, 8, 7, 6, 5, 9, 10, 11};
    f.form = Form();
    f.storeConstants = {{0x811, {0xA8}}};
    f.newDocument = NewDocument();
    f.frequencyRule = Frequencies();
    f.toneCommit = ToneCommit::SelectedEntry;
    f.toneOffShownWhenInUse = true;
    f.tonesShownWhenNotInUse = false;
    f.newChannelFirstEmptyColumns = 5;
    f.deleteFromColumn = 5;

    ProtocolParams& p = f.protocol;
    p.writeBlocks = 508;
    p.readBlocks = 508;
    p.typeByteAddress = 0x081B;
    p.pumpRoundsAfterWriteBlock = 21;
    p.pumpRoundsAfterReadBlock = 19;
    p.pauseAfterReadBlockMs = 5;
    p.progressMax = 505;
    p.stepBelowWrite = 507;
    p.stepBelowRead = 507;
    p.endPositionWrite = 507;
    p.endPositionRead = 507;
    p.replyBufferFill = 0x00;
    p.waitingStatusBeforeWakeup = true;
    p.cancelOnDeactivateOrMove = true;
    p.dataPasswordCheck = false;
    p.testModeBase = TestModeBase::FieldList;
    p.messageLanguage = MessageLanguage::ByInterface;

    FamilyTexts& t = f.texts;
    t.pleaseInputNumber = {"Please input Number", "请输入数字"};
    t.editDataMessage = {"Please directly double click inside the table", "请直接在右边的表格双击"};
    t.hintOverList = {"Please click the CommBox to choose value，For help，please press F1",
                      "请点击组合框右边的箭头按钮以进行选择"};
    t.hintOverGrid = {"Please Click the cell to edit or input data，For help，please press F1",
                      "请单击格子进入编辑状态或直接输入数字,如需帮助，请按F1键"};
    t.hintElsewhere = {"For help，please press F1", "如需帮助，请按F1键"};
    t.typeSettingGroup = {"Type Setting", "整机设置"};

    AppInfo& a = f.app;
    a.documentString = Same(
        "Velmar Programing Software\n\nWrite Data\nChannel Data (*.sin)\n.sin\nDocket4.Document\nDocket4 Document");
    a.windowTitle = Same("Velmar Programing Software");
    a.aboutMenuItem = Same("&About Velmar-2.0...");
    a.windowWidth = 1024;
    a.windowHeight = 768;
    a.windowX = 60;
    a.windowY = 0;
    return f;
}

}  // namespace

const Family& VelmarVFamily() {
    static const Family family = Make();
    return family;
}

}  // namespace vel
