#include <gtest/gtest.h>

#include "family_cases.h"
#include "image/encodings.h"
#include "link/simulated_radio_memory.h"
#include "table/channel_table.h"
#include "testmode/test_mode_exchange.h"

namespace vel {
namespace {

using testing_support::AllIds;
using testing_support::NameOf;

class SimulatedRadioMemory : public ::testing::TestWithParam<FamilyId> {};

// The first Read of the simulated radio shows three channels in the band the
// form selects and leaves every other channel empty.
TEST_P(SimulatedRadioMemory, ThreeChannelsInTheNewDocumentsBand) {
    const Family& family = GetFamily(GetParam());
    const Image image = SimulatedRadioStartingMemory(family);
    ASSERT_EQ(image.size(), static_cast<std::size_t>(family.imageSize));

    ChannelTable table = NewChannelTable(family, Lang::English);
    FillChannelGrid(family, Lang::English, image, table);
    const int rx = family.columnOf(ColumnKind::RxFrequency);
    const int tx = family.columnOf(ColumnKind::TxFrequency);
    const FormField* field = family.field(1011);
    ASSERT_NE(field, nullptr);
    const int selected = table.selection.at(1011);
    ASSERT_GE(selected, 0);
    Family byField = family;
    byField.protocol.testModeBase = TestModeBase::FieldList;
    const int band = TestModeBaseMHz(byField, field->items[static_cast<std::size_t>(selected)].text.en);
    ASSERT_GT(band, 0);

    for (int row = 1; row <= 3; ++row) {
        const std::string mhz = FormatMHz((static_cast<std::int64_t>(band) + row) * 100000);
        EXPECT_EQ(table.at(row, rx), mhz) << "row " << row;
        EXPECT_EQ(table.at(row, tx), mhz) << "row " << row;
        const int name = family.columnOf(ColumnKind::Name);
        if (name >= 0) {
            EXPECT_EQ(table.at(row, name), "SIM" + std::to_string(row));
        }
    }
    for (int row = 4; row <= family.channelCount; ++row) EXPECT_EQ(table.at(row, rx), "") << "row " << row;

    // Outside the three channel records (and their names) nothing differs
    // from a new document but what every store writes.
    Image expected = NewDocumentImage(family);
    ChannelTable plain = NewChannelTable(family, Lang::English);
    FillChannelGrid(family, Lang::English, expected, plain);
    StoreChannelGrid(family, plain, expected);
    for (std::size_t i = 0; i < image.size(); ++i) {
        const int addr = static_cast<int>(i);
        const bool inRecord = addr >= family.recordAddr(1) && addr < family.recordAddr(4);
        const bool inName = family.nameAddr && addr >= *family.nameAddr && addr < *family.nameAddr + 24;
        if (!inRecord && !inName) {
            EXPECT_EQ(image[i], expected[i]) << "byte 0x" << std::hex << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Families, SimulatedRadioMemory, ::testing::ValuesIn(AllIds()),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

}  // namespace
}  // namespace vel
