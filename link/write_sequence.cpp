#include "link/write_sequence.h"

#include <variant>

#include "table/channel_table.h"
#include "table/setting_names.h"

namespace vel {
namespace {

/// The window (or command line) around one phase: everything goes through to
/// it except the closing of the progress dialog, which waits for the end of
/// the whole sequence, and the data password of the read-back.
class PhaseHost final : public SessionHost {
public:
    explicit PhaseHost(SessionHost& outer) : outer_(outer) {}

    void pumpOne() override { outer_.pumpOne(); }
    bool cancelRequested() const override { return outer_.cancelRequested(); }
    void setDeactivationGuard(bool armed) override { outer_.setDeactivationGuard(armed); }
    void setStatusText(const std::string& text) override { outer_.setStatusText(text); }
    int progressPosition() const override { return outer_.progressPosition(); }
    void setProgressPosition(int position) override { outer_.setProgressPosition(position); }
    MessageAnswer showMessage(const std::string& text, MessageButtons buttons) override {
        return outer_.showMessage(text, buttons);
    }
    void closeProgressDialog() override {}
    void storeChannelTable(Image& image) override { outer_.storeChannelTable(image); }
    std::string dataPassword() override { return password_ ? *password_ : outer_.dataPassword(); }

    void answerPassword(std::string password) { password_ = std::move(password); }

private:
    SessionHost& outer_;
    std::optional<std::string> password_;
};

std::string WithBackup(const std::string& sentence, const WriteSequenceResult& r, Lang lang) {
    if (!r.backupFile.ok) return sentence;
    return sentence + FillIn(Text{" Backup: {path}", " 备份：{path}"}.in(lang), {{"path", r.backupFile.path}});
}

}  // namespace

std::string FormDataPassword(const Family& family, Lang lang, const Image& image) {
    for (const FormField& field : family.form) {
        if (!std::holds_alternative<DigitsCodec>(field.codec)) continue;
        ChannelTable table = NewChannelTable(family, lang);
        FillChannelGrid(family, lang, image, table);
        return table.text[field.id];
    }
    return {};
}

std::string WritePhaseName(WritePhase phase, Lang lang) {
    switch (phase) {
        case WritePhase::Backup: return Text{"Backup: reading the radio", "备份：读取对讲机"}.in(lang);
        case WritePhase::Write: return Text{"Writing", "写入"}.in(lang);
        case WritePhase::Verify: return Text{"Checking: reading the radio back", "核对：读回对讲机"}.in(lang);
    }
    return {};
}

WriteSequenceResult RunWriteSequence(const Family& family, Lang uiLang, SerialPort& port, Clock& clock,
                                     SessionHost& host, const std::string& portName, Image& image,
                                     const WriteSequenceOptions& options) {
    const Lang lang = family.uiLang(uiLang);
    WriteSequenceResult result;
    PhaseHost phaseHost(host);
    ProgrammingSession session(family, uiLang, port, clock, phaseHost);
    const int count = 1 + (options.backup ? 1 : 0) + (options.verify ? 1 : 0);
    int number = 0;
    auto begin = [&](WritePhase phase) {
        result.endedIn = phase;
        host.setProgressPosition(0);
        if (options.phaseBegins) options.phaseBegins(phase, ++number, count);
    };
    auto end = [&](SessionOutcome outcome, const Text& summary) {
        result.outcome = outcome;
        result.summary = WithBackup(summary.in(lang), result, lang);
        host.closeProgressDialog();
        return result;
    };

    if (options.backup) {
        begin(WritePhase::Backup);
        // Bytes a read does not reach keep the document's values, as a Read
        // into the document would leave them.
        Image backup = image;
        result.session = session.run(Direction::Read, portName, backup);
        if (result.session.outcome == SessionOutcome::Cancelled)
            return end(SessionOutcome::Cancelled,
                       {"Cancelled before writing: nothing was written.", "已在写入前取消：未写入任何数据。"});
        if (result.session.outcome != SessionOutcome::Completed)
            return end(result.session.outcome, {"Nothing was written: the radio could not be read for the backup.",
                                                "未写入任何数据：无法读取对讲机以备份。"});
        result.backup = backup;
        result.backupFile = options.saveBackup ? options.saveBackup(backup)
                                               : BackupOutcome{false, {}, Text{"no place for it", "没有存放位置"}.in(lang)};
        if (!result.backupFile.ok)
            return end(SessionOutcome::Failed,
                       {"Nothing was written: the backup could not be saved (" + result.backupFile.message + ").",
                        "未写入任何数据：备份无法保存（" + result.backupFile.message + "）。"});
    }

    begin(WritePhase::Write);
    result.session = session.run(Direction::Write, portName, image);
    result.sent = image;
    if (result.session.outcome == SessionOutcome::Cancelled)
        return end(SessionOutcome::Cancelled,
                   {"The write was cancelled: the radio may hold part of it.", "写入已取消：对讲机中可能只有部分数据。"});
    if (result.session.outcome != SessionOutcome::Completed)
        return end(result.session.outcome, {"The write did not finish.", "写入未完成。"});
    result.written = true;
    if (!options.verify) return end(SessionOutcome::Completed, {"Written.", "写入完毕。"});

    begin(WritePhase::Verify);
    // The radio now holds the password just written, so that is the one the
    // read-back gives.
    phaseHost.answerPassword(FormDataPassword(family, lang, result.sent));
    Image back = result.sent;
    result.session = session.run(Direction::Read, portName, back);
    if (result.session.outcome == SessionOutcome::Cancelled)
        return end(SessionOutcome::Cancelled, {"Written; the check was cancelled.", "已写入；核对已取消。"});
    if (result.session.outcome != SessionOutcome::Completed)
        return end(SessionOutcome::Failed, {"Written, but the radio could not be read back to check it.",
                                            "已写入，但无法读回对讲机进行核对。"});
    result.verified = true;
    result.differences = CompareImages(family, lang, result.sent, back,
                                       static_cast<std::size_t>(family.protocol.writeBytes()));
    if (!result.differences.empty()) {
        const std::string n = std::to_string(result.differences.size());
        return end(SessionOutcome::Failed, {"Written, but the check found differences from what was sent: " + n + ".",
                                            "已写入，但核对发现与写入的数据有 " + n + " 处不同。"});
    }
    return end(SessionOutcome::Completed,
               {"Written and checked: the radio holds what was sent.", "写入并核对完毕：对讲机中的数据与写入的一致。"});
}

}  // namespace vel
