#pragma once
// How the difference list and the checks name a place in the image: by
// channel and setting, with the grid's column headers and the form's labels,
// so that a line such as "Channel 12 Rx Tone" points at what the window shows.

#include <string>
#include <vector>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"

namespace vel {

/// "Channel 12" (English) or "<the grid's channel header> 12" (Chinese: 频道 12, 信道 12).
std::string ChannelName(const Family& family, Lang lang, int channel);

/// The header of grid column `col` without its surrounding blanks (" W/N " gives "W/N").
std::string ColumnLabel(const Family& family, Lang lang, int col);

/// The label of form control `id` on one line, without a trailing colon
/// ("Manul Setting:" gives "Manul Setting").
std::string FieldLabel(const Family& family, Lang lang, int id);

/// "Channel 12 Rx Tone": a channel and the header of one of its columns.
std::string ChannelSettingName(const Family& family, Lang lang, int channel, int col);

/// A run of image bytes by what holds them: "Channel 5 record bytes 12–13",
/// "Channel 5 name byte 7", or "Memory 0x0E00–0x0E07".
std::string ByteRunName(const Family& family, Lang lang, int address, int length);

/// The bytes as two-digit hexadecimal numbers separated by blanks ("0A FF").
std::string HexBytes(const Image& image, int address, int length);

/// `text` with "{name}" replaced by `value`, for every pair in order.
std::string FillIn(std::string text, const std::vector<std::pair<std::string, std::string>>& values);

/// A value for a line of text: the value itself, or "(empty)" ("（空）").
std::string ShownValue(const std::string& value, Lang lang);

/// Bits of image bytes that one grid cell or form field shows.
struct OwnedBits {
    int address = 0;
    Byte mask = 0xFF;
};

/// The bits channel `channel`'s column `col` shows (none for the number,
/// "More" and blank columns).
std::vector<OwnedBits> CellBits(const Family& family, int channel, int col);

/// The bits form field `field` shows. A band width kept in every channel is
/// read from channel 1, so only channel 1's bit shows; `allChannels` lists
/// every channel's bit instead (what a store of the field writes).
std::vector<OwnedBits> FieldBits(const Family& family, const FormField& field, bool allChannels = false);

}  // namespace vel
