#include "table/image_checks.h"

#include <cstdio>
#include <cstdlib>

#include "image/encodings.h"
#include "table/channel_table.h"
#include "table/setting_names.h"

namespace vel {
namespace {

constexpr int kFieldList = 1011;   // the "Field" (band) list of every family

/// Megahertz without trailing zeros: 6700000 gives "67", 14552500 "145.525".
std::string ShortMHz(std::int64_t units) {
    std::string s = FormatMHz(units);
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

/// The accepted steps in kilohertz, "6.25/5/2.5 kHz".
std::string StepsText(const std::vector<std::int64_t>& steps) {
    std::string s;
    for (std::int64_t step : steps) {
        // A step counts units of 10 Hz: 625 is 6.25 kHz.
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", static_cast<double>(step) / 100.0);
        if (!s.empty()) s += '/';
        s += buf;
    }
    return s + " kHz";
}

struct Band {
    std::int64_t lo = 0;
    std::int64_t hi = 0;
    std::string text;
};

/// The band the "Field" list shows, from its text ("136 - 174MHz"); none when
/// the family has no such list, nothing is selected or the text holds no range.
std::optional<Band> FieldBand(const Family& family, const ChannelTable& table, Lang lang) {
    const FormField* field = family.field(kFieldList);
    if (field == nullptr) return std::nullopt;
    const auto it = table.selection.find(kFieldList);
    if (it == table.selection.end() || it->second < 0 || it->second >= static_cast<int>(field->items.size()))
        return std::nullopt;
    const std::string text = field->items[static_cast<std::size_t>(it->second)].text.in(lang);
    const char* p = text.c_str();
    char* end = nullptr;
    const long lo = std::strtol(p, &end, 10);
    if (end == p) return std::nullopt;
    p = end;
    while (*p == ' ' || *p == '-') ++p;
    const long hi = std::strtol(p, &end, 10);
    if (end == p || hi < lo) return std::nullopt;
    std::string shown = text;
    while (!shown.empty() && shown.front() == ' ') shown.erase(shown.begin());
    return Band{static_cast<std::int64_t>(lo) * 100000, static_cast<std::int64_t>(hi) * 100000, shown};
}

class Checker {
public:
    Checker(const Family& family, Lang lang, const Image& image)
        : family_(family), lang_(family.uiLang(lang)), image_(image), table_(NewChannelTable(family, lang_)) {
        FillChannelGrid(family, lang_, image, table_);
        band_ = FieldBand(family, table_, lang_);
    }

    std::vector<ImageProblem> run() {
        for (int ch = 1; ch <= family_.channelCount; ++ch) channel(ch);
        for (const FormField& field : family_.form) formField(field);
        return std::move(problems_);
    }

private:
    void add(Severity severity, int ch, int col, int fieldId, std::string where, std::string value, const Text& message,
             const std::vector<std::pair<std::string, std::string>>& values) {
        ImageProblem p;
        p.severity = severity;
        p.channel = ch;
        p.column = col;
        p.fieldId = fieldId;
        p.where = std::move(where);
        p.value = std::move(value);
        p.message = FillIn(message.in(lang_), values);
        problems_.push_back(std::move(p));
    }

    void cell(Severity severity, int ch, int col, const Text& message,
              const std::vector<std::pair<std::string, std::string>>& values = {}) {
        add(severity, ch, col, 0, ChannelSettingName(family_, lang_, ch, col), table_.at(ch, col), message, values);
    }

    const Byte* record(int ch) const { return &image_.at(static_cast<std::size_t>(family_.recordAddr(ch))); }

    void channel(int ch) {
        (void)image_.at(static_cast<std::size_t>(family_.recordAddr(ch) + 15));
        const bool inUse = RecordInUse(record(ch));
        for (int col = 0; col < family_.columnCount(); ++col) {
            const Column& column = family_.columns[static_cast<std::size_t>(col)];
            switch (column.kind) {
                case ColumnKind::RxFrequency: if (inUse) frequency(ch, col, 0); break;
                case ColumnKind::TxFrequency: if (inUse) frequency(ch, col, 4); break;
                case ColumnKind::RxTone: if (inUse) tone(ch, col, 9, 8); break;
                case ColumnKind::TxTone: if (inUse) tone(ch, col, 11, 10); break;
                case ColumnKind::List: if (inUse) list(ch, col, column); break;
                case ColumnKind::Name: name(ch, col); break;
                case ColumnKind::Number:
                case ColumnKind::More:
                case ColumnKind::Blank: break;
            }
        }
    }

    void frequency(int ch, int col, int offset) {
        const Byte* four = record(ch) + offset;
        if (four[3] == 0xFF || four[3] == 0x00) return;   // no frequency on this side
        const FrequencyRule& rule = family_.frequencyRule;
        // Every nibble is a decimal digit: one above 9 reads as some other
        // number than the radio takes it for.
        bool decimal = true;
        for (int i = 0; i < 4; ++i) decimal = decimal && (four[i] >> 4) <= 9 && (four[i] & 0x0F) <= 9;
        const std::int64_t units = FrequencyUnitsOf(four);
        if (!decimal) {
            cell(Severity::Error, ch, col,
                 {"the bytes {bytes} are not a frequency in decimal digits", "字节 {bytes} 不是十进制数字的频率"},
                 {{"bytes", HexBytes(image_, family_.recordAddr(ch) + offset, 4)}});
            return;
        }
        if (units < rule.lo || units > rule.hi) {
            cell(Severity::Error, ch, col, {"outside {lo}–{hi} MHz", "不在 {lo}–{hi} MHz 范围内"},
                 {{"lo", ShortMHz(rule.lo)}, {"hi", ShortMHz(rule.hi)}});
            return;
        }
        bool onStep = false;
        for (std::int64_t step : rule.steps) onStep = onStep || (step != 0 && units % step == 0);
        if (!onStep) {
            cell(Severity::Error, ch, col, {"not a multiple of {steps}", "不是 {steps} 的倍数"},
                 {{"steps", StepsText(rule.steps)}});
            return;
        }
        if (band_ && (units < band_->lo || units > band_->hi)) {
            cell(Severity::Warning, ch, col, {"outside the band {band} chosen in {field}", "不在{field}所选的 {band} 内"},
                 {{"band", band_->text}, {"field", FieldLabel(family_, lang_, kFieldList)}});
        }
    }

    void tone(int ch, int col, int high, int low) {
        const Byte* rec = record(ch);
        if (rec[high] == 0xFF || rec[high] == 0x00) return;   // no tone
        const std::string& text = table_.at(ch, col);
        if (ToneIndex(text) < 0) {
            cell(Severity::Error, ch, col, {"not a tone of the tone table", "不在信令表中"});
            return;
        }
        Byte h = 0, l = 0;
        StoreToneText(text, h, l);
        if (h != rec[high] || l != rec[low]) {
            cell(Severity::Error, ch, col,
                 {"the bytes {bytes} are not the tone table's form of this tone", "字节 {bytes} 不是该信令的标准形式"},
                 {{"bytes", HexBytes(image_, family_.recordAddr(ch) + high, 1) + " " +
                                HexBytes(image_, family_.recordAddr(ch) + low, 1)}});
        }
    }

    void list(int ch, int col, const Column& column) {
        if (!table_.at(ch, col).empty()) return;
        const int at = family_.recordAddr(ch) + column.codec.byte;
        cell(Severity::Error, ch, col,
             {"record byte {n} holds {byte}, which stands for none of the list's items",
              "记录字节 {n} 为 {byte}，不对应列表中的任何一项"},
             {{"n", std::to_string(column.codec.byte)}, {"byte", HexBytes(image_, at, 1)}});
    }

    void name(int ch, int col) {
        if (!family_.nameAddr) return;
        const int at = *family_.nameAddr + 8 * (ch - 1);
        std::string bad;
        for (int i = 0; i < 8; ++i) {
            const Byte b = image_.at(static_cast<std::size_t>(at + i));
            if (b == 0xFF) break;
            if (b > 37) bad += (bad.empty() ? "" : " ") + HexBytes(image_, at + i, 1);
        }
        if (bad.empty()) return;
        cell(Severity::Error, ch, col,
             {"holds codes that are no name characters ({bytes})", "含有不是名称字符的代码（{bytes}）"},
             {{"bytes", bad}});
    }

    void formField(const FormField& field) {
        const std::string where = FieldLabel(family_, lang_, field.id);
        // What the form shows, stored again, must give the bytes it was read
        // from; otherwise the bytes mean nothing the form can show.
        Image again = image_;
        StoreChannelGrid(family_, table_, again);
        bool same = true;
        std::string bytes;
        for (const OwnedBits& b : FieldBits(family_, field)) {
            const std::size_t at = static_cast<std::size_t>(b.address);
            same = same && ((again.at(at) ^ image_.at(at)) & b.mask) == 0;
            bytes += (bytes.empty() ? "" : " ") + HexBytes(image_, b.address, 1);
        }
        std::string shown;
        bool selected = true;
        if (field.isEdit()) {
            shown = table_.text[field.id];
        } else {
            const int index = table_.selection[field.id];
            selected = index >= 0 && index < static_cast<int>(field.items.size());
            if (selected) shown = field.items[static_cast<std::size_t>(index)].text.in(lang_);
        }
        if (same && selected) return;
        const Text message = field.isEdit()
                                 ? Text{"the bytes {bytes} are not digits followed by FF", "字节 {bytes} 不是数字加 FF"}
                                 : Text{"holds {bytes}, which stands for none of the list's items",
                                        "为 {bytes}，不对应列表中的任何一项"};
        add(Severity::Error, 0, -1, field.id, where, shown, message, {{"bytes", bytes}});
    }

    const Family& family_;
    Lang lang_;
    const Image& image_;
    ChannelTable table_;
    std::optional<Band> band_;
    std::vector<ImageProblem> problems_;
};

}  // namespace

std::vector<ImageProblem> CheckImage(const Family& family, Lang lang, const Image& image) {
    return Checker(family, lang, image).run();
}

int ErrorCount(const std::vector<ImageProblem>& problems) {
    int n = 0;
    for (const ImageProblem& p : problems) n += p.severity == Severity::Error ? 1 : 0;
    return n;
}

bool LooksLikeAnotherRadio(const std::vector<ImageProblem>& problems) {
    return ErrorCount(problems) >= kForeignFileErrors;
}

std::string SeverityWord(Severity severity, Lang lang) {
    const Text word = severity == Severity::Error ? Text{"error", "错误"} : Text{"warning", "警告"};
    return word.in(lang);
}

std::string ProblemLine(const ImageProblem& problem, Lang lang) {
    const Text line{"{severity}: {where}: {value}: {message}", "{severity}：{where}：{value}：{message}"};
    return FillIn(line.in(lang), {{"severity", SeverityWord(problem.severity, lang)},
                                  {"where", problem.where},
                                  {"value", ShownValue(problem.value, lang)},
                                  {"message", problem.message}});
}

std::string AnotherRadioWarning(const std::string& fileName, int errors, Lang lang) {
    const Text line{"{file} fails {n} checks: it may not be a file of this program's radio.",
                    "{file} 有 {n} 项检查未通过：它可能不是本程序所用对讲机的文件。"};
    return FillIn(line.in(lang), {{"file", fileName}, {"n", std::to_string(errors)}});
}

}  // namespace vel
