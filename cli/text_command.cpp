#include "cli/text_command.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "apps/marlowe/data_password.h"
#include "apps/marlowe/image_text.h"
#include "velprog_common.h"

namespace vel {
namespace {

struct TextCommandArgs {
    std::string family;
    std::string file;                       // channel data file
    std::string text;                       // TEXT.txt of import
    std::string out;                        // OUT.txt of export, OUT of import
    std::string password;                   // --password of import
    bool passwordGiven = false;
};

/// The family named on the command line, when it has a text form.
const Family* TextFormFamily(const std::string& name) {
    const Family& family = velprog::FamilyNamed(name);
    if (family.textForm) return &family;
    std::cerr << "velprog text: the family " << name << " has no text form\n";
    return nullptr;
}

int RunExport(const TextCommandArgs& args) {
    const Family* family = TextFormFamily(args.family);
    if (!family) return velprog::kUsage;
    const Lang lang = velprog::InterfaceLanguage(*family, "en");
    const std::optional<Image> image = velprog::LoadImageFile(args.file, *family, lang);
    if (!image) return velprog::kFailed;
    const ImageTextExportResult written = ExportImageTextFile(args.out, *image);
    if (!written) {
        velprog::PrintError(args.out + ": " + (written.message ? written.message->in(lang) : "cannot be written"));
        return velprog::kFailed;
    }
    return velprog::kDone;
}

int RunImport(const TextCommandArgs& args) {
    const Family* family = TextFormFamily(args.family);
    if (!family) return velprog::kUsage;
    const Lang lang = velprog::InterfaceLanguage(*family, "en");
    std::optional<Image> image = velprog::LoadImageFile(args.file, *family, lang);
    if (!image) return velprog::kFailed;
    // The password to match is the one typed, or else the one FILE's form shows.
    const std::string expected = args.passwordGiven ? args.password : DataPasswordFromImage(*image);
    const ImageTextImportResult imported = ImportImageTextFile(args.text, *image);
    if (!imported.ok) {
        velprog::PrintError(imported.message.in(lang));
        return velprog::kFailed;
    }
    // A mismatch is said, but the imported bytes are kept, as in the window.
    if (!PasswordsMatch(DataPasswordFromImage(*image), expected)) {
        std::cout << std::flush;
        std::cerr << "Password incorrect\n" << std::flush;
    }
    return velprog::SaveImageFile(args.out, *image, lang) ? velprog::kDone : velprog::kFailed;
}


}  // namespace

void AddTextCommand(CLI::App& app) {
    auto args = std::make_shared<TextCommandArgs>();
    CLI::App* text = app.add_subcommand("text", "The text form of a channel data file (\"1.txt\")");
    text->require_subcommand(1);

    CLI::App* exportCmd = text->add_subcommand("export", "Write the text form of a channel data file");
    exportCmd->add_option("--family", args->family, "Radio family with a text form (Marlowe)")
        ->required()
        ->check(CLI::IsMember(velprog::FamilyNames()));
    exportCmd->add_option("FILE", args->file, "Channel data file")->required();
    exportCmd->add_option("OUT", args->out, "Text file to write")->required();
    exportCmd->callback([args] { velprog::RunFromCallback([&] { return RunExport(*args); }); });

    CLI::App* importCmd = text->add_subcommand("import", "Read a text form into a channel data file");
    importCmd->add_option("--family", args->family, "Radio family with a text form (Marlowe)")
        ->required()
        ->check(CLI::IsMember(velprog::FamilyNames()));
    CLI::Option* password = importCmd->add_option(
        "--password", args->password, "Data password to compare the imported one with (default: FILE's own)");
    importCmd->add_option("TEXT", args->text, "Text form to read")->required();
    importCmd->add_option("FILE", args->file, "Channel data file to start from")->required();
    importCmd->add_option("OUT", args->out, "Channel data file to write")->required();
    importCmd->callback([args, password] {
        args->passwordGiven = password->count() > 0;
        velprog::RunFromCallback([&] { return RunImport(*args); });
    });
}

}  // namespace vel
