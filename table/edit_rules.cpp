#include "table/edit_rules.h"

namespace vel {

namespace {

std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

}  // namespace

EditorKind EditorOf(const Family& family, int col) {
    if (col <= 0 || col >= family.columnCount()) return EditorKind::None;
    switch (family.columns[col].kind) {
        case ColumnKind::RxFrequency:
        case ColumnKind::TxFrequency: return EditorKind::FrequencyEdit;
        case ColumnKind::RxTone:
        case ColumnKind::TxTone: return EditorKind::ToneBox;
        case ColumnKind::List: return EditorKind::List;
        case ColumnKind::Name: return EditorKind::NameEdit;
        case ColumnKind::Number:
        case ColumnKind::More:
        case ColumnKind::Blank: return EditorKind::None;
    }
    return EditorKind::None;
}

int ComboIndexForText(const std::vector<std::string>& entries, std::string_view text) {
    if (entries.empty()) return -1;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (std::string_view(entries[i]).substr(0, text.size()) == text) return static_cast<int>(i);
    return 0;
}

bool KeyBeginsEditing(EditKey key) { return key == 0 || key == 13 || (key >= 32 && key != 127); }

EditorStart StartEditor(EditorKind kind, std::string_view cellText, EditKey key) {
    EditorStart s;
    const bool typed = key != 0 && key != 13;
    s.numberMessage = typed && key >= 32 && !IsDigit(key);
    switch (kind) {
        case EditorKind::None:
        case EditorKind::List:
            break;
        case EditorKind::ToneBox:
            if (typed) {
                s.replaceText = true;
                s.text = Utf8(key);
                s.selectAll = false;
            }
            break;
        case EditorKind::FrequencyEdit:
            if (typed && !IsDigit(key)) {
                s.refused = true;
                break;
            }
            s.replaceText = true;
            s.text = typed ? Utf8(key) : std::string(cellText);
            s.selectAll = !typed;
            break;
        case EditorKind::NameEdit:
            s.replaceText = true;
            s.text = typed ? NameEditText(Utf8(key)) : std::string(cellText);
            s.selectAll = !typed;
            break;
    }
    return s;
}

EditorRect PlaceEditor(long cellLeft, long cellTop, long cellWidth, long cellHeight, int dpiX, int dpiY,
                       bool combo) {
    EditorRect r;
    r.left = static_cast<int>(cellLeft * dpiX / 1440 - 3);
    r.top = static_cast<int>(cellTop * dpiY / 1440 - 3);
    r.width = static_cast<int>(cellWidth * dpiX / 1440);
    r.height = static_cast<int>(cellHeight * dpiY / 1440);
    r.dropHeight = combo ? 100 : 0;
    return r;
}

EnterRoute RouteEnter(EnterFocus focus, bool toneBoxVisible, int row, int col, int lastRow) {
    EnterRoute r;
    const bool lastRowReached = row >= lastRow;
    switch (focus) {
        case EnterFocus::List:
            r.commit = EnterCommit::List;
            if (lastRowReached) r.passOn = EnterPassOn::Tab;
            else r.move = EnterMove::NextColumn;
            break;
        case EnterFocus::NameEdit:
            r.commit = EnterCommit::Name;
            if (lastRowReached) r.passOn = EnterPassOn::Tab;
            else r.move = EnterMove::NextRowFirstColumn;
            break;
        case EnterFocus::FrequencyEdit:
            r.commit = EnterCommit::Frequency;
            r.move = EnterMove::NextColumn;
            break;
        case EnterFocus::ToneBox:
            r.hideToneBox = true;
            r.move = EnterMove::NextColumn;
            break;
        case EnterFocus::Grid:
            r.passOn = col == kGridEnterTabColumn ? EnterPassOn::Tab : EnterPassOn::Right;
            break;
        case EnterFocus::Other:
            if (toneBoxVisible) {
                r.commit = EnterCommit::ToneExactOrOff;
                r.hideToneBox = true;
                r.move = EnterMove::NextColumn;
            } else {
                r.passOn = EnterPassOn::Tab;
            }
            break;
    }
    return r;
}

bool NameEditKeyAllowed(int virtualKey) {
    if (virtualKey <= 0x20) return true;
    if (virtualKey >= 0x30 && virtualKey <= 0x39) return true;
    if (virtualKey >= 0x41 && virtualKey <= 0x5A) return true;
    if (virtualKey >= 0x60 && virtualKey <= 0x69) return true;
    return virtualKey == vk::OemMinus;
}

bool NameCharAllowed(char32_t c) {
    return IsDigit(c) || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || c == U'-' || c == U' ';
}

std::string NameEditText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) continue;  // every byte of a multi-byte character is dropped
        if (!NameCharAllowed(c)) continue;
        out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c);
    }
    return out;
}

}  // namespace vel
