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
#include "image/message_quote.h"
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

/// The port and clock of one radio command: those of the environment, or the
/// system's serial port (with SIGINT, SIGTERM and SIGHUP asking it to stop)
/// and clock.
struct Link {
    std::unique_ptr<vel::SerialPort> owned;
    vel::SerialPort* port = nullptr;
    vel::Clock* clock = nullptr;
};

std::optional<Link> PrepareLink(const std::string& portName, const LinkEnvironment& env) {
    Link link;
    link.clock = env.clock != nullptr ? env.clock : &vel::SystemClock();
    if (env.port != nullptr) {
        link.port = env.port;
        return link;
    }
    if (!CheckPortConfiguration(portName)) return std::nullopt;
    InstallCancelSignals();
    link.owned = vel::CreateSystemSerialPort([](const std::string& name) { return ResolvePortName(name); });
    // Ctrl+C ends a wait on the line within a few tens of milliseconds.
    link.owned->setInterruptCheck(&CancelSignalled);
    link.port = link.owned.get();
    return link;
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
    h.yes = o.yes;
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

int RunRead(const RadioOptions& o, const LinkEnvironment& env) {
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
    // A read takes up to twenty seconds: where its result goes is checked
    // before the radio is woken.
    if (!CheckOutputFile(o.out, lang)) return kFailed;

    std::optional<Link> link = PrepareLink(o.port, env);
    if (!link) return kFailed;
    CliSessionHost host(family, SessionHostOptions(family, o, lang));
    vel::ProgrammingSession session(family, lang, *link->port, *link->clock, host);
    const vel::SessionResult result = session.run(vel::Direction::Read, o.port, image);
    if (result.outcome != vel::SessionOutcome::Completed) {
        // A read that did not finish is not saved: a file at OUT would pass
        // for the radio's memory.
        if (result.outcome == vel::SessionOutcome::Cancelled && host.messages().empty()) PrintError("cancelled");
        return ExitOf(result.outcome);
    }
    return SaveImageFile(o.out, image, lang) ? kDone : kFailed;
}

int RunWrite(const RadioOptions& o, const LinkEnvironment& env) {
    const vel::Family& family = FamilyNamed(o.family);
    const vel::Lang lang = InterfaceLanguage(family, o.lang);
    std::optional<vel::Image> image = LoadImageFile(o.in, family, lang);
    if (!image) return kFailed;
    if (!WriteChecksPass(family, lang, o, *image)) return kFailed;

    std::optional<Link> link = PrepareLink(o.port, env);
    if (!link) return kFailed;
    HostOptions hostOptions = SessionHostOptions(family, o, lang);
    hostOptions.password = o.backupPassword.value_or(vel::FormDataPassword(family, lang, *image));
    CliSessionHost host(family, hostOptions);
    const vel::WriteSequenceResult result =
        vel::RunWriteSequence(family, lang, *link->port, *link->clock, host, o.port, *image,
                              WriteSequenceOptionsFor(family, lang, o, hostOptions.progressBar));
    ReportWriteSequence(result, lang, hostOptions.progressBar, o.noBackup && o.noVerify, !host.messages().empty());
    return ExitOf(result.outcome);
}

int RunTestMode(const RadioOptions& o, const LinkEnvironment& env) {
    const vel::Family& family = FamilyNamed(o.family);
    const vel::Lang lang = InterfaceLanguage(family, o.lang);

    static const std::pair<const char*, int> kItems[] = {
        {"tx-frequency", 2}, {"low-power-voltage", 3}, {"squelch-level", 4}, {"tx-power", 5}};
    int itemCode = 0;
    for (const auto& [name, code] : kItems)
        if (o.item == name) itemCode = code;
    const vel::TestModeItem* item = vel::FindTestModeItem(itemCode);
    if (item == nullptr) {
        PrintError("unknown --item " + vel::QuoteForMessage(o.item));
        return kUsage;
    }
    if (o.value.has_value() == o.useDefault) {
        PrintError("give exactly one of --value N and --default");
        return kUsage;
    }
    for (const std::string* tone : {&o.rxTone, &o.txTone}) {
        if (vel::ToneIndex(*tone) < 0) {
            PrintError("\"" + vel::QuoteForMessage(*tone) + "\" is not a tone of the tone table");
            return kUsage;
        }
    }

    // F: the band text given, else the family's own source of it.
    int baseMHz = 0;
    if (!o.band.empty()) {
        baseMHz = vel::LeadingInteger(o.band);
        if (baseMHz <= 0) {
            PrintError("--band \"" + vel::QuoteForMessage(o.band) + "\" does not start with a frequency in MHz");
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

    std::optional<Link> link = PrepareLink(o.port, env);
    if (!link) return kFailed;
    HostOptions h;
    h.lang = lang;
    h.retries = o.retries;
    CliSessionHost host(family, h);
    const vel::TestModeOutcome outcome =
        vel::RunTestModeExchange(family, lang, *link->port, *link->clock, host, o.port, request);
    if (outcome != vel::TestModeOutcome::Completed) {
        if (outcome == vel::TestModeOutcome::Cancelled && host.cancelRequested()) {
            PrintError("cancelled");
            return kCancelled;
        }
        return kFailed;
    }
    std::cout << "item " << o.item << " value " << request.value << " rx " << request.rxFrequencyText << " tx "
              << request.txFrequencyText << " rx-tone " << request.rxToneText << " tx-tone " << request.txToneText
              << '\n';
    return kDone;
}

}  // namespace velprog
