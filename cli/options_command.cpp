#include "cli/options_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/grid_json.h"
#include "image/message_quote.h"
#include "settings/settings_dialog_model.h"
#include "velprog_common.h"

namespace velprog {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

struct OptionsArgs {
    std::string family;
    std::string lang = "en";
    std::string dialog = "optional-features";
    std::string values;   // VALUES.json of set
    std::string file;
    std::string out;
};

const vel::SettingsDialogModel* DialogOf(const vel::Family& family, const std::string& key) {
    const vel::SettingsDialogModel* model = vel::FindSettingsDialog(family.id, key);
    if (model == nullptr) PrintError("options: " + family.name + " has no " + key + " dialog");
    return model;
}

int RunShow(const OptionsArgs& a) {
    const vel::Family& family = FamilyNamed(a.family);
    const vel::Lang lang = InterfaceLanguage(family, a.lang);
    const vel::SettingsDialogModel* model = DialogOf(family, a.dialog);
    if (model == nullptr) return kUsage;
    const std::optional<vel::Image> image = LoadImageFile(a.file, family, lang);
    if (!image) return kFailed;

    const vel::ControlTexts texts = model->show(*image, lang);
    ordered_json controls = ordered_json::object();
    for (const vel::ControlInfo& c : model->controls) controls[std::to_string(c.id)] = texts.at(c.id);
    const ordered_json doc{{"family", family.name}, {"controls", controls}};
    std::cout << doc.dump(1, ' ', false, json::error_handler_t::replace) << '\n';
    return std::cout.good() ? kDone : kFailed;
}

// The controls of a VALUES document; the reason when it has not that shape.
std::optional<std::string> ReadValues(const json& doc, vel::ControlTexts& texts) {
    if (!doc.is_object() || !doc.contains("controls") || !doc["controls"].is_object())
        return "expected an object with \"controls\": {\"<control id>\": \"<text>\", ...}";
    for (const auto& [key, value] : doc["controls"].items()) {
        const std::optional<int> id = ControlIdentifier(key);
        if (!id) return "\"" + vel::QuoteForMessage(key) + "\" is not a control identifier";
        if (!value.is_string()) return "control " + vel::QuoteForMessage(key) + " must be given a text";
        texts[*id] = value.get<std::string>();
    }
    return std::nullopt;
}

int RunSet(const OptionsArgs& a) {
    const vel::Family& family = FamilyNamed(a.family);
    const vel::Lang lang = InterfaceLanguage(family, a.lang);
    const vel::SettingsDialogModel* model = DialogOf(family, a.dialog);
    if (model == nullptr) return kUsage;
    std::optional<vel::Image> image = LoadImageFile(a.file, family, lang);
    if (!image) return kFailed;

    const std::optional<json> doc = ReadJsonDocument(a.values, lang, "a values document");
    if (!doc) return kFailed;
    vel::ControlTexts texts;
    if (const auto fault = ReadValues(*doc, texts)) {
        PrintError(vel::QuoteForMessage(a.values) + ": " + *fault);
        return kFailed;
    }
    if (const auto refused = model->set(*image, lang, texts)) {
        PrintError(vel::QuoteForMessage(a.values) + ": " + *refused);
        return kFailed;
    }
    return SaveImageFile(a.out, *image, lang) ? kDone : kFailed;
}

void Common(CLI::App* cmd, OptionsArgs& a) {
    cmd->add_option("--family", a.family, "Radio family")->required()->check(CLI::IsMember(FamilyNames()));
    cmd->add_option("--lang", a.lang, "Language of the texts: en (default) or ch")->check(CLI::IsMember({"en", "ch"}));
    cmd->add_option("--dialog", a.dialog, "optional-features (default) or key-assignment")
        ->check(CLI::IsMember({"optional-features", "key-assignment"}));
    cmd->add_option("FILE", a.file, "Channel data file")->required();
}


}  // namespace

void AddOptionsCommand(CLI::App& app) {
    auto args = std::make_shared<OptionsArgs>();
    CLI::App* options = app.add_subcommand("options", "Show or set a settings dialog's controls as JSON");
    options->require_subcommand(1);

    CLI::App* show = options->add_subcommand("show", "Print what each control shows when the dialog opens");
    Common(show, *args);
    show->callback([args] { RunFromCallback([&] { return RunShow(*args); }); });

    CLI::App* set = options->add_subcommand("set", "Set controls' texts, press OK and save");
    Common(set, *args);
    set->add_option("--values", args->values, "JSON of the shape show prints; only \"controls\" is read")
        ->required();
    set->add_option("OUT", args->out, "Channel data file to write")->required();
    set->callback([args] { RunFromCallback([&] { return RunSet(*args); }); });
}

}  // namespace velprog
