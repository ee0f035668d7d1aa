#include "table/channel_csv.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>

#include "image/encodings.h"
#include "table/csv_text.h"
#include "table/edit_rules.h"

namespace vel {

namespace {

// ---------------------------------------------------------------------------
// Texts
// ---------------------------------------------------------------------------

std::string Say(Lang lang, const std::string& en, const std::string& ch) { return lang == Lang::English ? en : ch; }

std::string Quoted(Lang lang, const std::string& s) { return lang == Lang::English ? "\"" + s + "\"" : "“" + s + "”"; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool SameNoCase(std::string_view a, std::string_view b) { return Lower(a) == Lower(b); }

// ---------------------------------------------------------------------------
// Numbers
// ---------------------------------------------------------------------------

/// A plain decimal number "ddd.ddd" (no sign, no exponent) in units of
/// 10^-scale. `exact` is false when it has non-zero digits below that unit.
struct Decimal {
    bool number = false;
    bool exact = false;
    std::int64_t value = 0;
};

Decimal ParseDecimalText(std::string_view text, int scale) {
    text = Trim(text);
    Decimal d;
    std::size_t i = 0;
    std::int64_t whole = 0;
    int wholeDigits = 0;
    bool anyDigit = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (++wholeDigits > 12) return d;  // no frequency, offset or tone is that large
        whole = whole * 10 + (text[i] - '0');
        anyDigit = true;
        ++i;
    }
    std::int64_t part = 0;
    int partDigits = 0;
    bool exact = true;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            if (partDigits < scale) {
                part = part * 10 + (text[i] - '0');
                ++partDigits;
            } else if (text[i] != '0') {
                exact = false;
            }
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit || i != text.size()) return d;
    std::int64_t unit = 1;
    for (int k = 0; k < scale; ++k) unit *= 10;
    for (; partDigits < scale; ++partDigits) part *= 10;
    d.number = true;
    d.exact = exact;
    d.value = whole * unit + part;
    return d;
}

std::optional<int> ParseChannelNumber(std::string_view text) {
    const Decimal d = ParseDecimalText(text, 0);
    if (!d.number || !d.exact || d.value > 100000) return std::nullopt;
    return static_cast<int>(d.value);
}

/// `units` of 10 Hz as megahertz with six decimals, as exchange files write them.
std::string SixDecimals(std::int64_t units) { return FormatMHz(units) + "0"; }

// ---------------------------------------------------------------------------
// Tones
// ---------------------------------------------------------------------------

/// The tone-table text a cell means: "" and "OFF" as they are, a CTCSS tone
/// however many decimals a spreadsheet gave it ("100" is "100.0"), a DCS code
/// in either case. Nothing when the text names no tone of the table.
std::optional<std::string> ToneTableText(std::string_view cell) {
    const std::string_view t = Trim(cell);
    if (t.empty()) return std::string();
    if (SameNoCase(t, "OFF")) return std::string("OFF");
    std::string text;
    if (t.front() == 'D' || t.front() == 'd') {
        const char polarity = Upper(t.substr(t.size() - 1))[0];
        const std::string_view code = t.substr(1, t.size() >= 2 ? t.size() - 2 : 0);
        if ((polarity != 'N' && polarity != 'I') || code.empty() || code.size() > 3) return std::nullopt;
        if (!std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
        text = "D" + std::string(3 - code.size(), '0') + std::string(code) + polarity;
    } else {
        const Decimal d = ParseDecimalText(t, 1);
        if (!d.number || !d.exact) return std::nullopt;
        text = std::to_string(d.value / 10) + "." + std::to_string(d.value % 10);
    }
    if (ToneIndex(text) < 0) return std::nullopt;
    return text;
}

/// A tone of the table as the common layout states it.
struct ToneParts {
    enum Kind { None, Ctcss, Dcs } kind = None;
    std::string value;   // CTCSS hertz text, or the three DCS digits
    char polarity = 'N'; // 'N' normal, 'R' reversed (the table's "I")
};

ToneParts ToneOfText(std::string_view cell) {
    const std::string_view t = Trim(cell);
    ToneParts p;
    if (t.empty() || SameNoCase(t, "OFF")) return p;
    if (t.front() == 'D' && t.size() >= 3) {
        p.kind = ToneParts::Dcs;
        p.value = std::string(t.substr(1, t.size() - 2));
        p.polarity = t.back() == 'I' ? 'R' : 'N';
        return p;
    }
    p.kind = ToneParts::Ctcss;
    p.value = std::string(t);
    return p;
}

// ---------------------------------------------------------------------------
// Columns
// ---------------------------------------------------------------------------

int RoleColumn(const Family& family, ChannelRole role) {
    for (int c = 0; c < family.columnCount(); ++c)
        if (family.columns[static_cast<std::size_t>(c)].kind == ColumnKind::List &&
            family.columns[static_cast<std::size_t>(c)].role == role)
            return c;
    return -1;
}

/// The item of a role column whose English text is `en`; nullptr when none.
const ListItem* RoleItem(const Column& column, std::string_view en) {
    for (const ListItem& item : column.items)
        if (item.text.en == en) return &item;
    return nullptr;
}

/// English text of the item a cell shows, "" when it shows none.
std::string ItemEnglish(const Column& column, const std::string& cell) {
    for (const ListItem& item : column.items)
        if (item.text.matches(cell)) return item.text.en;
    return {};
}

bool ChannelColumn(ColumnKind kind) { return kind != ColumnKind::Number && kind != ColumnKind::Blank; }

void ClearRow(const Family& family, ChannelTable& table, int row) {
    for (int c = 0; c < family.columnCount(); ++c)
        if (ChannelColumn(family.columns[static_cast<std::size_t>(c)].kind)) table.at(row, c).clear();
}

/// Length of the stored name: the bytes a name occupies in the image.
constexpr std::size_t kNameBytes = 8;

// ---------------------------------------------------------------------------
// Reasons
// ---------------------------------------------------------------------------

struct Reasons {
    Lang lang;
    std::string s(const std::string& en, const std::string& ch) const { return Say(lang, en, ch); }

    // Refusals.
    std::string notFrequency() const { return s("not a frequency in MHz", "不是以 MHz 为单位的频率"); }
    std::string finerThan10Hz() const { return s("finer than 10 Hz", "精度超过 10 Hz"); }
    std::string duplexOff() const {
        return s("a channel that does not transmit cannot be made on this radio", "本机不能设置只收不发的信道");
    }
    std::string duplexUnknown() const {
        return s("not one of \"\", \"+\", \"-\", \"split\", \"off\"", "不是 “”、“+”、“-”、“split”、“off” 之一");
    }
    std::string notOffset() const { return s("not an offset in MHz", "不是以 MHz 为单位的频差"); }
    std::string txNotAbove0() const {
        return s("the transmit frequency would not be above 0 MHz", "发射频率将不大于 0 MHz");
    }
    std::string toneUnknown() const {
        return s("not one of \"\", \"Tone\", \"TSQL\", \"DTCS\", \"Cross\"",
                 "不是 “”、“Tone”、“TSQL”、“DTCS”、“Cross” 之一");
    }
    std::string crossUnknown() const {
        return s("not one of \"Tone->Tone\", \"Tone->DTCS\", \"DTCS->Tone\", \"DTCS->\", \"->Tone\", \"->DTCS\", "
                 "\"DTCS->DTCS\"",
                 "不是 “Tone->Tone”、“Tone->DTCS”、“DTCS->Tone”、“DTCS->”、“->Tone”、“->DTCS”、“DTCS->DTCS” 之一");
    }
    std::string notCtcss() const { return s("not a CTCSS tone of the tone table", "不是信令表中的 CTCSS 亚音频"); }
    std::string notDcs() const { return s("not a DCS code of the tone table", "不是信令表中的 DCS 数字亚音"); }
    std::string polarity() const {
        return s("two letters N or R, transmit first", "应为两个字母 N 或 R，发射在前");
    }
    std::string modeUnknown() const { return s("this radio has FM and NFM only", "本机只有 FM 和 NFM"); }
    std::string powerUnknown() const {
        return s("this radio has High and Low only (or a wattage)", "本机只有 High 和 Low（或瓦数）");
    }
    std::string skipUnknown() const {
        return s("not \"\" (scan) or \"S\" (skip)", "不是 “”（扫描）或 “S”（跳过）");
    }
    std::string notTone() const { return s("not a tone of the tone table", "不在信令表中"); }
    std::string notItem(const Column& column) const {
        std::string list;
        for (const ListItem& item : column.items) {
            if (!list.empty()) list += lang == Lang::English ? ", " : "、";
            list += item.text.in(lang);
        }
        return s("not one of " + list, "不是 " + list + " 之一");
    }
    std::string extraCells(int columns) const {
        const std::string n = std::to_string(columns);
        return s("more cells than the " + n + " columns of the header", "单元格多于标题行的 " + n + " 列");
    }
    std::string onlyChannels(int count) const {
        const std::string n = std::to_string(count);
        return s("this radio has only " + n + " channels", "本机只有 " + n + " 个信道");
    }
    std::string noFreeChannel(int count) const {
        const std::string n = std::to_string(count);
        return s("no free channel after the last one in use (this radio has " + n + ")",
                 "最后一个已用信道之后没有空余信道（本机共 " + n + " 个）");
    }
    std::string notChannel(int count) const {
        const std::string n = std::to_string(count);
        return s("not a channel number of this radio (1-" + n + ")", "不是本机的信道号（1-" + n + "）");
    }
    std::string taken(int row) const {
        const std::string n = std::to_string(row);
        return s("the channel is already imported from row " + n, "该信道已从第" + n + "行导入");
    }

    // Values left out of an imported row: never depending on the value.
    std::string noNames() const { return s("this radio has no channel names", "本机没有信道名称"); }
    std::string nameFitted(std::size_t length) const {
        const std::string n = std::to_string(length);
        return s("a name holds at most " + n + " characters of A-Z, 0-9, \"-\" and blank",
                 "名称最多 " + n + " 个字符，只能是 A-Z、0-9、“-”和空格");
    }
    std::string noPower() const { return s("this radio has no transmit power per channel", "本机没有逐信道的发射功率"); }
    std::string noBandwidth() const {
        return s("this radio sets the band width for all channels on its form", "本机的频带宽度对所有信道统一设置");
    }
    std::string noScan() const { return s("this radio has no scan setting per channel", "本机没有逐信道的扫描设置"); }
    std::string unusedRow() const {
        return s("a row without a frequency holds no channel settings", "没有频率的行不保存信道设置");
    }
    std::string blankColumn() const { return s("the column holds no data", "该列不保存数据"); }

    // Export.
    std::string noReceive() const {
        return s("the channel has no receive frequency, which the common layout cannot state",
                 "该信道没有接收频率，通用交换格式无法表示");
    }
};

// ---------------------------------------------------------------------------
// Rows of the file as texts to commit
// ---------------------------------------------------------------------------

/// What one record of the file says about one channel: the text to commit
/// per column (none: leave the column to the row's defaults or its present
/// value), how to name each column in a report, the channel number it gives,
/// and what is already known to be refused or left out.
struct RowPlan {
    std::vector<std::optional<std::string>> cells;
    std::vector<std::string> labels;
    std::vector<std::string> values;
    bool hasFrequency = false;
    std::optional<std::string> location;   // CH or Location text, when the file has the column
    std::string locationLabel;
    std::vector<CsvProblem> refusals;
    std::vector<CsvProblem> drops;

    explicit RowPlan(int columns)
        : cells(static_cast<std::size_t>(columns)), labels(static_cast<std::size_t>(columns)),
          values(static_cast<std::size_t>(columns)) {}
    void set(int col, std::string text, std::string label, std::string value) {
        cells[static_cast<std::size_t>(col)] = std::move(text);
        labels[static_cast<std::size_t>(col)] = std::move(label);
        values[static_cast<std::size_t>(col)] = std::move(value);
    }
};

/// A frequency cell: its five-decimal text, or a refusal.
std::optional<std::string> FrequencyCellText(std::string_view text, const Reasons& why, const std::string& label,
                                             RowPlan& plan) {
    const Decimal d = ParseDecimalText(text, 5);
    if (!d.number) {
        plan.refusals.push_back({label, std::string(text), why.notFrequency()});
        return std::nullopt;
    }
    if (!d.exact) {
        plan.refusals.push_back({label, std::string(text), why.finerThan10Hz()});
        return std::nullopt;
    }
    return FormatMHz(d.value);
}

RowPlan PlanNative(const Family& family, Lang ui, const CsvRecord& record, const std::vector<std::string>& header) {
    const Reasons why{ui};
    const int columns = family.columnCount();
    RowPlan plan(columns);
    const auto cellAt = [&](int c) -> std::string {
        return c < static_cast<int>(record.cells.size()) ? record.cells[static_cast<std::size_t>(c)] : std::string();
    };
    // A column is named by its header, or by its number where it has none.
    const auto label = [&](int c) {
        const std::string text =
            c < static_cast<int>(header.size()) ? std::string(Trim(header[static_cast<std::size_t>(c)])) : std::string();
        return text.empty() ? std::to_string(c + 1) : text;
    };

    for (int c = 0; c < columns; ++c) {
        const ColumnKind kind = family.columns[static_cast<std::size_t>(c)].kind;
        if ((kind == ColumnKind::RxFrequency || kind == ColumnKind::TxFrequency) && !Trim(cellAt(c)).empty())
            plan.hasFrequency = true;
    }
    for (int c = 0; c < columns; ++c) {
        const Column& column = family.columns[static_cast<std::size_t>(c)];
        const std::string raw = cellAt(c);
        const std::string text(Trim(raw));
        switch (column.kind) {
            case ColumnKind::Number:
                plan.location = text;
                plan.locationLabel = label(c);
                break;
            case ColumnKind::RxFrequency:
            case ColumnKind::TxFrequency:
                if (text.empty()) {
                    plan.set(c, "", label(c), text);
                } else if (auto f = FrequencyCellText(text, why, label(c), plan)) {
                    plan.set(c, *f, label(c), text);
                }
                break;
            case ColumnKind::RxTone:
            case ColumnKind::TxTone:
            case ColumnKind::List: {
                if (!plan.hasFrequency) {
                    // The commit rules keep nothing of these on a row that is not in use.
                    if (!text.empty()) plan.drops.push_back({label(c), text, why.unusedRow()});
                    break;
                }
                if (column.kind != ColumnKind::List) {
                    if (auto tone = ToneTableText(text)) plan.set(c, *tone, label(c), text);
                    else plan.refusals.push_back({label(c), text, why.notTone()});
                    break;
                }
                if (text.empty()) {
                    plan.set(c, "", label(c), text);
                    break;
                }
                const auto item = std::find_if(column.items.begin(), column.items.end(), [&](const ListItem& i) {
                    return SameNoCase(i.text.en, text) || i.text.ch == text;
                });
                if (item == column.items.end()) plan.refusals.push_back({label(c), text, why.notItem(column)});
                else plan.set(c, item->text.in(ui), label(c), text);
                break;
            }
            case ColumnKind::Name: {
                // The window shows names of up to the eight stored characters;
                // they come back whole, blanks included.
                std::string fitted = NameEditText(raw);
                if (fitted.size() > kNameBytes) fitted.resize(kNameBytes);
                if (fitted != Upper(raw)) plan.drops.push_back({label(c), raw, why.nameFitted(kNameBytes)});
                plan.set(c, fitted, label(c), raw);
                break;
            }
            case ColumnKind::Blank:
                if (!text.empty()) plan.drops.push_back({label(c), text, why.blankColumn()});
                break;
            case ColumnKind::More: break;  // follows from the frequencies
        }
    }
    for (std::size_t c = static_cast<std::size_t>(columns); c < record.cells.size(); ++c) {
        if (Trim(record.cells[c]).empty()) continue;
        plan.refusals.push_back({std::to_string(c + 1), record.cells[c], why.extraCells(columns)});
        break;
    }
    return plan;
}

/// Columns of a common-layout header by lower-case name.
class CommonHeader {
public:
    explicit CommonHeader(const std::vector<std::string>& header) {
        for (std::size_t c = 0; c < header.size(); ++c) index_.emplace(Lower(Trim(header[c])), c);
    }
    bool has(const std::string& lowerName) const { return index_.count(lowerName) != 0; }
    /// The trimmed cell of column `lowerName`; nothing when the header lacks it.
    std::optional<std::string> get(const CsvRecord& record, const std::string& lowerName) const {
        const auto it = index_.find(lowerName);
        if (it == index_.end()) return std::nullopt;
        if (it->second >= record.cells.size()) return std::string();
        return std::string(Trim(record.cells[it->second]));
    }

private:
    std::map<std::string, std::size_t> index_;
};

/// The tone texts of a common-layout row (transmit, receive), or refusals.
void PlanCommonTones(const CommonHeader& h, const CsvRecord& record, const Reasons& why, std::string& tx,
                     std::string& rx, std::vector<CsvProblem>& refusals) {
    tx = rx = "OFF";
    const std::string mode = h.get(record, "tone").value_or("");
    // Missing columns take the values files of this layout carry by default.
    const std::string rTone = h.get(record, "rtonefreq").value_or("88.5");
    const std::string cTone = h.get(record, "ctonefreq").value_or("88.5");
    const std::string dtcs = h.get(record, "dtcscode").value_or("023");
    const std::string pol = h.get(record, "dtcspolarity").value_or("NN");
    // Older files have no RxDtcsCode: one code for both directions.
    const std::string rxDtcs = h.get(record, "rxdtcscode").value_or(dtcs);
    const std::string cross = h.get(record, "crossmode").value_or("Tone->Tone");

    const auto ctcss = [&](const char* column, const std::string& value) {
        const Decimal d = ParseDecimalText(value, 1);
        const std::string text = d.number && d.exact ? std::to_string(d.value / 10) + "." + std::to_string(d.value % 10)
                                                     : std::string();
        if (text.empty() || ToneIndex(text) < 0) {
            refusals.push_back({column, value, why.notCtcss()});
            return std::string("OFF");
        }
        return text;
    };
    const std::string polarity = Upper(pol);
    const bool polarityOk =
        polarity.size() == 2 && (polarity[0] == 'N' || polarity[0] == 'R') && (polarity[1] == 'N' || polarity[1] == 'R');
    bool polarityReported = false;
    // side 0: transmit, 1: receive.
    const auto dcs = [&](const char* column, const std::string& value, int side) {
        if (!polarityOk) {
            if (!polarityReported) refusals.push_back({"DtcsPolarity", pol, why.polarity()});
            polarityReported = true;
            return std::string("OFF");
        }
        const bool digits = !value.empty() && value.size() <= 3 &&
                            std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
        const std::string text = "D" + std::string(digits ? 3 - value.size() : 0, '0') + value +
                                 (polarity[static_cast<std::size_t>(side)] == 'R' ? "I" : "N");
        if (!digits || ToneIndex(text) < 0) {
            refusals.push_back({column, value, why.notDcs()});
            return std::string("OFF");
        }
        return text;
    };

    const std::string m = Lower(mode);
    if (m.empty()) return;
    if (m == "tone") {
        tx = ctcss("rToneFreq", rTone);
    } else if (m == "tsql") {
        tx = rx = ctcss("cToneFreq", cTone);
    } else if (m == "dtcs") {
        tx = dcs("DtcsCode", dtcs, 0);
        rx = dcs("DtcsCode", dtcs, 1);
    } else if (m == "cross") {
        const std::string c = Lower(cross);
        if (c == "tone->tone") {
            tx = ctcss("rToneFreq", rTone);
            rx = ctcss("cToneFreq", cTone);
        } else if (c == "tone->dtcs") {
            tx = ctcss("rToneFreq", rTone);
            rx = dcs("RxDtcsCode", rxDtcs, 1);
        } else if (c == "dtcs->tone") {
            tx = dcs("DtcsCode", dtcs, 0);
            rx = ctcss("cToneFreq", cTone);
        } else if (c == "dtcs->") {
            tx = dcs("DtcsCode", dtcs, 0);
        } else if (c == "->tone") {
            rx = ctcss("cToneFreq", cTone);
        } else if (c == "->dtcs") {
            rx = dcs("RxDtcsCode", rxDtcs, 1);
        } else if (c == "dtcs->dtcs") {
            tx = dcs("DtcsCode", dtcs, 0);
            rx = dcs("RxDtcsCode", rxDtcs, 1);
        } else {
            refusals.push_back({"CrossMode", cross, why.crossUnknown()});
        }
    } else {
        refusals.push_back({"Tone", mode, why.toneUnknown()});
    }
}

/// Power level of a wattage: the nearer of the radios' Low (1 W) and High (5 W).
std::optional<std::string> PowerLevel(const std::string& text) {
    if (SameNoCase(text, "High")) return std::string("High");
    if (SameNoCase(text, "Low")) return std::string("Low");
    std::string_view t = Trim(text);
    if (!t.empty() && (t.back() == 'W' || t.back() == 'w')) t.remove_suffix(1);
    const Decimal watts = ParseDecimalText(t, 3);
    if (!watts.number) return std::nullopt;
    return std::string(watts.value >= 3000 ? "High" : "Low");
}

RowPlan PlanCommon(const Family& family, Lang ui, const CsvRecord& record, const CommonHeader& h) {
    const Reasons why{ui};
    RowPlan plan(family.columnCount());
    if (h.has("location")) {
        plan.location = h.get(record, "location");
        plan.locationLabel = "Location";
    }

    // The name, which a channel without frequencies keeps too.
    const std::string name = h.get(record, "name").value_or("");
    if (const int c = family.columnOf(ColumnKind::Name); c >= 0) {
        const std::size_t limit = static_cast<std::size_t>(family.nameEditLimit);
        std::string fitted = NameEditText(name);
        if (fitted.size() > limit) fitted.resize(limit);
        if (fitted != Upper(name)) plan.drops.push_back({"Name", name, why.nameFitted(limit)});
        plan.set(c, fitted, "Name", name);
    } else if (!name.empty()) {
        plan.drops.push_back({"Name", name, why.noNames()});
    }

    // Frequencies. A row without one is an empty channel (a numbered row of
    // a template); whatever else it says describes no channel.
    const int rxCol = family.columnOf(ColumnKind::RxFrequency);
    const int txCol = family.columnOf(ColumnKind::TxFrequency);
    const std::string freq = h.get(record, "frequency").value_or("");
    if (freq.empty()) return plan;
    plan.hasFrequency = true;
    std::optional<std::int64_t> rx;
    const Decimal f = ParseDecimalText(freq, 5);
    if (!f.number) plan.refusals.push_back({"Frequency", freq, why.notFrequency()});
    else if (!f.exact) plan.refusals.push_back({"Frequency", freq, why.finerThan10Hz()});
    else rx = f.value;
    const std::string duplex = h.get(record, "duplex").value_or("");
    const std::string offsetText = h.get(record, "offset").value_or("0");
    const std::string d = Lower(duplex);
    std::optional<std::int64_t> tx;
    if (d == "off") {
        plan.refusals.push_back({"Duplex", duplex, why.duplexOff()});
    } else if (d != "" && d != "+" && d != "-" && d != "split") {
        plan.refusals.push_back({"Duplex", duplex, why.duplexUnknown()});
    } else if (d.empty()) {
        tx = rx;
    } else {
        const Decimal off = ParseDecimalText(offsetText, 5);
        if (!off.number) plan.refusals.push_back({"Offset", offsetText, why.notOffset()});
        else if (!off.exact) plan.refusals.push_back({"Offset", offsetText, why.finerThan10Hz()});
        else if (rx) tx = d == "+" ? *rx + off.value : d == "-" ? *rx - off.value : off.value;
    }
    if (tx && *tx <= 0) {
        plan.refusals.push_back({"Offset", offsetText, why.txNotAbove0()});
        tx.reset();
    }
    if (rx && rxCol >= 0) plan.set(rxCol, FormatMHz(*rx), "Frequency", freq);
    if (tx && txCol >= 0) {
        // A refused transmit frequency is named by what it came from.
        if (d.empty()) plan.set(txCol, FormatMHz(*tx), "Frequency", freq);
        else plan.set(txCol, FormatMHz(*tx), "Duplex/Offset", FormatMHz(*tx));
    }

    // Tones.
    std::string txTone, rxTone;
    PlanCommonTones(h, record, why, txTone, rxTone, plan.refusals);
    const std::string toneLabel = "Tone " + h.get(record, "tone").value_or("");
    if (const int c = family.columnOf(ColumnKind::TxTone); c >= 0) plan.set(c, txTone, toneLabel, txTone);
    if (const int c = family.columnOf(ColumnKind::RxTone); c >= 0) plan.set(c, rxTone, toneLabel, rxTone);

    // Lists with a meaning in the layout. An empty or missing cell takes the
    // new channel's default.
    const auto roleValue = [&](ChannelRole role, const char* column, const std::optional<std::string>& en,
                               const std::string& value, const std::string& refusal, const std::string& drop) {
        const int c = RoleColumn(family, role);
        if (c < 0) {
            if (!value.empty()) plan.drops.push_back({column, value, drop});
            return;
        }
        const Column& col = family.columns[static_cast<std::size_t>(c)];
        if (value.empty()) {
            plan.set(c, col.newChannelDefault.in(ui), column, value);
            return;
        }
        const ListItem* item = en ? RoleItem(col, *en) : nullptr;
        if (!item) plan.refusals.push_back({column, value, refusal});
        else plan.set(c, item->text.in(ui), column, value);
    };
    const std::string mode = h.get(record, "mode").value_or("");
    const std::optional<std::string> width = SameNoCase(mode, "FM")    ? std::optional<std::string>("Wide")
                                             : SameNoCase(mode, "NFM") ? std::optional<std::string>("Narrow")
                                                                       : std::nullopt;
    roleValue(ChannelRole::Bandwidth, "Mode", width, mode, why.modeUnknown(), why.noBandwidth());
    const std::string power = h.get(record, "power").value_or("");
    roleValue(ChannelRole::Power, "Power", PowerLevel(power), power, why.powerUnknown(), why.noPower());
    // An empty Skip means scanned, the default of every scan list.
    const std::string skip = h.get(record, "skip").value_or("");
    roleValue(ChannelRole::Scan, "Skip", SameNoCase(skip, "S") ? std::optional<std::string>("No") : std::nullopt, skip,
              why.skipUnknown(), why.noScan());
    return plan;
}

/// Writes a plan into row `row` through the commit functions, frequencies
/// first as a person would type them. `keep` leaves the row's other cells
/// as they are (a channel in use that a common-layout row updates);
/// otherwise the row starts empty and takes the new-channel defaults.
/// Returns the commit's refusals.
std::vector<CsvProblem> CommitPlan(const Family& family, Lang ui, ChannelTable& table, int row, const RowPlan& plan,
                                   bool keep) {
    std::vector<CsvProblem> refused;
    if (!keep) ClearRow(family, table, row);
    for (ColumnKind kind : {ColumnKind::RxFrequency, ColumnKind::TxFrequency}) {
        const int c = family.columnOf(kind);
        if (c < 0 || !plan.cells[static_cast<std::size_t>(c)]) continue;
        const FrequencyCommit commit =
            CommitFrequency(family, ui, table, row, c, *plan.cells[static_cast<std::size_t>(c)], CommitKey::LeaveCell);
        if (commit.message)
            refused.push_back({plan.labels[static_cast<std::size_t>(c)], plan.values[static_cast<std::size_t>(c)],
                               *commit.message});
    }
    for (int c = 0; c < family.columnCount(); ++c) {
        const auto& text = plan.cells[static_cast<std::size_t>(c)];
        switch (family.columns[static_cast<std::size_t>(c)].kind) {
            case ColumnKind::RxTone:
            case ColumnKind::TxTone:
                if (text) CommitToneCell(table, row, c, *text);
                break;
            case ColumnKind::List:
                if (text) CommitListCell(table, row, c, *text);
                break;
            case ColumnKind::Name:
                if (text) CommitNameCell(table, row, c, *text);
                break;
            case ColumnKind::More: CommitMoreCell(table, row, c); break;
            default: break;
        }
    }
    return refused;
}

// ---------------------------------------------------------------------------
// The header line
// ---------------------------------------------------------------------------

bool IsNativeHeader(const Family& family, const std::vector<std::string>& header) {
    // A column that never holds anything may be missing at the end: a
    // spreadsheet drops empty columns at the right when it saves.
    std::size_t needed = static_cast<std::size_t>(family.columnCount());
    while (needed > 0 && family.columns[needed - 1].kind == ColumnKind::Blank) --needed;
    if (header.size() < needed) return false;
    for (std::size_t c = 0; c < header.size(); ++c) {
        const std::string_view cell = Trim(header[c]);
        if (c >= static_cast<std::size_t>(family.columnCount())) {
            if (!cell.empty()) return false;
            continue;
        }
        const Column& column = family.columns[c];
        if (column.kind == ColumnKind::Blank) continue;
        if (cell != Trim(column.header.en) && cell != Trim(column.header.ch)) return false;
    }
    return true;
}

std::string NativeHeaderText(const Family& family, Lang ui) {
    std::string text;
    for (const Column& c : family.columns) text += (text.empty() ? "" : ",") + std::string(Trim(c.header.in(ui)));
    return text;
}

std::string RowList(const std::vector<int>& rows, Lang lang) {
    std::string out;
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) ++j;
        if (!out.empty()) out += lang == Lang::English ? ", " : "、";
        out += std::to_string(rows[i]);
        if (j > i) out += "-" + std::to_string(rows[j]);
        i = j + 1;
    }
    return out;
}

