#include "settings/control_table.h"

#include <algorithm>

#include "image/message_quote.h"

namespace vel {
namespace {

// The characters of a UTF-8 text, each as its bytes. A byte that starts no
// well-formed sequence counts as a character of its own.
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> chars;
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t n = 1;
        if (lead >= 0xC2 && lead <= 0xDF) n = 2;
        else if (lead >= 0xE0 && lead <= 0xEF) n = 3;
        else if (lead >= 0xF0 && lead <= 0xF4) n = 4;
        bool whole = i + n <= text.size();
        for (std::size_t k = 1; whole && k < n; ++k)
            whole = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (!whole) n = 1;
        chars.push_back(text.substr(i, n));
        i += n;
    }
    return chars;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A value in a message: a bounded, printable excerpt (a text given through
// `velprog options set` can be any length and hold control characters).
std::string Quoted(const std::string& text) { return "\"" + QuoteForMessage(text) + "\""; }

}  // namespace

std::string ListItemText(const ControlInfo& list, int index, Lang lang) {
    if (index < 0 || index >= static_cast<int>(list.items.size())) return {};
    return list.items[static_cast<std::size_t>(index)].in(lang);
}

std::optional<std::string> ListItemIndex(const ControlInfo& list, Lang lang, const std::string& text, int& index) {
    if (text.empty() && list.canBeEmpty) {
        index = -1;
        return std::nullopt;
    }
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        if (list.items[i].in(lang) == text) {
            index = static_cast<int>(i);
            return std::nullopt;
        }
    }
    std::string names;
    for (const Text& item : list.items) names += (names.empty() ? "" : ", ") + Quoted(item.in(lang));
    return Quoted(text) + " is not an item of the list (" + names + (list.canBeEmpty ? ", or \"\" for none" : "") +
           ")";
}

std::string EditBoxText(const ControlInfo& box, const std::string& text) {
    if (box.maxLength <= 0) return text;
    const std::vector<std::string> chars = Characters(text);
    if (static_cast<int>(chars.size()) <= box.maxLength) return text;
    std::string cut;
    for (int i = 0; i < box.maxLength; ++i) cut += chars[static_cast<std::size_t>(i)];
    return cut;
}

std::optional<std::string> EditBoxTake(const ControlInfo& box, const std::string& text, std::string& taken) {
    const std::vector<std::string> chars = Characters(text);
    if (box.maxLength > 0 && static_cast<int>(chars.size()) > box.maxLength)
        return Quoted(text) + " is longer than the box's " + std::to_string(box.maxLength) + " characters";
    std::string result;
    for (const std::string& ch : chars) {
        char c = ch.size() == 1 && static_cast<unsigned char>(ch[0]) < 0x80 ? ch[0] : '?';
        if (box.upperCase && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const bool ok = box.chars == EditChars::Any ||
                        (box.chars == EditChars::Digits && IsDigit(c)) ||
                        (box.chars == EditChars::LettersAndDigits && (IsDigit(c) || IsLetter(c)));
        if (!ok) {
            return Quoted(text) + " holds " + Quoted(ch) + "; the box takes " +
                   (box.chars == EditChars::Digits ? "digits only" : "letters and digits only");
        }
        result += c;
    }
    taken = std::move(result);
    return std::nullopt;
}

std::vector<Text> SameItems(const std::vector<std::string>& texts) {
    std::vector<Text> items;
    for (const std::string& t : texts) items.push_back(Same(t));
    return items;
}

std::string CheckText(bool on) { return on ? "1" : "0"; }

std::optional<std::string> CheckTake(const std::string& text, bool& on) {
    if (text != "1" && text != "0") return Quoted(text) + " is not a check box state (\"1\" or \"0\")";
    on = text == "1";
    return std::nullopt;
}

std::optional<std::string> TimeoutTake(const std::string& text, int& position) {
    const std::optional<int> p = TimeoutPositionFromText(text);
    if (!p) return Quoted(text) + " names no time-out (\"OFF\", or 15 to 600 seconds in steps of 15)";
    position = *p;
    return std::nullopt;
}

std::optional<std::string> ControlRefusal(const std::vector<ControlInfo>& controls, int id) {
    const auto it = std::find_if(controls.begin(), controls.end(), [id](const ControlInfo& c) { return c.id == id; });
    if (it == controls.end()) return ControlError(id, "the dialog has no such control");
    if (it->hidden) return ControlError(id, "the control is hidden and cannot be set");
    return std::nullopt;
}

std::string ControlError(int id, const std::string& reason) { return "control " + std::to_string(id) + ": " + reason; }

}  // namespace vel
