// VM_CH128: 128 channels with names, English only; the image keeps one
// file-only row behind the 197 rows exchanged with the radio. Title and about
// texts come from the configuration file.

#include "image/family.h"
#include "image/family_parts.h"

namespace vel {
namespace {

using namespace parts;

std::vector<Column> Columns() {
    // Left-aligned throughout; w ÷ 1.2 and w ÷ 1.4 are divisions in this layout.
    std::vector<Column> c;
    c.push_back(NumberColumn(Same("CH"), 0.4, 1, false, false));
    c.push_back(FrequencyColumn(ColumnKind::RxFrequency, Same("Receive(MHz)"), 1.2, 1, false, false));
    c.push_back(FrequencyColumn(ColumnKind::TxFrequency, Same("Transmit(MHz)"), 1.2, 1, false, false));
    c.push_back(ToneColumn(ColumnKind::RxTone, Same("Rx Tone"), 1, 1.2, false, false));
    c.push_back(ToneColumn(ColumnKind::TxTone, Same("Tx Tone"), 1, 1.2, false, false));
    c.push_back(ListColumn(Same(" W/N "), 1, 1.4, false, false, Items(std::vector<std::string>{"Wide", "Narrow"}),
                           Codec(13, 0x10, {0x10, 0x00}, 0x00), Same("Wide"), 61452));
    c.push_back(ListColumn(Same("Scan"), 1, 1.4, false, false, Items(std::vector<std::string>{"Yes", "No"}),
                           Codec(13, 0x08, {0x08, 0x00}, 0x00), Same("Yes"), 61450));
    c.push_back(ListColumn(Same("Tx Power"), 1, 1.4, false, false, Items(std::vector<std::string>{"Low", "High"}),
                           Codec(13, 0x20, {0x00, 0x20}, 0x00), Same("High"), 61449));
    // The whole signalling byte is the code; an unknown text stores "None".
    c.push_back(ListColumn(Same(" Opt Signal"), 1, 1, false, false,
                           Items(std::vector<std::string>{"None", "DTMF", "FleetSync"}), Codec(12, 0xFF, {0, 2, 4}, 0),
                           Same("DTMF"), 61448));
    c.push_back(ListColumn(Same("PTTID"), 1, 1.4, false, false, Items(std::vector<std::string>{"OFF", "ON"}),
                           Codec(14, 0x01, {0x00, 0x01}, 0x00), Same("ON"), 61451));
    c.push_back(ListColumn(Same("BusyLock"), 1, 1.2, false, false,
                           Items(std::vector<std::string>{"Close", "Carrier", "QT/DQT"}),
                           Codec(13, 0x06, {0x00, 0x02, 0x04}, 0x04, {{0x06, 0}}), Same("Close"), 61453));
    Column name = NumberColumn(Same("Name"), 1, 1.2, false, false);
    name.kind = ColumnKind::Name;
    name.editorId = 61454;
    c.push_back(name);
    c[5].role = ChannelRole::Bandwidth;
    c[6].role = ChannelRole::Scan;
    c[7].role = ChannelRole::Power;
    return c;
}

std::vector<FormField> Form() {
    std::vector<FormField> f;
    f.push_back({1017, Same("Type"), Items(std::vector<std::string>{"VM - K10", "VM - K20", "VM - K30"}),
                 ByteIndexCodec{0x80B, 56, 1, 1, 0, 58, 0}, 0, 0, false, 0});
    f.push_back({1011, Same("Field"), Items(BandTexts128()), ByteIndexCodec{0x80A, 238, 1, 1, 238, 247, 0}, 2, 2, false, 0});
    f.push_back({1018, Same("Tx Power Rank"), Items(Digits0To9()), ByteIndexCodec{0x819, 0, 1, 1, 0, 9, 0}, 9, 9, true, 0});
    f.push_back({1019, Same("Manul Setting:"), {{Same("Open"), 1}, {Same("Close"), 0}}, BitCodec{0x812, 0x80, false},
                 std::nullopt, std::nullopt, false, 0});
    return f;
}

Family Make() {
    Family f{};
    f.id = FamilyId::VM_CH128;
    f.name = "VM_CH128";
    f.imageSize = 3168;
    f.channelCount = 128;
    f.firstRecordAddr = 0x000;
    f.nameAddr = 0x850;
    f.nameEditLimit = 6;
    f.fixedLang = Lang::English;
    f.columns = Columns();
    f.storeOrder = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    f.form = Form();
    f.storeConstants = {{0x811, {0xA8}}};
    f.newDocument = {{0x80A, {0xF0, 0x39}},
                     {0x810, {0xC0, 0xA8, 0xC4, 5, 0, 0, 3, 4, 0, 9, 0, 0}},
                     {0x81D, {0x00}}};
    f.frequencyRule = EnglishFrequencyRule(6700000, 52100000, {625, 500, 250},
                                           "Error data Value，Please input according the step value(6.25K/5k/2.5k)");
    f.toneCommit = ToneCommit::ExactOrOff;
    f.toneOffShownWhenInUse = true;
    f.tonesShownWhenNotInUse = true;
    f.newChannelFirstEmptyColumns = 5;
    f.deleteFromColumn = 5;

    ProtocolParams& p = f.protocol;
    p.writeBlocks = 394;
    p.readBlocks = 394;
    p.typeByteAddress = 0x081B;
    p.pumpRoundsAfterWriteBlock = 21;
    p.pumpRoundsAfterReadBlock = 19;
    p.pauseAfterReadBlockMs = 5;
    p.progressMax = 394;
    p.stepBelowWrite = 394;
    p.stepBelowRead = 394;
    p.endPositionWrite = 394;
    p.endPositionRead = 394;
    p.replyBufferFill = 0x6D;
    p.waitingStatusBeforeWakeup = true;
    p.cancelOnDeactivateOrMove = true;
    p.dataPasswordCheck = false;
    p.testModeBase = TestModeBase::FieldList;
    p.messageLanguage = MessageLanguage::English;

    f.texts = EnglishTexts(false);
    AppInfo& a = f.app;
    a.documentString = Same(
        "Velmar Programing Software\n\nWrite Data\nChannel Data (*.sin)\n.sin\nDocket4.Document\nDocket4 Document");
    a.titleFromConfig = true;
    a.iconFromFile = true;
    a.aboutMenuItem = Same("&About...");
    a.windowWidth = 800;
    a.windowHeight = 1100;
    return f;
}

}  // namespace

const Family& VmCh128Family() {
    static const Family family = Make();
    return family;
}

}  // namespace vel