std::string ProblemText(const CsvProblem& p, Lang lang) {
    if (p.column.empty()) return p.reason;
    return p.column + (lang == Lang::English ? " " : "") + Quoted(lang, p.value) + (lang == Lang::English ? ": " : "：") +
           p.reason;
}

}  // namespace

const std::vector<std::string>& CommonLayoutColumns() {
    static const std::vector<std::string> columns = {
        "Location", "Name",     "Frequency",  "Duplex",    "Offset", "Tone",  "rToneFreq",
        "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",  "TStep",
        "Skip",     "Power",    "Comment",    "URCALL",    "RPT1CALL", "RPT2CALL", "DVCODE"};
    return columns;
}

ChannelImport ImportChannels(const Family& family, Lang lang, std::string_view text, CsvForm form, ImportMode mode,
                             const ChannelTable& table) {
    const Lang ui = family.uiLang(lang);
    const Reasons why{ui};
    ChannelImport out;
    out.table = table;
    out.table.cells.resize(static_cast<std::size_t>(family.channelCount + 1));
    for (auto& row : out.table.cells) row.resize(static_cast<std::size_t>(family.columnCount()));
    const auto fail = [&](const std::string& en, const std::string& ch) {
        out.error = Say(ui, en, ch);
        out.table = table;
        return out;
    };

    if (!IsUtf8(text))
        return fail("The file is not UTF-8 text. Save it from the spreadsheet as \"CSV UTF-8\" and import it again.",
                    "文件不是 UTF-8 文本。请在电子表格中另存为“CSV UTF-8”格式后再导入。");
    const CsvText csv = ParseCsv(text);
    if (!csv.ok) return fail(csv.error.en, csv.error.ch);
    auto record = csv.records.begin();
    while (record != csv.records.end() && record->blank()) ++record;
    if (record == csv.records.end()) return fail("The file holds no header line.", "文件没有标题行。");
    const std::vector<std::string>& header = record->cells;
    ++record;

    const bool native = IsNativeHeader(family, header);
    const CommonHeader common(header);
    if (form == CsvForm::Auto) form = native ? CsvForm::Native : common.has("frequency") ? CsvForm::Common : CsvForm::Auto;
    if (form == CsvForm::Native && !native)
        return fail("The header line is not the channel table of this program: " + NativeHeaderText(family, ui) + ".",
                    "标题行不是本程序的信道表：" + NativeHeaderText(family, ui) + "。");
    if (form == CsvForm::Common && !common.has("frequency"))
        return fail("The header line has no \"Frequency\" column of the common exchange layout.",
                    "标题行没有通用交换格式的“Frequency”列。");
    if (form == CsvForm::Auto) {
        if (header.size() == 1 && header[0].find(';') != std::string::npos)
            return fail("The cells are separated by semicolons; this program reads comma-separated files.",
                        "单元格以分号分隔；本程序只读取以逗号分隔的文件。");
        return fail("The header line is neither the channel table of this program nor the common exchange layout "
                    "(which has a \"Frequency\" column).",
                    "标题行既不是本程序的信道表，也不是通用交换格式（应有“Frequency”列）。");
    }
    out.form = form;

    const int count = family.channelCount;
    ChannelTable& t = out.table;
    int next = 1;
    if (mode == ImportMode::Replace) {
        for (int r = 1; r <= count; ++r) ClearRow(family, t, r);
    } else if (mode == ImportMode::Append) {
        for (int r = 1; r <= count; ++r)
            if (RowInUse(t, r)) next = r + 1;
    }
    std::vector<int> takenBy(static_cast<std::size_t>(count + 1), 0);

    for (; record != csv.records.end(); ++record) {
        if (record->blank()) continue;
        RowPlan plan = form == CsvForm::Native ? PlanNative(family, ui, *record, header)
                                               : PlanCommon(family, ui, *record, common);
        CsvRowReport report{record->row, 0, {}};
        const auto refuse = [&](const std::vector<CsvProblem>& problems) {
            // One reason per value: a DCS code that serves both directions is named once.
            for (const CsvProblem& p : problems) {
                const bool seen = std::any_of(report.problems.begin(), report.problems.end(), [&](const CsvProblem& q) {
                    return q.column == p.column && q.value == p.value && q.reason == p.reason;
                });
                if (!seen) report.problems.push_back(p);
            }
            out.refused.push_back(std::move(report));
        };

        // The channel the row goes to.
        int channel = 0;
        if (mode == ImportMode::Merge) {
            const std::optional<int> n = plan.location ? ParseChannelNumber(*plan.location) : std::nullopt;
            if (!n || *n < 1 || *n > count) {
                plan.refusals.insert(plan.refusals.begin(), {plan.location ? plan.locationLabel : std::string("Location"),
                                                             plan.location.value_or(""), why.notChannel(count)});
            } else if (takenBy[static_cast<std::size_t>(*n)] != 0) {
                plan.refusals.insert(plan.refusals.begin(), {plan.locationLabel, *plan.location,
                                                             why.taken(takenBy[static_cast<std::size_t>(*n)])});
            } else {
                channel = *n;
            }
        } else if (mode == ImportMode::Replace) {
            // Every row keeps its place in file order, a refused one included.
            channel = next++;
            if (channel > count) {
                refuse({{"", "", why.onlyChannels(count)}});
                continue;
            }
        } else {
            if (!plan.hasFrequency) {
                // Nothing to append: an empty row holds no channel.
                ++out.emptyRows;
                for (std::size_t c = 0; c < plan.cells.size(); ++c)
                    if (plan.cells[c] && !plan.cells[c]->empty())
                        plan.drops.push_back({plan.labels[c], plan.values[c], why.unusedRow()});
                if (!plan.drops.empty()) out.dropped.push_back({record->row, 0, std::move(plan.drops)});
                continue;
            }
            if (plan.refusals.empty()) {
                if (next > count) plan.refusals.push_back({"", "", why.noFreeChannel(count)});
                else channel = next;
            }
        }
        report.channel = channel;
        if (!plan.refusals.empty()) {
            refuse(plan.refusals);
            continue;
        }

        // A common-layout row updates a channel in use, keeping what the
        // layout cannot state (signalling, PTT ID, busy lock, ...).
        const bool keep = form == CsvForm::Common && mode == ImportMode::Merge && RowInUse(t, channel);
        const std::vector<std::string> before = t.cells.at(static_cast<std::size_t>(channel));
        std::vector<CsvProblem> refused = CommitPlan(family, ui, t, channel, plan, keep);
        if (!refused.empty()) {
            t.cells.at(static_cast<std::size_t>(channel)) = before;
            refuse(refused);
            continue;
        }
        takenBy[static_cast<std::size_t>(channel)] = record->row;
        if (mode == ImportMode::Append) ++next;
        if (plan.hasFrequency) ++out.imported;
        else ++out.emptyRows;
        if (!plan.drops.empty()) out.dropped.push_back({record->row, channel, std::move(plan.drops)});
    }
    out.ok = true;
    return out;
}

