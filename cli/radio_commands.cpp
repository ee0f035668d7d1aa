// read, write, testmode: exchanges with a radio on a serial port.

#include <cstdio>
#include <iostream>
#include <memory>

#ifdef _WIN32
#include <io.h>
#define VELPROG_ISATTY _isatty
#define VELPROG_FILENO _fileno
#else
#include <unistd.h>
#define VELPROG_ISATTY isatty
#define VELPROG_FILENO fileno
#endif

#include "cli_session_host.h"
#include "image/encodings.h"
#include "link/programming_session.h"
#include "link/write_sequence.h"
#include "link/system_serial_port.h"
#include "shell/leading_integer.h"
#include "table/channel_table.h"
#include "testmode/test_mode_exchange.h"
#include "velprog_commands.h"
#include "velprog_common.h"
#include "write_safety.h"

namespace velprog {
namespace {

std::unique_ptr<vel::SerialPort> OpenablePort() {
    return vel::CreateSystemSerialPort([](const std::string& name) { return ResolvePortName(name); });
}

int ExitOf(vel::SessionOutcome outcome) {
    switch (outcome) {
    case vel::SessionOutcome::Completed: return kDone;
    case vel::SessionOutcome::Cancelled: return kCancelled;
    case vel::SessionOutcome::Failed:
    case vel::SessionOutcome::OpenFailed: return kFailed;
    }
    return kFailed;
}

HostOptions SessionHostOptions(const vel::Family& family, const RadioOptions& o, vel::Lang lang) {
    HostOptions h;
    h.lang = lang;
    h.retries = o.retries;
    h.acceptType = o.acceptType;
    h.storeTable = !o.raw;
    h.password = o.password;
    h.progressBar = VELPROG_ISATTY(VELPROG_FILENO(stderr)) != 0;
    // The bar runs over the progress dialog's range, as in the window.
    h.progressEnd = family.protocol.progressMax;
    return h;
}

std::string Mhz8_5(std::int64_t units) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%8.5f", static_cast<double>(units) / 100000.0);
    return buf;
}

/// The text of the Field list a new document shows: the source of F in the
/// families that take it from the band list.
std::string NewDocumentFieldText(const vel::Family& family, vel::Lang lang) {
    const vel::FormField* field = family.field(1011);
    if (field == nullptr) return {};
    vel::ChannelTable table = vel::NewChannelTable(family, lang);
    vel::FillChannelGrid(family, lang, vel::NewDocumentImage(family), table);
    const auto it = table.selection.find(1011);
    if (it == table.selection.end() || it->second < 0 || it->second >= static_cast<int>(field->items.size()))
        return {};
    return field->items[static_cast<std::size_t>(it->second)].text.in(lang);
}

}  // namespace

int RunRead(const RadioOptions& o) {
    const vel::Family& family = FamilyNamed(o.family);
    const vel::Lang lang = InterfaceLanguage(family, o.lang);
    vel::Image image;
    if (!o.image.empty()) {
        std::optional<vel::Image> loaded = LoadImageFile(o.image, family, lang);
        if (!loaded) return kFailed;
        image = std::move(*loaded);
    } else {
        image = vel::NewDocumentImage(family);
    }

    InstallCancelSignals();
    const auto port = OpenablePort();
    CliSessionHost host(family, SessionHostOptions(family, o, lang));
    vel::ProgrammingSession session(family, lang, *port, vel::SystemClock(), host);
    const vel::SessionResult result = session.run(vel::Direction::Read, o.port, image);
    if (result.outcome != vel::SessionOutcome::Completed) {
        // A read that did not finish is not saved: a file at OUT would pass
        // for the radio's memory.
        if (result.outcome == vel::SessionOutcome::Cancelled && host.messages().empty()) PrintError("cancelled");
        return ExitOf(result.outcome);
    }
    return SaveImageFile(o.out, image, lang) ? kDone : kFailed;
}

