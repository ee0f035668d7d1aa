// VM_CH118: the 128-channel family's table without names on a 2048-byte image
// whose settings sit at 0x7D0, with 6.25 and 5 kHz steps only.

#include "image/family.h"
#include "image/family_parts.h"

namespace vel {
namespace {

using namespace parts;

std::vector<Column> Columns() {
    std::vector<Column> c = VmCh128Family().columns;
    c.resize(11);  // no name column
    for (int i = 3; i <= 9; ++i) {
        c[static_cast<std::size_t>(i)].widthFactor = 1;
        c[static_cast<std::size_t>(i)].widthDivisor = 1.4;
    }
    c[8].widthDivisor = 1;     // Opt Signal keeps w
    c[10].widthDivisor = 1.2;  // BusyLock
    return c;
}

std::vector<FormField> Form() {
    std::vector<FormField> f;
    f.push_back({1017, Same("Type"), Items(std::vector<std::string>{"VM - K10", "VM - K20", "VM - K30"}),
                 ByteIndexCodec{0x7DB, 56, 1, 1, 0, 58, 0}, 0, 0, false, 0});
    f.push_back({1011, Same("Field"), Items(BandTexts128()), ByteIndexCodec{0x7DA, 238, 1, 1, 238, 247, 0}, 2, 2, false, 0});
    // A rank byte of 9 or more shows rank 9.
    f.push_back({1018, Same("Tx Power Rank"), Items(Digits0To9()), ByteIndexCodec{0x7D7, 0, 1, 1, 0, 8, 9}, 9, 9, true, 0});
    f.push_back({1019, Same("Manul Setting:"), {{Same("Open"), 1}, {Same("Close"), 0}}, BitCodec{0x7D2, 0x80, false},
                 std::nullopt, std::nullopt, false, 0});
    return f;
}

Family Make() {
    Family f{};
    f.id = FamilyId::VM_CH118;
    f.name = "VM_CH118";
    f.imageSize = 2048;
    f.channelCount = 118;
    f.firstRecordAddr = 0x000;
    f.fixedLang = Lang::English;
    f.columns = Columns();
    f.storeOrder = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    f.form = Form();
    f.newDocument = {{0x7D0, {0, 0, 0xF8, 5, 0, 0, 3, 9, 0, 0, 0xF0, 0x38, 0x38, 0x32, 0x33, 0x50}}};
    f.frequencyRule = EnglishFrequencyRule(6700000, 52100000, {625, 500},
                                           "Error data Value，Please input according the step value(6.25K/5k)");
    f.toneCommit = ToneCommit::ExactOrOff;
    f.toneOffShownWhenInUse = true;
    f.tonesShownWhenNotInUse = true;
    f.newChannelFirstEmptyColumns = 5;
    f.deleteFromColumn = 5;

    ProtocolParams& p = f.protocol;
    p.writeBlocks = 252;
    p.readBlocks = 256;
    p.typeByteAddress = 0x07DB;
    p.pumpRoundsAfterWriteBlock = 201;
    p.pumpRoundsAfterReadBlock = 199;
    p.pauseAfterReadBlockMs = 5;
    p.progressMax = 255;
    p.stepBelowWrite = 250;
    p.stepBelowRead = 251;
    p.endPositionWrite = 252;
    p.endPositionRead = 255;
    p.replyBufferFill = 0x00;
    p.waitingStatusBeforeWakeup = true;
    p.cancelOnDeactivateOrMove = true;
    p.dataPasswordCheck = false;
    p.testModeBase = TestModeBase::FieldList;
    p.messageLanguage = MessageLanguage::English;

    f.texts = EnglishTexts(false);
    AppInfo& a = f.app;
    a.documentString = Same("Velmar Electronics  Programing Software\n\nWrite Data\nChannel Data (*.sin)\n.sin\n"
                            "Docket4.Document\nDocket4 Document");
    a.windowTitle = Same("Velmar Electronics  Programing Software");
    a.aboutMenuItem = Same("&About Velmar-1.0...");
    a.windowWidth = 800;
    a.windowHeight = 1100;
    return f;
}

}  // namespace

const Family& VmCh118Family() {
    static const Family family = Make();
    return family;
}

}  // namespace vel
