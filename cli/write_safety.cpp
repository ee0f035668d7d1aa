#include "write_safety.h"

#include <iostream>

#include "image/backup_files.h"
#include "image/message_quote.h"
#include "table/image_checks.h"
#include "table/setting_names.h"
#include "velprog_common.h"

namespace velprog {

bool WriteChecksPass(const vel::Family& family, vel::Lang lang, const RadioOptions& o, const vel::Image& image) {
    const vel::Image sent = o.raw ? image : ImageAsWritten(family, lang, image);
    const std::vector<vel::ImageProblem> problems = vel::CheckImage(family, lang, sent);
    for (const vel::ImageProblem& p : problems) PrintError(vel::ProblemLine(p, lang));
    const int errors = vel::ErrorCount(problems);
    if (errors == 0) return true;
    const vel::Text refused{"{file}: the checks found {n} errors; nothing was written (--force writes it anyway)",
                            "{file}：检查发现 {n} 个错误，未写入任何数据（--force 仍然写入）"};
    const vel::Text forced{"{file}: the checks found {n} errors; writing anyway (--force)",
                           "{file}：检查发现 {n} 个错误，仍然写入（--force）"};
    PrintError(vel::FillIn((o.force ? forced : refused).in(lang), {{"file", vel::QuoteForMessage(o.in)}, {"n", std::to_string(errors)}}));
    return o.force;
}

vel::WriteSequenceOptions WriteSequenceOptionsFor(const vel::Family& family, vel::Lang lang, const RadioOptions& o,
                                                  bool terminal) {
    vel::WriteSequenceOptions options;
    options.backup = !o.noBackup;
    options.verify = !o.noVerify;
    const std::string folder = o.backupDir.empty() ? vel::DefaultBackupFolder() : o.backupDir;
    const std::string program = family.name;
    options.saveBackup = [folder, program, lang](const vel::Image& backup) {
        const vel::BackupSaveResult saved = vel::SaveBackup(folder, program, backup);
        return vel::BackupOutcome{saved.ok, saved.path, saved.message.in(lang)};
    };
    if (terminal) {
        options.phaseBegins = [lang](vel::WritePhase phase, int number, int count) {
            std::cerr << "\r\x1b[K(" << number << "/" << count << ") " << vel::WritePhaseName(phase, lang) << '\n'
                      << std::flush;
        };
    }
    return options;
}

void ReportWriteSequence(const vel::WriteSequenceResult& result, vel::Lang lang, bool terminal, bool writeOnly,
                         bool sessionSpoke) {
    if (result.backupFile.ok) std::cout << "backup: " << result.backupFile.path << '\n' << std::flush;
    for (const vel::ImageDifference& d : result.differences) PrintError(vel::VerifyLine(d, lang));
    if (result.outcome != vel::SessionOutcome::Completed) {
        if (!(writeOnly && sessionSpoke)) PrintError(result.summary);
    }
    else if (terminal)
        std::cerr << result.summary << '\n';
}

}  // namespace velprog
