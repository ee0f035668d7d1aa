#include "table/channel_table.h"

#include <cctype>
#include <string>
#include <type_traits>

#include "image/encodings.h"

namespace vel {
namespace {

// ---------------------------------------------------------------------------
// Lists
// ---------------------------------------------------------------------------

/// Index of the item whose text (either language) is `text`, or -1.
int ItemIndexOfText(const std::vector<ListItem>& items, const std::string& text) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].text.matches(text)) return static_cast<int>(i);
    }
    return -1;
}

/// Index of the first item with meaning `meaning`, or -1.
int ItemIndexOfMeaning(const std::vector<ListItem>& items, int meaning) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].meaning == meaning) return static_cast<int>(i);
    }
    return -1;
}

/// Meaning of the selected item; no selection (or an index past the list)
/// counts as −1, as the store rules want.
int SelectedMeaning(const FormField& field, int index) {
    if (index < 0 || index >= static_cast<int>(field.items.size())) return -1;
    return field.items[static_cast<std::size_t>(index)].meaning;
}

std::string ListCellText(const Column& column, Byte value, Lang lang) {
    const ListCodec& codec = column.codec;
    const Byte code = value & codec.mask;
    int index = -1;
    for (std::size_t i = 0; i < codec.codes.size() && i < column.items.size(); ++i) {
        if (codec.codes[i] == code) {
            index = static_cast<int>(i);
            break;
        }
    }
    if (index < 0) {
        for (const auto& [aliasCode, aliasIndex] : codec.fillAliases) {
            if (aliasCode == code) {
                index = aliasIndex;
                break;
            }
        }
    }
    if (index < 0 || index >= static_cast<int>(column.items.size())) return {};
    return column.items[static_cast<std::size_t>(index)].text.in(lang);
}

void StoreListCell(const Column& column, const std::string& text, Byte& value) {
    const ListCodec& codec = column.codec;
    const int index = ItemIndexOfText(column.items, text);
    if (index >= 0 && index < static_cast<int>(codec.codes.size())) {
        value = static_cast<Byte>((value & ~codec.mask) | (codec.codes[static_cast<std::size_t>(index)] & codec.mask));
    } else if (codec.storeOtherWholeByte) {
        value = *codec.storeOtherWholeByte;
    } else {
        value = static_cast<Byte>((value & ~codec.mask) | (codec.storeOtherCode & codec.mask));
    }
}

// ---------------------------------------------------------------------------
// Form fields
// ---------------------------------------------------------------------------

int FillFormSelection(const Family& family, const FormField& field, const Image& image, int previous) {
    return std::visit(
        [&](const auto& codec) -> int {
            using C = std::decay_t<decltype(codec)>;
            if constexpr (std::is_same_v<C, ByteIndexCodec>) {
                const int v = image.at(static_cast<std::size_t>(codec.addr)) / codec.divisor;
                int meaning;
                if (v >= codec.lo && v <= codec.hi) {
                    meaning = v - codec.base;
                } else if (codec.fallbackMeaning) {
                    meaning = *codec.fallbackMeaning;
                } else {
                    return -1;
                }
                return ItemIndexOfMeaning(field.items, meaning);
            } else if constexpr (std::is_same_v<C, BitCodec>) {
                const bool set = (image.at(static_cast<std::size_t>(codec.addr)) & codec.mask) != 0;
                return ItemIndexOfMeaning(field.items, set ? 1 : 0);
            } else if constexpr (std::is_same_v<C, CodeCodec>) {
                const int index = ItemIndexOfMeaning(field.items, image.at(static_cast<std::size_t>(codec.addr)));
                return index >= 0 ? index : previous;
            } else if constexpr (std::is_same_v<C, AllChannelsBitCodec>) {
                const std::size_t at = static_cast<std::size_t>(family.recordAddr(1) + codec.recordByte);
                return ItemIndexOfMeaning(field.items, (image.at(at) & codec.mask) != 0 ? 1 : 0);
            } else {
                return previous;  // edit boxes have no selection
            }
        },
        field.codec);
}

