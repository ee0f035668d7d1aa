#pragma once
// The document as one step of the undo history keeps it: the memory image and
// the channel table's texts, packed small (a step of a 4 KB image and a
// 128-channel table takes about 12 KB), so that a long editing session can be
// undone back to the file it started from.

#include <map>
#include <string>

#include "image/family.h"
#include "image/image.h"
#include "table/channel_table.h"

namespace vel {

struct DocumentState {
    Image image;
    int rows = 0;
    int cols = 0;
    std::string cells;                  ///< every cell, row by row, each ended by '\0'
    std::map<int, int> selection;       ///< as ChannelTable::selection
    std::map<int, std::string> text;    ///< as ChannelTable::text
};

/// The state of `image` and `table`.
DocumentState CaptureState(const Image& image, const ChannelTable& table);

/// The table a state holds.
ChannelTable TableOf(const DocumentState& state);

/// True when the two states show the same table and saving either would
/// write the same bytes (an image that only differs where the table is
/// stored into it counts as the same).
bool SameDocument(const Family& family, const DocumentState& a, const DocumentState& b);

}  // namespace vel
