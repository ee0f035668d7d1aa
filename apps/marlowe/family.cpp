// Marlowe: 16 channels at image rows 1-16 of a 1024-byte image, a data
// password in bytes 0-5, 60-600 MHz on 6.25 and 5 kHz steps.

#include "apps/marlowe/image_text.h"
#include "image/family.h"
#include "image/family_parts.h"

namespace vel {
namespace {

using namespace parts;

std::vector<Column> Columns() {
    // Centred at the top of the cells.
    std::vector<Column> c;
    c.push_back(NumberColumn(Same("CH"), 0.5, 1, true, true));
    c.push_back(FrequencyColumn(ColumnKind::RxFrequency, Same("Receive(MHz)"), 1.25, 1, true, true));
    c.push_back(FrequencyColumn(ColumnKind::TxFrequency, Same("Transmit(MHz)"), 1.25, 1, true, true));
    c.push_back(ToneColumn(ColumnKind::RxTone, Same("Rx Tone"), 1, 1, true, true));
    c.push_back(ToneColumn(ColumnKind::TxTone, Same("Tx Tone"), 1, 1, true, true));
    // Bit 0 set means the lockout is off; only "YES" clears it.
    c.push_back(ListColumn(Same("Busy"), 1, 1.2, true, true, Items(std::vector<std::string>{"YES", "NO"}),
                           Codec(12, 0x01, {0x00, 0x01}, 0x01), Same("NO"), 61448));
    c.push_back(ListColumn(Same("TX Power"), 1, 1.2, true, true, Items(std::vector<std::string>{"High", "Low"}),
                           Codec(12, 0x10, {0x10, 0x00}, 0x00), Same("High"), 61449));
    // Bit 2 set means narrow; only "Wide" clears it.
    c.push_back(ListColumn(Same("W/N"), 1, 1.2, true, true, Items(std::vector<std::string>{"Wide", "Narrow"}),
                           Codec(12, 0x04, {0x00, 0x04}, 0x04), Same("Wide"), 61450));
    c.push_back(ListColumn(Same("Scan/Add"), 1, 1.2, true, true, Items(std::vector<std::string>{"Yes", "No"}),
                           Codec(12, 0x08, {0x08, 0x00}, 0x00), Same("Yes"), 61451));
    c[6].role = ChannelRole::Power;
    c[7].role = ChannelRole::Bandwidth;
    c[8].role = ChannelRole::Scan;
    return c;
}

std::vector<FormField> Form() {
    std::vector<FormField> f;
    // A type byte of 56-65 or below 55 names no item and leaves no selection.
    f.push_back({1017, Same("Type"), Items(std::vector<std::string>{"VMK40"}), ByteIndexCodec{0x3D3, 55, 1, 1, 0, 65, 0},
                 std::nullopt, 0, false, 0});
    // Band bytes 248 and 249 name no item and leave no selection.
    f.push_back({1011, Same("Field"), Items(BandTexts128()), ByteIndexCodec{0x3D2, 238, 1, 1, 238, 249, 0}, 7, 7, false, 0});
    f.push_back({1074, Same("Data Password"), {}, DigitsCodec{0x000, 6}, std::nullopt, std::nullopt, false, 0});
    return f;
}

std::vector<ByteWrite> NewDocument() {
    std::vector<ByteWrite> w;
    w.push_back({0x3C0, {0x2F, 5, 3, 0}});
    w.push_back({0x3C5, {0x12, 0x78, 0, 1, 0, 0}});
    w.push_back({0x3D2, {0xEE, 0x37}});
    for (int n = 1; n <= 16; ++n) w.push_back({16 * n + 12, {0xFB}});
    return w;
}

Family Make() {
    Family f{};
    f.id = FamilyId::Marlowe;
    f.name = "Marlowe";
    f.imageSize = 1024;
    f.channelCount = 16;
    f.firstRecordAddr = 0x010;
    f.fixedLang = Lang::English;
    f.columns = Columns();
    f.storeOrder = {1, 2, 3, 4, 5, 6, 7, 8};
    f.rowHeightFactor = 0.95;
    f.form = Form();
    f.newDocument = NewDocument();
    ApplySixteenChannelRules(f);
    f.protocol.dataPasswordCheck = true;   // the data password guards reading
    f.textForm = true;
    // Every store of the window leaves the text form "1.txt" in the current directory.
    f.afterWindowStore = [](const Image& image) { return ExportImageTextAfterStore(image).note; };

    f.texts = EnglishTexts(false);
    AppInfo& a = f.app;
    a.documentString = Same("Velmar Radio Programming Software\n\nWrite Data\nChannel Data (*.sin)\n.sin\n"
                            "Marlowe.Document\nMarlowe Document");
    a.windowTitle = Same("Velmar Radio Programming Software");
    a.aboutMenuItem = Same("&About Velmar...");
    a.aboutCaption = Same("About Marlowe");
    a.windowWidth = 800;
    a.windowHeight = 1100;
    return f;
}

}  // namespace

const Family& MarloweFamily() {
    static const Family family = Make();
    return family;
}

}  // namespace vel
