// The safe write against the simulated radio on a virtual clock: the backup
// is what the radio held, a failed backup sends nothing, the read-back
// catches a radio that stores one byte wrongly and names it by channel and
// setting, and the phases follow one another in one progress dialog.

#include <gtest/gtest.h>

#include "apps/marlowe/data_password.h"
#include "image/encodings.h"
#include "link/simulated_radio_memory.h"
#include "link/simulated_serial_port.h"
#include "link/write_sequence.h"
#include "scripted_link.h"
#include "table/channel_table.h"

namespace vel {
namespace {

struct SequenceRig {
    explicit SequenceRig(const Family& f) : family(f), radio(f), port(radio, clock, SimulatedPortOptions{true}) {
        image = SimulatedRadioStartingMemory(f);
        // Let the radio accept any image, as a radio of the same type does.
        radio.setTypeByte(0xFF);
        options.saveBackup = [this](const Image& b) {
            saved.push_back(b);
            return saveOutcome;
        };
        options.phaseBegins = [this](WritePhase p, int n, int count) {
            phases.push_back({p, n, count});
            frameCountAtPhase.push_back(radio.frames().size());
        };
    }
    WriteSequenceResult run() {
        const WriteSequenceResult r =
            RunWriteSequence(family, Lang::English, port, clock, host, "COM1", image, options);
        EXPECT_FALSE(port.isOpen());
        EXPECT_EQ(port.openCount(), port.closeCount());
        EXPECT_EQ(host.dialogCloses, 1) << "the dialog closes once, at the end";
        return r;
    }
    std::size_t framesOf(FrameKind kind, std::size_t from = 0, std::size_t to = SIZE_MAX) const {
        std::size_t n = 0;
        const auto& f = radio.frames();
        for (std::size_t i = from; i < f.size() && i < to; ++i) n += f[i].kind == kind;
        return n;
    }

    struct Phase {
        WritePhase phase;
        int number, count;
        bool operator==(const Phase&) const = default;
    };