void StoreFormSelection(const Family& family, const FormField& field, int index, Image& image) {
    std::visit(
        [&](const auto& codec) {
            using C = std::decay_t<decltype(codec)>;
            const int meaning = SelectedMeaning(field, index);
            if constexpr (std::is_same_v<C, ByteIndexCodec>) {
                image.at(static_cast<std::size_t>(codec.addr)) =
                    static_cast<Byte>(((meaning + codec.base) * codec.multiplier) & 0xFF);
            } else if constexpr (std::is_same_v<C, BitCodec>) {
                const bool set = meaning < 0 ? codec.noneSets : meaning == 1;
                Byte& b = image.at(static_cast<std::size_t>(codec.addr));
                b = static_cast<Byte>(set ? (b | codec.mask) : (b & ~codec.mask));
            } else if constexpr (std::is_same_v<C, CodeCodec>) {
                if (meaning >= 0) image.at(static_cast<std::size_t>(codec.addr)) = static_cast<Byte>(meaning & 0xFF);
            } else if constexpr (std::is_same_v<C, AllChannelsBitCodec>) {
                for (int ch = 1; ch <= family.channelCount; ++ch) {
                    Byte& b = image.at(static_cast<std::size_t>(family.recordAddr(ch) + codec.recordByte));
                    b = static_cast<Byte>(meaning == 1 ? (b | codec.mask) : (b & ~codec.mask));
                }
            }
        },
        field.codec);
}

std::string DigitsFromImage(const DigitsCodec& codec, const Image& image) {
    std::string text;
    for (int i = 0; i < codec.length; ++i) {
        const Byte b = image.at(static_cast<std::size_t>(codec.addr + i));
        if (b >= '0' && b <= '9') text += static_cast<char>(b);
    }
    return text;
}

void StoreDigits(const DigitsCodec& codec, const std::string& text, Image& image) {
    for (int i = 0; i < codec.length; ++i) {
        Byte& b = image.at(static_cast<std::size_t>(codec.addr + i));
        if (i < static_cast<int>(text.size())) {
            const char c = text[static_cast<std::size_t>(i)];
            b = static_cast<Byte>((c >= '0' && c <= '9' ? c - '0' : 0) + 0x30);
        } else {
            b = 0xFF;
        }
    }
}

// ---------------------------------------------------------------------------
// Table shape
// ---------------------------------------------------------------------------

void EnsureShape(const Family& family, ChannelTable& table) {
    table.cells.resize(static_cast<std::size_t>(family.channelCount + 1));
    for (auto& row : table.cells) row.resize(static_cast<std::size_t>(family.columnCount()));
}

void WriteHeadersAndNumbers(const Family& family, Lang lang, ChannelTable& table) {
    for (int c = 0; c < family.columnCount(); ++c) {
        // A blank column's header is left to the grid's own layout.
        if (family.columns[static_cast<std::size_t>(c)].kind == ColumnKind::Blank) continue;
        table.at(0, c) = family.columns[static_cast<std::size_t>(c)].header.in(lang);
    }
    const int numberCol = family.columnOf(ColumnKind::Number);
    if (numberCol < 0) return;
    for (int r = 1; r <= family.channelCount; ++r) table.at(r, numberCol) = std::to_string(r);
}

bool IsEmpty(const ChannelTable& table, int row, int col) { return table.at(row, col).empty(); }

}  // namespace

// ---------------------------------------------------------------------------
// Public
// ---------------------------------------------------------------------------

ChannelTable NewChannelTable(const Family& family, Lang lang) {
    const Lang ui = family.uiLang(lang);
    ChannelTable table;
    EnsureShape(family, table);
    WriteHeadersAndNumbers(family, ui, table);
    for (const FormField& field : family.form) {
        if (field.isEdit()) {
            table.text[field.id] = "";
        } else {
            table.selection[field.id] = field.presetIndex.value_or(-1);
        }
    }
    return table;
}

