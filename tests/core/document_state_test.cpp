// The state one undo step keeps: it gives back the table it was taken from,
// and two states count as the same document exactly when they show the same
// table and would save the same bytes.

#include <gtest/gtest.h>

#include "family_cases.h"
#include "table/document_state.h"

namespace vel {
namespace {

using namespace testing_support;

TEST(DocumentState, GivesBackTheTable) {
    for (FamilyId id : AllIds()) {
        const Family& f = GetFamily(id);
        ChannelTable t = NewChannelTable(f, Lang::Chinese);
        t.at(1, 1) = "145.00000";
        t.at(2, f.columnCount() - 1) = "";
        t.at(3, 2) = "中文";
        t.selection[f.form.front().id] = -1;
        t.text[1074] = "123";
        const DocumentState s = CaptureState(NewDocumentImage(f), t);
        EXPECT_EQ(TableOf(s).cells, t.cells) << f.name;
        EXPECT_EQ(TableOf(s).selection, t.selection) << f.name;
        EXPECT_EQ(TableOf(s).text, t.text) << f.name;
        EXPECT_EQ(s.image, NewDocumentImage(f));
        // Small: the cells take a few bytes each, not a string object each.
        EXPECT_LT(s.cells.size(), static_cast<std::size_t>(t.rows() * f.columnCount() * 8)) << f.name;
    }
}

struct SameCase {
    const char* label;
    FamilyId id;
    int poke;          // image byte changed in the second state (-1: none)
    bool cellChange;   // a cell differs in the second state
    bool formChange;   // a form selection differs
    bool same;
};

class Same : public ::testing::TestWithParam<SameCase> {};

TEST_P(Same, Document) {
    const SameCase c = GetParam();
    const Family& f = GetFamily(c.id);
    ChannelTable t = NewChannelTable(f, Lang::English);
    Image img = NewDocumentImage(f);
    FillChannelGrid(f, Lang::English, img, t);
    const DocumentState a = CaptureState(img, t);
    if (c.poke >= 0) img[static_cast<std::size_t>(c.poke)] ^= 0x5A;
    if (c.cellChange) t.at(1, 1) = "145.00000";
    if (c.formChange) t.selection[f.form.front().id] += 1;
    const DocumentState b = CaptureState(img, t);
    EXPECT_EQ(SameDocument(f, a, b), c.same);
    EXPECT_EQ(SameDocument(f, b, a), c.same);
}

INSTANTIATE_TEST_SUITE_P(
    All, Same,
    ::testing::Values(SameCase{"identical", FamilyId::Velmar_V, -1, false, false, true},
                      // The store writes channel 1's receive bytes from the table:
                      // a raw difference there is no difference of the document.
                      SameCase{"byteTheStoreOverwrites", FamilyId::Velmar_V, 0x000, false, false, true},
                      SameCase{"byteOfTheSettings", FamilyId::Velmar_V, 0x820, false, false, false},
                      SameCase{"hiddenByteOfARecord", FamilyId::VM_CH128, 0x00F, false, false, false},
                      SameCase{"cell", FamilyId::Marlowe, -1, true, false, false},
                      SameCase{"formList", FamilyId::VM_CH16, -1, false, true, false}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace vel
