#pragma once
// Byte forms of the fields of a channel record and their texts: packed
// decimal frequencies, CTCSS/DCS tones, channel names, and the tone table.
// All functions are pure.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "image/image.h"

namespace vel {

/// Value of a packed-decimal byte: high nibble × 10 + low nibble. Nibbles are
/// not checked, so 0x1A reads as 20.
int PackedValue(Byte b);

/// Packed-decimal byte of `x` as ((x / 10) << 4) | (x % 10), kept to 8 bits.
/// For 0..99 this is the ordinary two-digit form; larger values wrap the way
/// the radio's own firmware tools do.
Byte ToPacked(std::int64_t x);

/// Parses `text` as a decimal number the way the C library's atof reads it
/// (leading white space, optional sign, digits, optional point and digits,
/// optional exponent; anything after that is ignored; no number gives 0),
/// rounds the value to 15 significant decimal digits (half away from zero),
/// multiplies it by 10^scale exactly and truncates toward zero. Every step is
/// decimal: binary floating point never decides a digit. The result saturates
/// at ±(2^62).
std::int64_t DecimalScaledTruncated(std::string_view text, int scale);

/// True when the text starts (after blanks) with a decimal number at all.
bool LooksNumeric(std::string_view text);

// --- Frequencies: 8 packed-decimal digits in 10 Hz units, least significant
// --- pair first (145.525 MHz is 00 25 55 14).

/// Value of the four frequency bytes in 10 Hz units (nibbles unchecked).
std::int64_t FrequencyUnitsOf(const Byte* four);

/// Text of the four frequency bytes: empty when the most significant byte is
/// 0xFF or 0x00, otherwise megahertz with five decimals ("145.52500").
std::string FrequencyText(const Byte* four);

/// 10 Hz units of a frequency text in megahertz (exact decimal conversion,
/// truncated). An empty or non-numeric text gives 0.
std::int64_t FrequencyUnitsFromText(std::string_view text);

/// Writes `units` into four bytes: 0 gives FF FF FF FF; otherwise the
/// four two-digit groups from the top, highest group in byte 3.
void StoreFrequencyUnits(Byte* four, std::int64_t units);

/// `units` (10 Hz) as megahertz with five decimals, like printf("%3.5f").
std::string FormatMHz(std::int64_t units);

// --- Tones: high byte H, low byte L.

/// Text of a tone. H = 0xFF or 0x00 gives `noToneText` (callers pass "OFF"
/// for a channel in use where the family shows it, else empty).
std::string ToneText(Byte high, Byte low, const std::string& noToneText);

/// Stores a tone text: DCS when the text contains "D", otherwise CTCSS in
/// tenths of a hertz; "OFF", empty and 0 give FF FF.
void StoreToneText(std::string_view text, Byte& high, Byte& low);

/// The 261 tone texts: "OFF", 50 CTCSS tones, 105 DCS "N" codes, the same 105
/// with "I".
const std::vector<std::string>& ToneTable();

/// Index of `text` in the tone table, or -1.
int ToneIndex(std::string_view text);

/// Tone value in tenths of a hertz of a CTCSS text ("88.5" gives 885); 0 for
/// "OFF", empty text and digital codes (texts containing "D").
int ToneTenths(std::string_view text);

// --- Channel names: 8 bytes, codes 0-9 digits, 10-35 letters, 36 '-', 37 blank.

/// Text of a name: bytes in order up to the first 0xFF or 8 bytes; codes 0-35
/// give their character, every other code gives "-".
std::string NameText(const Byte* eight);

/// Stores a name: each position inside the text gets its character's code
/// (every character other than 0-9, A-Z, '-' and blank stores 0xFF), every
/// position past the end 0xFF.
void StoreNameText(std::string_view text, Byte* eight);

/// A channel record is in use when byte 3 or byte 7 is neither 0xFF nor 0x00.
bool RecordInUse(const Byte* record);

}  // namespace vel