void FillChannelGrid(const Family& family, Lang lang, const Image& image, ChannelTable& table) {
    const Lang ui = family.uiLang(lang);
    EnsureShape(family, table);
    WriteHeadersAndNumbers(family, ui, table);

    for (int r = 1; r <= family.channelCount; ++r) {
        const std::size_t rec = static_cast<std::size_t>(family.recordAddr(r));
        const Byte* record = &image.at(rec);
        (void)image.at(rec + 15);  // the whole record lies inside the image
        const bool inUse = RecordInUse(record);
        const std::string noTone = inUse && family.toneOffShownWhenInUse ? "OFF" : "";
        const bool showTones = inUse || family.tonesShownWhenNotInUse;

        for (int c = 0; c < family.columnCount(); ++c) {
            const Column& column = family.columns[static_cast<std::size_t>(c)];
            std::string& cell = table.at(r, c);
            switch (column.kind) {
                case ColumnKind::RxFrequency: cell = FrequencyText(record + 0); break;
                case ColumnKind::TxFrequency: cell = FrequencyText(record + 4); break;
                case ColumnKind::RxTone: cell = showTones ? ToneText(record[9], record[8], noTone) : ""; break;
                case ColumnKind::TxTone: cell = showTones ? ToneText(record[11], record[10], noTone) : ""; break;
                case ColumnKind::List:
                    cell = inUse ? ListCellText(column, record[column.codec.byte], ui) : "";
                    break;
                case ColumnKind::Name:
                    if (family.nameAddr) {
                        const std::size_t at = static_cast<std::size_t>(*family.nameAddr + 8 * (r - 1));
                        (void)image.at(at + 7);
                        cell = NameText(&image[at]);
                    }
                    break;
                case ColumnKind::More: cell = inUse ? ">>" : ""; break;
                case ColumnKind::Number:
                case ColumnKind::Blank: break;
            }
        }
    }

    for (const FormField& field : family.form) {
        if (const auto* digits = std::get_if<DigitsCodec>(&field.codec)) {
            table.text[field.id] = DigitsFromImage(*digits, image);
            continue;
        }
        const auto previous = table.selection.find(field.id);
        const int before = previous == table.selection.end() ? field.presetIndex.value_or(-1) : previous->second;
        table.selection[field.id] = FillFormSelection(family, field, image, before);
    }
}

void StoreChannelGrid(const Family& family, const ChannelTable& table, Image& image) {
    for (int r = 1; r <= family.channelCount; ++r) {
        const std::size_t rec = static_cast<std::size_t>(family.recordAddr(r));
        (void)image.at(rec + 15);
        Byte* record = &image[rec];
        for (int c : family.storeOrder) {
            const Column& column = family.columns.at(static_cast<std::size_t>(c));
            const std::string& text = table.at(r, c);
            switch (column.kind) {
                case ColumnKind::RxFrequency: StoreFrequencyUnits(record + 0, FrequencyUnitsFromText(text)); break;
                case ColumnKind::TxFrequency: StoreFrequencyUnits(record + 4, FrequencyUnitsFromText(text)); break;
                case ColumnKind::RxTone: StoreToneText(text, record[9], record[8]); break;
                case ColumnKind::TxTone: StoreToneText(text, record[11], record[10]); break;
                case ColumnKind::List: StoreListCell(column, text, record[column.codec.byte]); break;
                case ColumnKind::Name:
                    if (family.nameAddr) {
                        const std::size_t at = static_cast<std::size_t>(*family.nameAddr + 8 * (r - 1));
                        (void)image.at(at + 7);
                        StoreNameText(text, &image[at]);
                    }
                    break;
                case ColumnKind::Number:
                case ColumnKind::More:
                case ColumnKind::Blank: break;
            }
        }
    }

    for (const FormField& field : family.form) {
        if (const auto* digits = std::get_if<DigitsCodec>(&field.codec)) {
            const auto it = table.text.find(field.id);
            StoreDigits(*digits, it == table.text.end() ? std::string() : it->second, image);
            continue;
        }
        const auto it = table.selection.find(field.id);
        StoreFormSelection(family, field, it == table.selection.end() ? -1 : it->second, image);
    }

    for (const ByteWrite& w : family.storeConstants) {
        for (std::size_t i = 0; i < w.bytes.size(); ++i) image.at(static_cast<std::size_t>(w.addr) + i) = w.bytes[i];
    }
}

int FormItemIndex(const Family& family, int id, const std::string& text) {
    const FormField* field = family.field(id);
    return field ? ItemIndexOfText(field->items, text) : -1;
}

bool RowInUse(const ChannelTable& table, int row) { return !IsEmpty(table, row, 1) || !IsEmpty(table, row, 2); }