ChannelExport ExportChannels(const Family& family, Lang lang, CsvForm form, const ChannelTable& table) {
    const Lang ui = family.uiLang(lang);
    const Reasons why{ui};
    ChannelExport out;
    std::vector<std::vector<std::string>> records;
    const int rows = std::min(table.rows() - 1, family.channelCount);
    if (form != CsvForm::Common) {
        for (int r = 0; r <= rows; ++r) records.push_back(table.cells.at(static_cast<std::size_t>(r)));
        out.text = FormatCsv(records);
        return out;
    }

    records.push_back(CommonLayoutColumns());
    const int rxCol = family.columnOf(ColumnKind::RxFrequency);
    const int txCol = family.columnOf(ColumnKind::TxFrequency);
    const int nameCol = family.columnOf(ColumnKind::Name);
    const auto cell = [&](int r, int c) { return c < 0 ? std::string() : table.at(r, c); };
    const auto roleText = [&](int r, ChannelRole role) {
        const int c = RoleColumn(family, role);
        return c < 0 ? std::string() : ItemEnglish(family.columns[static_cast<std::size_t>(c)], table.at(r, c));
    };
    for (int r = 1; r <= rows; ++r) {
        if (!RowInUse(table, r)) continue;
        const std::string rxText = cell(r, rxCol);
        const std::string txText = cell(r, txCol);
        if (rxText.empty()) {
            out.left.push_back({r + 1, r, {{"Frequency", "", why.noReceive()}}});
            continue;
        }
        const std::int64_t rx = FrequencyUnitsFromText(rxText);
        std::string duplex, offset = SixDecimals(0);
        if (txText.empty()) {
            duplex = "off";
        } else {
            const std::int64_t tx = FrequencyUnitsFromText(txText);
            // A transmit frequency 100 MHz or more away is another band: a
            // split, not a repeater offset.
            const std::int64_t diff = tx - rx;
            if (diff >= 10000000 || diff <= -10000000) {
                duplex = "split";
                offset = SixDecimals(tx);
            } else if (diff != 0) {
                duplex = diff > 0 ? "+" : "-";
                offset = SixDecimals(diff > 0 ? diff : -diff);
            }
        }

        // The simplest tone mode that states both tones exactly.
        const ToneParts txTone = ToneOfText(cell(r, family.columnOf(ColumnKind::TxTone)));
        const ToneParts rxTone = ToneOfText(cell(r, family.columnOf(ColumnKind::RxTone)));
        std::string tone, rTone = "88.5", cTone = "88.5", dtcs = "023", rxDtcs = "023", cross = "Tone->Tone";
        std::string polarity = "NN";
        using K = ToneParts;
        const auto pol = [](const ToneParts& t) { return std::string(1, t.kind == K::Dcs ? t.polarity : 'N'); };
        if (txTone.kind == K::None && rxTone.kind == K::None) {
        } else if (txTone.kind == K::Ctcss && rxTone.kind == K::None) {
            tone = "Tone";
            rTone = txTone.value;
        } else if (txTone.kind == K::Ctcss && rxTone.kind == K::Ctcss && txTone.value == rxTone.value) {
            tone = "TSQL";
            cTone = txTone.value;
        } else if (txTone.kind == K::Dcs && rxTone.kind == K::Dcs && txTone.value == rxTone.value) {
            tone = "DTCS";
            dtcs = rxDtcs = txTone.value;
            polarity = pol(txTone) + pol(rxTone);
        } else {
            tone = "Cross";
            polarity = pol(txTone) + pol(rxTone);
            if (txTone.kind == K::Ctcss) rTone = txTone.value;
            if (txTone.kind == K::Dcs) dtcs = txTone.value;
            if (rxTone.kind == K::Ctcss) cTone = rxTone.value;
            if (rxTone.kind == K::Dcs) rxDtcs = rxTone.value;
            const auto side = [](const ToneParts& t) {
                return t.kind == K::Ctcss ? std::string("Tone") : t.kind == K::Dcs ? std::string("DTCS") : std::string();
            };
            cross = side(txTone) + "->" + side(rxTone);
        }

        const std::string width = roleText(r, ChannelRole::Bandwidth);
        const std::string scan = roleText(r, ChannelRole::Scan);
        records.push_back({std::to_string(r), cell(r, nameCol), SixDecimals(rx), duplex, offset, tone, rTone, cTone,
                           dtcs, polarity, rxDtcs, cross,
                           width == "Wide" ? "FM" : width == "Narrow" ? "NFM" : "", "",
                           scan == "No" ? "S" : "", roleText(r, ChannelRole::Power), "", "", "", "", ""});
    }
    out.text = FormatCsv(records);
    return out;
}

