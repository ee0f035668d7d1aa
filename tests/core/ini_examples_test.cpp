// The configuration examples of the README and the guides, copied as they
// stand, give the values their text promises; so do the commented entries of
// the installed default files once their ";" is taken away.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "link/port_names.h"
#include "shell/config_file.h"
#include "shell/startup_rules.h"

namespace vel {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = VEL_SOURCE_DIR;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

/// The "```ini" blocks of a Markdown file, in file order.
std::vector<std::string> IniBlocks(const std::string& markdown) {
    std::vector<std::string> blocks;
    std::istringstream in(markdown);
    std::string line;
    std::string* open = nullptr;
    while (std::getline(in, line)) {
        const std::string trimmed(TrimWhite(line));
        if (open == nullptr) {
            if (trimmed == "```ini") open = &blocks.emplace_back();
        } else if (trimmed == "```") {
            open = nullptr;
        } else {
            *open += line + "\n";
        }
    }
    return blocks;
}

/// README.md and every guide under docs/.
std::vector<fs::path> Documents() {
    std::vector<fs::path> files{kSource / "README.md"};
    for (const auto& entry : fs::directory_iterator(kSource / "docs"))
        if (entry.path().extension() == ".md") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

/// What an example says it sets: "SECTION/KEY" → value.
using Values = std::map<std::string, std::string>;

/// Every example, by document (relative to the source tree) and its number in
/// that document. An example without an entry here fails the test, so a new
/// one gets its promised values written down.
const std::map<std::pair<std::string, int>, Values>& Promised() {
    static const std::string prolific = "/dev/serial/by-id/usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0";
    static const std::map<std::pair<std::string, int>, Values> promised{
        {{"README.md", 0}, {{"MAIN/LANGUAGE_FORCE", "1"}, {"MAIN/LANGUAGE", "Velmar_V_CH"}}},
        {{"README.md", 1}, {{"PORTS/COM1", prolific}, {"PORTS/COM2", "/dev/ttyACM0"}}},
        {{"docs/gui.md", 0},
         {{"MAIN/LANGUAGE_FORCE", "1"},
          {"MAIN/LANGUAGE", "Velmar_V_CH"},
          {"PORTS/COM1", prolific},
          {"PORTS/COM2", "/dev/ttyACM0"}}},
        {{"docs/gui.md", 1},
         {{"MAIN/TITLE", "Acme Radio Writer"},
          {"MAIN/TYPE1", "Acme K10"},
          {"MAIN/TYPE2", "Acme K20"},
          {"ABOUT/TITLE", "About Acme"},
          {"ABOUT/COMPANY", "Acme Radio Ltd"},
          {"ABOUT/COMPANY1", "www.example.com"},
          {"ABOUT/VERSION", "Version 1.0"}}},
    };
    return promised;
}

/// Every entry the reader yields, as the program's lookups see it.
Values ReadBack(const CConfigFile& config) {
    Values values;
    for (const CConfigFile::Section& section : config.sections())
        for (const std::string& key : section.keys)
            values[section.name + "/" + key] = config.GetValue(section.name, key, "");
    return values;
}

TEST(IniExamples, EveryExampleGivesTheValuesItsTextPromises) {
    int examples = 0;
    for (const fs::path& file : Documents()) {
        const std::string name = fs::relative(file, kSource).generic_string();
        const std::vector<std::string> blocks = IniBlocks(ReadFile(file));
        for (int i = 0; i < static_cast<int>(blocks.size()); ++i) {
            ++examples;
            SCOPED_TRACE(name + ", example " + std::to_string(i) + ":\n" + blocks[static_cast<std::size_t>(i)]);
            const auto promised = Promised().find({name, i});
            ASSERT_NE(promised, Promised().end()) << "an example without promised values in this test";
            CConfigFile config;
            config.Parse(blocks[static_cast<std::size_t>(i)]);
            EXPECT_EQ(ReadBack(config), promised->second);

            // What the program makes of them: the language library it loads
            // and the devices behind the ports.
            const Values& v = promised->second;
            if (v.count("MAIN/LANGUAGE_FORCE") && v.at("MAIN/LANGUAGE_FORCE") == "1") {
                EXPECT_EQ(LanguageBaseName("Velmar_V", kPrimaryLanguageEnglish, config), v.at("MAIN/LANGUAGE"));
            }
            for (const std::string port : {"COM1", "COM2", "COM3", "COM4"}) {
                if (v.count("PORTS/" + port)) {
                    EXPECT_EQ(ResolvePortDevice(port, &config), v.at("PORTS/" + port));
                }
            }
        }
    }
    // Every promised example is still there.
    EXPECT_EQ(examples, static_cast<int>(Promised().size()));
}

TEST(IniExamples, InstalledDefaultsWorkOnceUncommented) {
    // The installed default files carry their settings as comments
    // ("; KEY=VALUE"); taking the "; " away gives the value as written.
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(kSource / "packaging" / "ini")) {
        std::istringstream in(ReadFile(entry.path()));
        std::string line;
        std::string section;
        while (std::getline(in, line)) {
            const std::string trimmed(TrimWhite(line));
            if (trimmed.starts_with("[")) section = trimmed.substr(1, trimmed.size() - 2);
            if (!trimmed.starts_with("; ") || trimmed.find('=') == std::string::npos || section.empty()) continue;
            const std::string setting = trimmed.substr(2);
            const std::size_t eq = setting.find('=');
            const std::string key(TrimWhite(setting.substr(0, eq)));
            if (key.find(' ') != std::string::npos) continue;   // prose that happens to hold "="
            ++entries;
            SCOPED_TRACE(entry.path().filename().string() + ": " + setting);
            CConfigFile config;
            config.Parse("[" + section + "]\n" + setting + "\n");
            EXPECT_EQ(config.GetValue(section, key, "<none>"), std::string(TrimWhite(setting.substr(eq + 1))));
        }
    }
    EXPECT_GT(entries, 0);
}

}  // namespace
}  // namespace vel
