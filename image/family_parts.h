#pragma once
// Building blocks the six family descriptors share: the channel columns that
// every family has, the lists that several forms show, and the texts of the
// English-only families. Only the descriptor sources include this.

#include <string>
#include <vector>

#include "image/family.h"

namespace vel::parts {

/// Items with the same text in both languages and meanings 0, 1, 2, ...
std::vector<ListItem> Items(const std::vector<std::string>& texts);
/// Items with English and Chinese texts and meanings 0, 1, 2, ...
std::vector<ListItem> Items(const std::vector<Text>& texts);
/// Items with the same text in both languages and the given meanings.
std::vector<ListItem> Meanings(const std::vector<std::pair<std::string, int>>& textsAndMeanings);

/// "0" to "9".
std::vector<std::string> Digits0To9();
/// The ten band texts of the 128-channel families, "  67 - 72MHz" first.
std::vector<std::string> BandTexts128();
/// The twelve band texts of the 16-channel families, "150 - 174MHz" first.
std::vector<std::string> BandTexts16();
/// "Off", "30s", ..., "300s".
std::vector<std::string> TimeOutTexts();

Column NumberColumn(Text header, double factor, double divisor, bool centred, bool alignTop);
Column FrequencyColumn(ColumnKind kind, Text header, double factor, double divisor, bool centred, bool alignTop);
Column ToneColumn(ColumnKind kind, Text header, double factor, double divisor, bool centred, bool alignTop);

/// A list codec on `mask` of record byte `byte`: codes parallel to the items,
/// and the code any other text stores.
ListCodec Codec(int byte, Byte mask, std::vector<Byte> codes, Byte otherCode,
                std::vector<std::pair<Byte, int>> fillAliases = {});
/// A list column with its items, byte rule, new-channel default and editor.
Column ListColumn(Text header, double factor, double divisor, bool centred, bool alignTop, std::vector<ListItem> items,
                  ListCodec codec, Text newChannelDefault, int editorId);

/// Texts of the messages the English families share.
FrequencyRule EnglishFrequencyRule(std::int64_t lo, std::int64_t hi, std::vector<std::int64_t> steps,
                                   const std::string& stepMessage);
FamilyTexts EnglishTexts(bool functionSettingGroup);

/// The editing rules and protocol parameters the 16-channel radios share:
/// 60-600 MHz on 6.25 and 5 kHz steps, tones stored as "OFF" unless typed
/// exactly, 123 blocks written and 128 read with the slow pacing, English
/// messages and no data password check.
void ApplySixteenChannelRules(Family& f);

}  // namespace vel::parts
