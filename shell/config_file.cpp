#include "shell/config_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "image/file_access.h"

namespace vel {

namespace {

constexpr std::string_view kWhite = " \t\r\n\v\f";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsCommentKey(std::string_view key) {
    if (key.empty()) return true;
    const char c = key.front();
    return c == ';' || c == '/' || c == '*' || c == '\\';
}

/// Cuts `value` at the first occurrence of `marker`, if any.
void CutAt(std::string& value, std::string_view marker) {
    const auto pos = value.find(marker);
    if (pos != std::string::npos) value.erase(pos);
}

}  // namespace

std::string_view TrimWhite(std::string_view text) {
    const auto first = text.find_first_not_of(kWhite);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kWhite);
    return text.substr(first, last - first + 1);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

CConfigFile::CConfigFile() { Release(); }

void CConfigFile::Release() {
    path_.clear();
    failure_.reset();
    sections_.assign(1, Section{});
}

void CConfigFile::Parse(std::string_view contents) {
    sections_.assign(1, Section{});
    if (contents.starts_with(kUtf8Bom)) contents.remove_prefix(kUtf8Bom.size());

    while (!contents.empty()) {
        const auto end = contents.find('\n');
        const std::string_view raw = contents.substr(0, end);
        contents.remove_prefix(end == std::string_view::npos ? contents.size() : end + 1);

        // Trimming also takes the CR of a CRLF line end.
        const std::string_view line = TrimWhite(raw);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            // The name stands as written between the brackets; a repeated
            // name opens another section that lookups never reach.
            sections_.push_back(Section{std::string(line.substr(1, line.size() - 2)), {}, {}});
            continue;
        }

        const auto eq = line.find('=');
        const std::string_view key = TrimWhite(line.substr(0, eq));
        if (IsCommentKey(key)) continue;
        const std::string_view value = eq == std::string_view::npos ? std::string_view{} : TrimWhite(line.substr(eq + 1));
        sections_.back().keys.emplace_back(key);
        sections_.back().values.emplace_back(value);
    }
}

bool CConfigFile::Open(const std::string& path) {
    Release();
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        // Appending creates the file without truncating one that appeared
        // in the meantime.
        std::ofstream create(path, std::ios::app);
        if (!create) {
            failure_ = SystemReason(std::make_error_code(std::errc::permission_denied));
            return false;
        }
        path_ = path;
        return true;
    }
    return Load(path);
}

bool CConfigFile::OpenExisting(const std::string& path) {
    Release();
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return false;
    return Load(path);
}

bool CConfigFile::Load(const std::string& path) {
    const FileBytes read = ReadRegularFile(path, kMaxBytes);
    if (!read.ok) {
        failure_ = read.reason;
        return false;
    }
    if (read.truncated) {
        const std::string limit = std::to_string(kMaxBytes >> 20);
        failure_ = Text{"it holds " + std::to_string(read.size) + " bytes, more than the " + limit +
                            " MiB a configuration file may hold",
                        "文件有 " + std::to_string(read.size) + " 字节，超过配置文件上限 " + limit + " MiB"};
        return false;
    }
    Parse(std::string_view(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()));
    path_ = path;
    return true;
}

std::string CConfigFile::GetValue(std::string_view section, std::string_view key, std::string_view def) const {
    const Section* found = nullptr;
    for (const Section& s : sections_) {
        if (EqualsNoCase(s.name, section)) {
            found = &s;
            break;
        }
    }
    if (found == nullptr) return std::string(def);

    for (std::size_t i = found->keys.size(); i-- > 0;) {
        if (!EqualsNoCase(found->keys[i], key)) continue;
        std::string value = found->values[i];
        CutAt(value, "//");
        CutAt(value, "\t;");
        CutAt(value, "/*");
        return value;
    }
    return std::string(TrimWhite(def));
}

}  // namespace vel