int RunWrite(const RadioOptions& o) {
    const vel::Family& family = FamilyNamed(o.family);
    const vel::Lang lang = InterfaceLanguage(family, o.lang);
    std::optional<vel::Image> image = LoadImageFile(o.in, family, lang);
    if (!image) return kFailed;
    if (!WriteChecksPass(family, lang, o, *image)) return kFailed;

    InstallCancelSignals();
    const auto port = OpenablePort();
    HostOptions hostOptions = SessionHostOptions(family, o, lang);
    hostOptions.password = o.backupPassword.value_or(vel::FormDataPassword(family, lang, *image));
    CliSessionHost host(family, hostOptions);
    const vel::WriteSequenceResult result =
        vel::RunWriteSequence(family, lang, *port, vel::SystemClock(), host, o.port, *image,
                              WriteSequenceOptionsFor(family, lang, o, hostOptions.progressBar));
    ReportWriteSequence(result, lang, hostOptions.progressBar);
    return ExitOf(result.outcome);
}

int RunTestMode(const RadioOptions& o) {
    const vel::Family& family = FamilyNamed(o.family);
    const vel::Lang lang = InterfaceLanguage(family, o.lang);

    static const std::pair<const char*, int> kItems[] = {
        {"tx-frequency", 2}, {"low-power-voltage", 3}, {"squelch-level", 4}, {"tx-power", 5}};
    int itemCode = 0;
    for (const auto& [name, code] : kItems)
        if (o.item == name) itemCode = code;
    const vel::TestModeItem* item = vel::FindTestModeItem(itemCode);
    if (item == nullptr) {
        PrintError("unknown --item " + o.item);
        return kUsage;
    }
    if (o.value.has_value() == o.useDefault) {
        PrintError("give exactly one of --value N and --default");
        return kUsage;
    }
    for (const std::string* tone : {&o.rxTone, &o.txTone}) {
        if (vel::ToneIndex(*tone) < 0) {
            PrintError("\"" + *tone + "\" is not a tone of the tone table");
            return kUsage;
        }
    }

    // F: the band text given, else the family's own source of it.
    int baseMHz = 0;
    if (!o.band.empty()) {
        baseMHz = vel::LeadingInteger(o.band);
        if (baseMHz <= 0) {
            PrintError("--band \"" + o.band + "\" does not start with a frequency in MHz");
            return kUsage;
        }
    } else {
        baseMHz = vel::TestModeBaseMHz(family, NewDocumentFieldText(family, lang));
    }

    // The debug frequencies start as low = F, middle = F + 10, high = F + 20.
    const int offset = o.debugFrequency == "low" ? 0 : o.debugFrequency == "middle" ? 10 : 20;
    const std::int64_t debugUnits = static_cast<std::int64_t>(baseMHz + offset) * 100000;
    const vel::TestStep step = o.step == "6.25" ? vel::TestStep::KHz625 : vel::TestStep::KHz500;

    vel::TestModeRequest request;
    request.itemCode = itemCode;
    request.value = o.useDefault ? item->defaultValue : *o.value;
    request.rxFrequencyText = Mhz8_5(o.rx.empty() ? debugUnits : vel::RoundTestFrequency(o.rx, baseMHz, step));
    request.txFrequencyText = Mhz8_5(o.tx.empty() ? debugUnits : vel::RoundTestFrequency(o.tx, baseMHz, step));
    request.rxToneText = o.rxTone;
    request.txToneText = o.txTone;

    const auto port = OpenablePort();
    HostOptions h;
    h.lang = lang;
    h.retries = o.retries;
    CliSessionHost host(family, h);
    const vel::TestModeOutcome outcome =
        vel::RunTestModeExchange(family, lang, *port, vel::SystemClock(), host, o.port, request);
    if (outcome != vel::TestModeOutcome::Completed) return kFailed;
    std::cout << "item " << o.item << " value " << request.value << " rx " << request.rxFrequencyText << " tx "
              << request.txFrequencyText << " rx-tone " << request.rxToneText << " tx-tone " << request.txToneText
              << '\n';
    return kDone;
}

}  // namespace velprog