    const Family& family;
    VirtualClock clock;
    RadioSimulator radio;
    SimulatedSerialPort port;
    fake::Log hostLog;
    fake::VirtualClock hostClock{hostLog};
    fake::FakeHost host{hostLog, hostClock};
    Image image;
    WriteSequenceOptions options;
    BackupOutcome saveOutcome{true, "/backups/x.sin", ""};
    std::vector<Image> saved;
    std::vector<Phase> phases;
    std::vector<std::size_t> frameCountAtPhase;
};

Image RadioHolding(const Family& family, Byte seed) {
    Image m(static_cast<std::size_t>(family.imageSize));
    for (std::size_t i = 0; i < m.size(); ++i) m[i] = static_cast<Byte>((i * 31 + seed) & 0xFF);
    return m;
}

class SequenceFamily : public ::testing::TestWithParam<const Family*> {};

TEST_P(SequenceFamily, BackupIsWhatTheRadioHeldThenWriteThenCheck) {
    const Family& f = *GetParam();
    SequenceRig rig(f);
    const Image radioBefore = RadioHolding(f, 7);
    rig.radio.loadMemory(radioBefore);
    if (f.protocol.dataPasswordCheck) rig.host.password = DataPasswordFromImage(radioBefore);
    const Image document = rig.image;

    const WriteSequenceResult r = rig.run();
    ASSERT_EQ(r.outcome, SessionOutcome::Completed) << r.summary;
    const bool chinese = f.uiLang(Lang::English) == Lang::Chinese;
    EXPECT_EQ(r.summary, chinese ? "写入并核对完毕：对讲机中的数据与写入的一致。 备份：/backups/x.sin"
                                 : "Written and checked: the radio holds what was sent. Backup: /backups/x.sin");

    // The backup: the radio's read range, the document's bytes beyond it.
    ASSERT_EQ(rig.saved.size(), 1u);
    const std::size_t readBytes = static_cast<std::size_t>(f.protocol.readBytes());
    for (std::size_t i = 0; i < rig.saved[0].size(); ++i)
        ASSERT_EQ(rig.saved[0][i], i < readBytes ? radioBefore[i] : document[i]) << "backup byte " << i;
    EXPECT_EQ(r.backup, rig.saved[0]);

    // Three phases in order: reads, writes, reads; nothing written before the backup was saved.
    using P = SequenceRig::Phase;
    EXPECT_EQ(rig.phases, (std::vector<P>{{WritePhase::Backup, 1, 3}, {WritePhase::Write, 2, 3},
                                          {WritePhase::Verify, 3, 3}}));
    const auto& at = rig.frameCountAtPhase;
    EXPECT_EQ(rig.framesOf(FrameKind::ReadRequest, at[0], at[1]), static_cast<std::size_t>(f.protocol.readBlocks));
    EXPECT_EQ(rig.framesOf(FrameKind::WriteRequest, at[0], at[1]), 0u);
    EXPECT_EQ(rig.framesOf(FrameKind::WriteRequest, at[1], at[2]), static_cast<std::size_t>(f.protocol.writeBlocks));
    EXPECT_EQ(rig.framesOf(FrameKind::ReadRequest, at[2]), static_cast<std::size_t>(f.protocol.readBlocks));
    EXPECT_EQ(rig.framesOf(FrameKind::WriteRequest, at[2]), 0u);

    // The radio holds what was sent; what was sent is the document after its store step.
    EXPECT_TRUE(r.written);
    EXPECT_TRUE(r.verified);
    EXPECT_TRUE(r.differences.empty());
    EXPECT_EQ(r.sent, rig.image);
    EXPECT_TRUE(std::equal(r.sent.begin(), r.sent.begin() + f.protocol.writeBytes(), rig.radio.memory().begin()));
    EXPECT_EQ(rig.host.tableStores, 1);
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST_P(SequenceFamily, RadioStoringOneByteWronglyIsNamedByChannelAndSetting) {
    const Family& f = *GetParam();
    SequenceRig rig(f);
    // Channel 2's receive tone: 88.5 sent, the radio keeps its high byte as FF.
    Byte* rec = &rig.image[static_cast<std::size_t>(f.recordAddr(2))];
    rec[9] = 0x08;
    rec[8] = 0x85;
    SimulatorFaults faults;
    faults.badStoreAddress = f.recordAddr(2) + 9;
    faults.badStoreValue = 0xFF;
    rig.radio.setFaults(faults);
    rig.options.backup = false;

    const WriteSequenceResult r = rig.run();
    EXPECT_EQ(r.outcome, SessionOutcome::Failed);
    EXPECT_TRUE(r.written);
    EXPECT_TRUE(r.verified);
    ASSERT_EQ(r.differences.size(), 1u);
    if (f.uiLang(Lang::English) == Lang::Chinese) {
        EXPECT_EQ(VerifyLine(r.differences[0], Lang::Chinese), "信道 2 接收信令：写入 88.5，对讲机中为 （空）");
        EXPECT_EQ(r.summary, "已写入，但核对发现与写入的数据有 1 处不同。");
    } else {
        const std::string noTone = f.toneOffShownWhenInUse ? "OFF" : "(empty)";
        EXPECT_EQ(VerifyLine(r.differences[0], Lang::English), "Channel 2 Rx Tone: sent 88.5, radio has " + noTone);
        EXPECT_EQ(r.summary, "Written, but the check found differences from what was sent: 1.");
    }
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, SequenceFamily, ::testing::ValuesIn(AllFamilies()),
                         [](const auto& info) { return info.param->name; });

TEST(WriteSequence, AFailedBackupReadWritesNothing) {
    const Family& f = GetFamily(FamilyId::Velmar_V);
    SequenceRig rig(f);
    const Image radioBefore = RadioHolding(f, 3);
    rig.radio.loadMemory(radioBefore);
    SimulatorFaults faults;
    faults.vanishAfterBlocks = 40;
    rig.radio.setFaults(faults);
    const WriteSequenceResult r = rig.run();
    EXPECT_EQ(r.outcome, SessionOutcome::Failed);
    EXPECT_EQ(r.endedIn, WritePhase::Backup);
    EXPECT_EQ(rig.radio.countFrames(FrameKind::WriteRequest), 0u);
    EXPECT_EQ(rig.radio.memory(), radioBefore);
    EXPECT_TRUE(rig.saved.empty());
    EXPECT_FALSE(r.written);
    EXPECT_EQ(r.summary, "Nothing was written: the radio could not be read for the backup.");
    EXPECT_EQ(rig.host.messages.size(), 1u) << "the session's own message";
}

TEST(WriteSequence, ABackupThatCannotBeSavedWritesNothing) {
    const Family& f = GetFamily(FamilyId::VM_CH16);
    SequenceRig rig(f);
    rig.saveOutcome = {false, "", "the disk is full"};
    const WriteSequenceResult r = rig.run();
    EXPECT_EQ(r.outcome, SessionOutcome::Failed);
    EXPECT_EQ(r.endedIn, WritePhase::Backup);
    EXPECT_EQ(rig.saved.size(), 1u);
    EXPECT_EQ(rig.radio.countFrames(FrameKind::WriteRequest), 0u);
    EXPECT_EQ(r.summary, "Nothing was written: the backup could not be saved (the disk is full).");
}

TEST(WriteSequence, CancelledBackupWritesNothing) {
    const Family& f = GetFamily(FamilyId::VM_CH128);
    SequenceRig rig(f);
    rig.host.cancelAfterPumps = 60;
    const WriteSequenceResult r = rig.run();
    EXPECT_EQ(r.outcome, SessionOutcome::Cancelled);
    EXPECT_EQ(rig.radio.countFrames(FrameKind::WriteRequest), 0u);
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST(WriteSequence, WithoutBackupOrCheckOnlyTheWriteRuns) {
    const Family& f = GetFamily(FamilyId::VM_CH118);
    SequenceRig rig(f);
    rig.options.backup = false;
    rig.options.verify = false;
    const WriteSequenceResult r = rig.run();
    EXPECT_EQ(r.outcome, SessionOutcome::Completed);
    EXPECT_EQ(r.summary, "Written.");
    EXPECT_EQ(rig.radio.countFrames(FrameKind::ReadRequest), 0u);
    EXPECT_EQ(rig.radio.countFrames(FrameKind::WriteRequest), static_cast<std::size_t>(f.protocol.writeBlocks));
    EXPECT_TRUE(rig.saved.empty());
    EXPECT_EQ(rig.phases.size(), 1u);
}

// The data password guards reading: the backup needs the radio's, the
// read-back gets the one just written.
TEST(WriteSequence, MarloweReadsBackWithThePasswordItWrote) {
    const Family& f = GetFamily(FamilyId::Marlowe);
    SequenceRig rig(f);
    Image radio = NewDocumentImage(f);
    StoreDataPassword("1234", radio);
    rig.radio.loadMemory(radio);
    StoreDataPassword("5678", rig.image);

    rig.host.password = "5678";   // the form shows the document's password
    WriteSequenceResult r = rig.run();
    EXPECT_EQ(r.outcome, SessionOutcome::Failed);
    EXPECT_EQ(r.endedIn, WritePhase::Backup);
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0].text, "Password incorrect");
    EXPECT_EQ(rig.radio.countFrames(FrameKind::WriteRequest), 0u);

    SequenceRig again(f);
    again.radio.loadMemory(radio);
    StoreDataPassword("5678", again.image);
    again.host.password = "1234";   // the radio's, typed for the backup
    r = again.run();
    EXPECT_EQ(r.outcome, SessionOutcome::Completed) << r.summary;
    EXPECT_EQ(DataPasswordFromImage(again.radio.memory()), "5678");
}

TEST(WriteSequence, PhaseNamesInBothLanguages) {
    EXPECT_EQ(WritePhaseName(WritePhase::Backup, Lang::English), "Backup: reading the radio");
    EXPECT_EQ(WritePhaseName(WritePhase::Write, Lang::Chinese), "写入");
    EXPECT_EQ(WritePhaseName(WritePhase::Verify, Lang::Chinese), "核对：读回对讲机");
}

}  // namespace
}  // namespace vel
