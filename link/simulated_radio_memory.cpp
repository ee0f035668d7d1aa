#include "link/simulated_radio_memory.h"

#include <string>

#include "image/encodings.h"
#include "table/channel_table.h"
#include "testmode/test_mode_exchange.h"

namespace vel {

namespace {

constexpr int kFieldList = 1011;
constexpr int kDemoChannels = 3;

// Lower edge of the band a new document selects, in MHz.
int NewDocumentBandMHz(const Family& family, const ChannelTable& table) {
    const FormField* field = family.field(kFieldList);
    const auto it = table.selection.find(kFieldList);
    if (field == nullptr || it == table.selection.end() || it->second < 0 ||
        it->second >= static_cast<int>(field->items.size()))
        return 0;
    Family fieldFamily = family;
    fieldFamily.protocol.testModeBase = TestModeBase::FieldList;
    return TestModeBaseMHz(fieldFamily, field->items[static_cast<std::size_t>(it->second)].text.en);
}

}  // namespace

Image SimulatedRadioStartingMemory(const Family& family) {
    Image image = NewDocumentImage(family);
    ChannelTable table = NewChannelTable(family, Lang::English);
    FillChannelGrid(family, Lang::English, image, table);

    int band = NewDocumentBandMHz(family, table);
    if (band <= 0) band = 446;
    const int rx = family.columnOf(ColumnKind::RxFrequency);
    const int tx = family.columnOf(ColumnKind::TxFrequency);
    const int name = family.columnOf(ColumnKind::Name);
    for (int row = 1; row <= kDemoChannels && row <= family.channelCount; ++row) {
        const std::string mhz = FormatMHz((static_cast<std::int64_t>(band) + row) * 100000);
        if (rx >= 0) CommitFrequency(family, Lang::English, table, row, rx, mhz, CommitKey::LeaveCell);
        if (tx >= 0) CommitFrequency(family, Lang::English, table, row, tx, mhz, CommitKey::LeaveCell);
        if (name >= 0) CommitNameCell(table, row, name, "SIM" + std::to_string(row));
    }
    StoreChannelGrid(family, table, image);
    return image;
}

}  // namespace vel
