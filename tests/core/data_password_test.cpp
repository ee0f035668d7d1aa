#include <gtest/gtest.h>

#include "apps/marlowe/data_password.h"

namespace vel {
namespace {

struct ReadCase {
    std::vector<Byte> first6;
    const char* expected;
};

class DataPasswordRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DataPasswordRead, KeepsDigitsInOrder) {
    Image img(1024, 0xFF);
    std::copy(GetParam().first6.begin(), GetParam().first6.end(), img.begin());
    img[6] = '9';  // beyond the password bytes
    EXPECT_EQ(DataPasswordFromImage(img), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataPasswordRead,
    ::testing::Values(ReadCase{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, ""},
                      ReadCase{{'1', 0xFF, '2', '3', 0xFF, 0xFF}, "123"},
                      ReadCase{{'1', '2', '3', '4', '5', '6'}, "123456"},
                      ReadCase{{'/', ':', 0x00, '0', 0x39, 0x7F}, "09"},
                      ReadCase{{'4', '2', 0xFF, 0xFF, 0xFF, 0xFF}, "42"}));

TEST(DataPasswordRead, ShortImageReadsWhatItHas) {
    EXPECT_EQ(DataPasswordFromImage(Image{'1', '2'}), "12");
    EXPECT_EQ(DataPasswordFromImage(Image{}), "");
}

struct StoreCase {
    const char* text;
    std::vector<Byte> expected;
};

class DataPasswordStore : public ::testing::TestWithParam<StoreCase> {};

TEST_P(DataPasswordStore, WritesSixBytesAndNothingElse) {
    Image img(1024, 0xAA);
    StoreDataPassword(GetParam().text, img);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(img[i], GetParam().expected[i]) << "byte " << i;
    for (std::size_t i = 6; i < img.size(); ++i) ASSERT_EQ(img[i], 0xAA) << "neighbour byte " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataPasswordStore,
    ::testing::Values(StoreCase{"", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
                      StoreCase{"1234", {'1', '2', '3', '4', 0xFF, 0xFF}},
                      StoreCase{"987654", {'9', '8', '7', '6', '5', '4'}},
                      StoreCase{"12345678", {'1', '2', '3', '4', '5', '6'}},
                      StoreCase{"1a ", {'1', '0', '0', 0xFF, 0xFF, 0xFF}}));

TEST(DataPasswordStore, ShortImageIsNotWrittenPastItsEnd) {
    Image img(3, 0);
    StoreDataPassword("123456", img);
    EXPECT_EQ(img, (Image{'1', '2', '3'}));
}

TEST(DataPasswordStore, RoundTripsThroughTheImage) {
    Image img(64, 0xFF);
    StoreDataPassword("052", img);
    EXPECT_EQ(DataPasswordFromImage(img), "052");
}

struct MatchCase {
    const char* a;
    const char* b;
    bool match;
};

class DataPasswordMatch : public ::testing::TestWithParam<MatchCase> {};

TEST_P(DataPasswordMatch, ComparesWithoutTrailingBlanks) {
    EXPECT_EQ(PasswordsMatch(GetParam().a, GetParam().b), GetParam().match);
    EXPECT_EQ(PasswordsMatch(GetParam().b, GetParam().a), GetParam().match);
}

INSTANTIATE_TEST_SUITE_P(Cases, DataPasswordMatch,
                         ::testing::Values(MatchCase{"", "", true}, MatchCase{"123", "123", true},
                                           MatchCase{"123  ", "123", true}, MatchCase{"", "   ", true},
                                           MatchCase{"", "123", false}, MatchCase{" 123", "123", false},
                                           MatchCase{"123", "1234", false}, MatchCase{"12 3", "123", false}));

}  // namespace
}  // namespace vel
