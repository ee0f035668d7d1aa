#pragma once
// The differences between two images of one family, by channel and setting,
// with the texts the window's grid and form show for each side. Every
// differing byte is accounted for: a difference the grid or the form shows is
// listed as that cell or field; the bits no cell or field shows (and those
// they hide, such as the flags of a channel not in use) are listed as runs of
// bytes named by what holds them. Used by File › Compare With, by the check
// after a write, and by `velprog diff`.

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"

namespace vel {

enum class DifferenceKind {
    Cell,    ///< a cell of the channel grid
    Field,   ///< a list or edit box of the form
    Bytes,   ///< bytes no cell or field shows
};

/// What "Use this value" takes over from the other image for a row.
enum class UseScope {
    Cell,      ///< the bits the cell shows
    Channel,   ///< the whole channel (record and name): it is in use on one side only
    Field,     ///< the bits the field shows (a band width kept in every channel: in every channel)
    Bytes,     ///< the run of bytes
};

struct ImageDifference {
    DifferenceKind kind = DifferenceKind::Bytes;
    int channel = 0;     ///< 1-based channel of a cell or of record/name bytes; 0 otherwise
    int column = -1;     ///< grid column of a cell
    int fieldId = 0;     ///< control identifier of a field
    int address = -1;    ///< first byte of a run of bytes
    int length = 0;      ///< bytes in the run
    std::string where;   ///< "Channel 12 Rx Tone", "Field", "Memory 0x0E00–0x0E07"
    std::string valueA;  ///< what the window shows for the first image ("" for an empty cell); bytes in hex
    std::string valueB;  ///< the same for the second image
    UseScope use = UseScope::Bytes;
};

/// Differences between images `a` and `b` of `family` (both of the family's
/// size), in `lang`: the channels in order (their cells, then the bytes of
/// their records and names that no cell shows), then the form's fields, then
/// the other bytes in address order, in runs that stay within one 16-byte row.
/// Only the first `limit` bytes are compared (a write compares what it wrote).
std::vector<ImageDifference> CompareImages(const Family& family, Lang lang, const Image& a, const Image& b,
                                           std::size_t limit = std::numeric_limits<std::size_t>::max());

/// "Use this value": takes the row's value over from `other` into `image`
/// (the bits of the row's scope; a channel in use on one side only is taken
/// over whole, its record and its name).
void UseOtherValue(const Family& family, const ImageDifference& difference, const Image& other, Image& image);

/// One line of a write's check: "Channel 12 Rx Tone: sent 88.5, radio has OFF".
std::string VerifyLine(const ImageDifference& difference, Lang lang);

/// One line of a comparison: "Channel 12 Rx Tone: 88.5 | OFF".
std::string DifferenceLine(const ImageDifference& difference, Lang lang);

}  // namespace vel