std::vector<std::string> DescribeImport(const ChannelImport& result, Lang lang) {
    std::vector<std::string> lines;
    if (!result.ok) {
        lines.push_back(result.error);
        return lines;
    }
    for (const CsvRowReport& row : result.refused) {
        std::string line = Say(lang, "Row " + std::to_string(row.row), "第" + std::to_string(row.row) + "行");
        if (row.channel > 0)
            line += Say(lang, " (channel " + std::to_string(row.channel) + ")", "（信道" + std::to_string(row.channel) + "）");
        line += Say(lang, " refused: ", "未导入：");
        for (std::size_t i = 0; i < row.problems.size(); ++i)
            line += (i ? Say(lang, "; ", "；") : "") + ProblemText(row.problems[i], lang);
        lines.push_back(line);
    }
    // Values left out, grouped by column and reason, in order of first appearance.
    std::vector<std::pair<std::pair<std::string, std::string>, std::vector<int>>> groups;
    for (const CsvRowReport& row : result.dropped) {
        for (const CsvProblem& p : row.problems) {
            auto it = std::find_if(groups.begin(), groups.end(),
                                   [&](const auto& g) { return g.first.first == p.column && g.first.second == p.reason; });
            if (it == groups.end()) {
                groups.push_back({{p.column, p.reason}, {}});
                it = groups.end() - 1;
            }
            if (it->second.empty() || it->second.back() != row.row) it->second.push_back(row.row);
        }
    }
    for (const auto& [key, rows] : groups) {
        const std::string list = RowList(rows, lang);
        lines.push_back(Say(lang, key.first + " not imported (row" + (rows.size() > 1 ? "s " : " ") + list + "): " + key.second,
                            "未导入 " + key.first + "（第" + list + "行）：" + key.second));
    }
    return lines;
}

std::vector<std::string> DescribeExport(const ChannelExport& result, Lang lang) {
    std::vector<std::string> lines;
    for (const CsvRowReport& row : result.left) {
        std::string line = Say(lang, "Channel " + std::to_string(row.channel) + " not exported: ",
                               "信道" + std::to_string(row.channel) + "未导出：");
        for (std::size_t i = 0; i < row.problems.size(); ++i)
            line += (i ? Say(lang, "; ", "；") : "") + row.problems[i].reason;
        lines.push_back(line);
    }
    return lines;
}

}  // namespace vel