FrequencyCommit CommitFrequency(const Family& family, Lang lang, ChannelTable& table, int row, int col,
                                const std::string& typed, CommitKey key) {
    const Lang ui = family.uiLang(lang);
    const FrequencyRule& rule = family.frequencyRule;
    FrequencyCommit result;
    result.accepted = true;

    // Moving through a cell never edits it: the text it already has changes nothing.
    if (typed == table.at(row, col)) {
        result.text = typed;
        return result;
    }

    std::string t = typed;
    if (!t.empty()) {
        const std::int64_t v = FrequencyUnitsFromText(t);
        // The text shown and stored is the value that was checked, so that a
        // long entry cut to 10 Hz cannot turn into an off-step neighbour.
        t = FormatMHz(v);
        bool onStep = false;
        for (std::int64_t step : rule.steps) onStep = onStep || (step != 0 && v % step == 0);
        if (v < rule.lo || v > rule.hi) {
            result.message = rule.rangeMessage.in(ui);
            t.clear();
        } else if (!onStep) {
            result.message = (key == CommitKey::Enter ? rule.stepMessageOnEnter : rule.stepMessage).in(ui);
            t.clear();
        }
        result.accepted = !result.message.has_value();
        // A refused text leaves the row as it was: only an emptied cell clears.
        if (!result.accepted) {
            result.text = table.at(row, col);
            return result;
        }
    }

    const int rxCol = family.columnOf(ColumnKind::RxFrequency);
    const int txCol = family.columnOf(ColumnKind::TxFrequency);
    const int rxTone = family.columnOf(ColumnKind::RxTone);
    const int txTone = family.columnOf(ColumnKind::TxTone);

    if (t.empty()) {
        const int tone = col == rxCol ? rxTone : col == txCol ? txTone : -1;
        if (tone >= 0) table.at(row, tone).clear();
        table.at(row, col).clear();
        bool allEmpty = true;
        for (int c : {rxCol, txCol, rxTone, txTone}) allEmpty = allEmpty && (c < 0 || IsEmpty(table, row, c));
        if (allEmpty) {
            for (int c = family.deleteFromColumn; c < family.columnCount(); ++c) {
                if (family.columns[static_cast<std::size_t>(c)].kind != ColumnKind::Blank) table.at(row, c).clear();
            }
        }
    } else {
        bool newChannel = true;
        for (int c = 1; c <= family.newChannelFirstEmptyColumns && c < family.columnCount(); ++c) {
            newChannel = newChannel && IsEmpty(table, row, c);
        }
        if (newChannel) {
            for (int c = 1; c < family.columnCount(); ++c) {
                const Column& column = family.columns[static_cast<std::size_t>(c)];
                switch (column.kind) {
                    case ColumnKind::RxTone:
                    case ColumnKind::TxTone:
                    case ColumnKind::List:
                    case ColumnKind::Name:
                    case ColumnKind::More: table.at(row, c) = column.newChannelDefault.in(ui); break;
                    default: break;
                }
            }
            if (col == rxCol && txCol >= 0) table.at(row, txCol) = t;
        }
        table.at(row, col) = t;
    }
    result.text = table.at(row, col);
    return result;
}

void CommitListCell(ChannelTable& table, int row, int col, const std::string& text) {
    if (text == table.at(row, col)) return;
    table.at(row, col) = RowInUse(table, row) ? text : std::string();
}

std::optional<std::string> ToneEntryFor(const std::string& text) {
    if (text.empty()) return std::string("OFF");
    if (ToneIndex(text) >= 0) return text;
    // Letters in either case ("d023n", "off") and a CTCSS tone written as a
    // number without its tenth ("67", as a spreadsheet shows 67.0) name an
    // entry too.
    std::string upper = text;
    for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (ToneIndex(upper) >= 0) return upper;
    const bool numeric = std::isdigit(static_cast<unsigned char>(text.front())) &&
                         text.find_first_not_of("0123456789.") == std::string::npos;
    if (numeric && DecimalScaledTruncated(text, 6) % 100000 == 0) {
        const std::int64_t tenths = DecimalScaledTruncated(text, 1);
        for (const std::string& entry : ToneTable()) {
            const int t = ToneTenths(entry);
            if (t != 0 && t == tenths) return entry;
        }
    }
    return std::nullopt;
}

std::optional<std::string> CommitToneCell(ChannelTable& table, int row, int col, const std::string& text, Lang lang) {
    if (text == table.at(row, col)) return std::nullopt;
    if (!RowInUse(table, row)) {
        table.at(row, col).clear();
        return std::nullopt;
    }
    const std::optional<std::string> entry = ToneEntryFor(text);
    if (!entry) return NotAToneText(text, lang);
    table.at(row, col) = *entry;
    return std::nullopt;
}

std::string NotAToneText(const std::string& text, Lang lang) {
    static const Text kNotATone{"\"%1\" is not a tone. Choose a tone from the list, or OFF; the cell keeps its tone.",
                                "“%1”不是有效的信令，请从列表中选择信令或OFF；该格保留原来的信令。"};
    std::string message = kNotATone.in(lang);
    message.replace(message.find("%1"), 2, text);
    return message;
}

void CommitNameCell(ChannelTable& table, int row, int col, const std::string& text) { table.at(row, col) = text; }

void CommitMoreCell(ChannelTable& table, int row, int col) {
    table.at(row, col) = RowInUse(table, row) ? ">>" : "";
}

const Text& PleaseInputNumberText(const Family& family) { return family.texts.pleaseInputNumber; }

}  // namespace vel
