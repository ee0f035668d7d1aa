#pragma once
// The program's configuration file: a plain-text file of "[SECTION]" headers
// and "KEY=VALUE" entries, read once at start-up and never written.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/language.h"

namespace vel {

/// One configuration file held in memory. Section 0 is unnamed and collects
/// the entries before the first header. Section and key names compare without
/// regard to (ASCII) case.
class CConfigFile {
public:
    struct Section {
        std::string name;
        std::vector<std::string> keys;     // parallel to values, in file order
        std::vector<std::string> values;
    };

    CConfigFile();

    /// Reads the file at `path` (the caller builds the full path). A file that
    /// does not exist is created empty (never truncated) and counts as read.
    /// Anything held before is released first. On failure the object stays
    /// empty, path() is empty, every lookup gives its default and failure()
    /// says why. Only a regular file is read (a named pipe, a device or a
    /// folder is refused without blocking), and at most kMaxBytes of it.
    bool Open(const std::string& path);

    /// As Open, but a file that does not exist is not created: nothing at
    /// `path` gives false with no failure(), as nothing to read.
    bool OpenExisting(const std::string& path);

    /// Why the last Open or OpenExisting failed: a clause such as "it is a
    /// named pipe, not a regular file"; empty after a success.
    const std::optional<Text>& failure() const { return failure_; }

    /// The largest configuration file read.
    static constexpr std::size_t kMaxBytes = 16u << 20;

    /// Replaces the sections with those of `contents` (the text of a file).
    /// The path is left as it is. A leading UTF-8 byte-order mark is skipped;
    /// CRLF and LF line ends are both accepted.
    void Parse(std::string_view contents);

    /// The value of `key` in the first section named `section`.
    /// - no such section: `def` as given;
    /// - no such key in it: `def` trimmed on both sides;
    /// - otherwise the value of the last matching key, cut at the first "//",
    ///   then at the first tab followed by ";", then at the first "/*", and not
    ///   trimmed again (so "english //x" gives "english ").
    std::string GetValue(std::string_view section, std::string_view key, std::string_view def) const;

    /// Forgets all sections and the path.
    void Release();

    /// The path given to the last successful Open, or empty.
    const std::string& path() const { return path_; }

    const std::vector<Section>& sections() const { return sections_; }

private:
    bool Load(const std::string& path);

    std::string path_;
    std::optional<Text> failure_;
    std::vector<Section> sections_;
};

/// `text` without leading and trailing white space (blank, tab, CR, LF, VT, FF).
std::string_view TrimWhite(std::string_view text);

/// True when `a` and `b` are equal ignoring ASCII case.
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace vel
