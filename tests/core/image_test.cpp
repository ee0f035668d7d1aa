#include <gtest/gtest.h>

#include "image/image.h"

namespace vel {
namespace {

struct WordCase {
    std::size_t addr;
    unsigned value;
    Byte high;
    Byte low;
};

class BigEndianWord : public ::testing::TestWithParam<WordCase> {};

TEST_P(BigEndianWord, WritesTwoBytesAndNothingElse) {
    const WordCase c = GetParam();
    Image img(16, 0xFF);
    WriteBE16(img, c.addr, c.value);
    for (std::size_t i = 0; i < img.size(); ++i) {
        if (i == c.addr) {
            EXPECT_EQ(img[i], c.high);
        } else if (i == c.addr + 1) {
            EXPECT_EQ(img[i], c.low);
        } else {
            EXPECT_EQ(img[i], 0xFF) << "neighbour byte " << i << " changed";
        }
    }
    EXPECT_EQ(ReadBE16(img, c.addr), c.value & 0xFFFF);
}

INSTANTIATE_TEST_SUITE_P(Cases, BigEndianWord,
                         ::testing::Values(WordCase{0, 0x2710, 0x27, 0x10}, WordCase{3, 1500, 0x05, 0xDC},
                                           WordCase{14, 0x1FFFF, 0xFF, 0xFF}, WordCase{7, 0, 0x00, 0x00}));

TEST(BigEndianWord, OutOfRangeThrowsInsteadOfWritingPastTheImage) {
    Image img(4, 0);
    EXPECT_THROW(WriteBE16(img, 3, 1), std::out_of_range);
    EXPECT_THROW((void)ReadBE16(img, 3), std::out_of_range);
}

}  // namespace
}  // namespace vel
