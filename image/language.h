#pragma once
// Display language of built-in texts, and the bilingual text type used by
// every table of texts in velcore.

#include <string>

namespace vel {

enum class Lang { English, Chinese };

/// A built-in text in its English and Chinese forms. Families with one
/// interface language carry the same text in both.
struct Text {
    std::string en;
    std::string ch;

    const std::string& in(Lang lang) const { return lang == Lang::English ? en : ch; }
    bool matches(const std::string& s) const { return s == en || s == ch; }
};

/// A text that is the same in both languages.
inline Text Same(const std::string& s) { return Text{s, s}; }

}  // namespace vel
