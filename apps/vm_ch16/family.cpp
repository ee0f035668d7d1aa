// VM_CH16: 16 channels at image rows 1-16 of a 1024-byte image; all radio-wide
// settings sit on the form below the grid.

#include "image/family.h"
#include "image/family_parts.h"

namespace vel {
namespace {

using namespace parts;

std::vector<Column> Columns() {
    std::vector<Column> c;
    c.push_back(NumberColumn(Same("CH"), 0.5, 1, false, false));
    c.push_back(FrequencyColumn(ColumnKind::RxFrequency, Same("Receive(MHz)"), 1.25, 1, false, false));
    c.push_back(FrequencyColumn(ColumnKind::TxFrequency, Same("Transmit(MHz)"), 1.25, 1, false, false));
    c.push_back(ToneColumn(ColumnKind::RxTone, Same("Rx Tone"), 1, 1, false, false));
    c.push_back(ToneColumn(ColumnKind::TxTone, Same("Tx Tone"), 1, 1, false, false));
    // Bit 0 set means the lockout is off; only "YES" clears it.
    c.push_back(ListColumn(Same("Busy"), 1, 1.4, false, false, Items(std::vector<std::string>{"YES", "NO"}),
                           Codec(12, 0x01, {0x00, 0x01}, 0x01), Same("NO"), 61448));
    Column blank = NumberColumn(Text{}, 1, 1.7, false, false);
    blank.kind = ColumnKind::Blank;
    c.push_back(blank);
    return c;
}

std::vector<FormField> Form() {
    std::vector<FormField> f;
    f.push_back({1017, Same("Type"),
                 Items(std::vector<std::string>{"VM - K51", "VM - K52", "VM - K53", "VM - K54", "VM - K55", "VM - K56",
                                                "VM - K57", "VM - K58", "VM - K59", "VM - K60", "VM - K61"}),
                 ByteIndexCodec{0x3D3, 55, 1, 1, 0, 65, 0}, 0, 0, false, 0});
    f.push_back({1011, Same("Field"), Items(BandTexts16()), ByteIndexCodec{0x3D2, 238, 1, 1, 238, 249, 0}, 7, 7, false, 0});
    // "OFF" is the set bit 2 (scan function off).
    f.push_back({1070, Same("Scan function\n(The 16th channel)"), Meanings({{"OFF", 1}, {"ON", 0}}),
                 BitCodec{0x3C0, 0x04, false}, 0, 0, true, 1});
    // Bit 0 is the list index; no selection (−1) leaves it set.
    f.push_back({1014, Same("Warning"), Meanings({{"Disable", 0}, {"Enable", 1}}), BitCodec{0x3C0, 0x01, true}, 1, 1, true, 1});
    f.push_back({1018, Same("TX Power rank"), Items(Digits0To9()), ByteIndexCodec{0x3C4, 0, 3, 3, 0, 8, 9}, 9, 9, false, 1});
    f.push_back({1074, Same("Vox"), Meanings({{"ON", 0}, {"OFF", 1}}), BitCodec{0x3C0, 0x08, false}, std::nullopt,
                 std::nullopt, false, 1});
    f.push_back({1013, Same("Tx total Time(s)"), Items(TimeOutTexts()), ByteIndexCodec{0x3C3, 0, 1, 1, 0, 10, 0}, 0, 2,
                 false, 1});
    f.push_back({1016, Same("Squelch Level"), Items(Digits0To9()), ByteIndexCodec{0x3C1, 0, 1, 1, 0, 9, 0}, 4, 4, true, 1});
    f.push_back({1073, Same("Band  Width"), Meanings({{"NARROW", 1}, {"WIDE", 0}}), AllChannelsBitCodec{12, 0x04}, 1,
                 std::nullopt, true, 1});
    f.push_back({1012, Same("Side Button"),
                 Meanings({{"SQ OFF Momentary", 3}, {"SQ OFF", 2}, {"VOX ON/OFF", 5}, {"High/Low Power", 6}, {"None", 0}}),
                 CodeCodec{0x3C2}, 0, std::nullopt, false, 1});
    return f;
}

Family Make() {
    Family f{};
    f.id = FamilyId::VM_CH16;
    f.name = "VM_CH16";
    f.imageSize = 1024;
    f.channelCount = 16;
    f.firstRecordAddr = 0x010;
    f.fixedLang = Lang::English;
    f.columns = Columns();
    f.storeOrder = {1, 2, 3, 4, 5};
    f.rowHeightFactor = 0.95;
    f.form = Form();
    f.newDocument = {{0x3C0, {0xF7, 5, 3, 0}},
                     {0x3C5, {0x0A}},
                     {0x3C8, {1, 0, 0}},
                     {0x3D2, {0xF5, 0x37}},
                     {0x01C, {0xFB}}};
    ApplySixteenChannelRules(f);

    f.texts = EnglishTexts(true);
    AppInfo& a = f.app;
    a.documentString = Same("Velmar Serials Radio Programing Software\n\nWrite Data\nChannel Data (*.sin)\n.sin\n"
                            "VM_CH16.Document\nVM_CH16 Document");
    a.windowTitle = Same("Velmar Serials Radio Programing Software");
    a.aboutMenuItem = Same("&About Velmar-1.1...");
    a.windowWidth = 800;
    a.windowHeight = 1100;
    return f;
}

}  // namespace

const Family& VmCh16Family() {
    static const Family family = Make();
    return family;
}

}  // namespace vel
