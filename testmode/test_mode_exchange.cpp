#include "testmode/test_mode_exchange.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "image/encodings.h"
#include "link/session_frames.h"
#include "link/session_texts.h"

namespace vel {

const std::vector<TestModeItem>& TestModeItems() {
    static const std::vector<TestModeItem> items{
        {2, 0x71, 91, "TX Frequency"},
        {3, 0x72, 38, "Low Power Voltage"},
        {4, 0x73, 160, "Squelch Level"},
        {5, 0x74, 47, "TX Power"},
    };
    return items;
}

const TestModeItem* FindTestModeItem(int code) {
    for (const TestModeItem& item : TestModeItems()) {
        if (item.code == code) return &item;
    }
    return nullptr;
}

std::vector<Byte> TestModeFrequencyFrame(const std::string& rxText, const std::string& txText) {
    std::vector<Byte> frame(8, 0);
    StoreFrequencyUnits(frame.data(), FrequencyUnitsFromText(rxText));
    StoreFrequencyUnits(frame.data() + 4, FrequencyUnitsFromText(txText));
    return frame;
}

namespace {

// A tone as 4 packed-decimal digits of tenths of a hertz, low pair first;
// "OFF" and digital codes have no value and go out as 00 00.
void PutTone(const std::string& text, Byte* two) {
    const int tenths = ToneTenths(text);
    two[0] = ToPacked(tenths % 100);
    two[1] = ToPacked(tenths / 100);
}

}  // namespace

std::vector<Byte> TestModeParameterFrame(const std::string& rxTone, const std::string& txTone, int value) {
    std::vector<Byte> frame(8, 0);
    PutTone(rxTone, frame.data());
    PutTone(txTone, frame.data() + 2);
    frame[4] = 0xFB;
    frame[5] = 0x01;
    frame[6] = 0x01;
    frame[7] = static_cast<Byte>(std::clamp(value, 0, 255));
    return frame;
}

std::int64_t RoundTestFrequency(const std::string& text, int baseMHz, TestStep step) {
    constexpr std::int64_t kUnitsPerMHz = 100000;
    const std::int64_t low = static_cast<std::int64_t>(baseMHz) * kUnitsPerMHz;
    const std::int64_t high = (static_cast<std::int64_t>(baseMHz) + 20) * kUnitsPerMHz;
    std::int64_t v = FrequencyUnitsFromText(text);
    if (v > high) return high;
    if (v < low) return low;
    // 5.00 kHz rounds up above half a step; 6.25 kHz at 313 units, the first
    // whole unit past half of 625.
    const std::int64_t unit = step == TestStep::KHz500 ? 500 : 625;
    const std::int64_t upFrom = step == TestStep::KHz500 ? 251 : 313;
    const std::int64_t remainder = v % unit;
    v -= remainder;
    if (remainder >= upFrom) v += unit;
    return v;
}

int TestModeBaseMHz(const Family& family, const std::string& fieldText) {
    if (family.protocol.testModeBase == TestModeBase::Fixed450) return 450;
    std::size_t i = 0;
    while (i < fieldText.size() && std::isspace(static_cast<unsigned char>(fieldText[i]))) ++i;
    int value = 0;
    while (i < fieldText.size() && std::isdigit(static_cast<unsigned char>(fieldText[i])) && value < 100000) {
        value = value * 10 + (fieldText[i] - '0');
        ++i;
    }
    return value;
}

namespace {

class TestModeExchange {
public:
    TestModeExchange(SerialPort& port, Clock& clock, SessionHost& host, const TestModeRequest& request,
                     const TestModeItem& item)
        : port_(port), clock_(clock), host_(host), request_(request), item_(item) {}

    /// One attempt, from the 700 ms pause to the last answer. A stop request
    /// (host.cancelRequested) ends it as failed after the pause or any read.
    bool attempt() {
        clock_.sleepMs(kTestModeAttemptPauseMs);
        if (host_.cancelRequested()) return false;
        for (Byte b : kWakeUpFrame) {
            port_.purgeBuffers();
            port_.write(&b, 1);
            clock_.sleepMs(1);
        }
        port_.purgeBuffers();
        IoResult r = port_.read(reply_, 1);
        if (!r.ok || host_.cancelRequested()) return false;
        if (!(r.count == 1 && reply_[0] == kAcknowledge)) {
            port_.purgeBuffers();
            if (!readByte(kAcknowledge)) return false;
        }

        for (Byte b : kIdentificationRequest) {
            clock_.sleepMs(1);
            port_.purgeBuffers();
            port_.write(&b, 1);
        }
        port_.purgeBuffers();
        if (!port_.read(reply_, kIdentificationLength).ok) return false;  // content not examined

        clock_.sleepMs(1);
        port_.purgeBuffers();
        port_.write(&kAcknowledge, 1);
        port_.purgeBuffers();
        if (!readByte(kAcknowledge)) return false;

        port_.purgeBuffers();
        clock_.sleepMs(1);
        port_.write(&kTestModeEntry, 1);
        clock_.sleepMs(1);
        port_.purgeBuffers();
        port_.write(&item_.commandByte, 1);
        clock_.sleepMs(1);
        port_.purgeBuffers();
        const Byte selection[2] = {item_.commandByte, kTestModeItemSuffix};
        port_.write(selection, 2);
        port_.purgeBuffers();
        if (!readByte(kTestModeAnswer)) return false;

        clock_.sleepMs(1);
        const std::vector<Byte> frequencies =
            TestModeFrequencyFrame(request_.rxFrequencyText, request_.txFrequencyText);
        if (!sendFrame(frequencies)) return false;

        clock_.sleepMs(1);
        const std::vector<Byte> parameters =
            TestModeParameterFrame(request_.rxToneText, request_.txToneText, request_.value);
        return sendFrame(parameters);
    }

private:
    bool sendFrame(const std::vector<Byte>& frame) {
        port_.purgeBuffers();
        port_.write(frame.data(), frame.size());
        port_.purgeBuffers();
        return readByte(kTestModeAnswer);
    }

    bool readByte(Byte expected) {
        const IoResult r = port_.read(reply_, 1);
        return r.ok && r.count == 1 && reply_[0] == expected && !host_.cancelRequested();
    }

    SerialPort& port_;
    Clock& clock_;
    SessionHost& host_;
    const TestModeRequest& request_;
    const TestModeItem& item_;
    Byte reply_[kReplyBufferSize] = {};
};

}  // namespace

TestModeOutcome RunTestModeExchange(const Family& family, Lang uiLang, SerialPort& port, Clock& clock,
                                    SessionHost& host, const std::string& portName, const TestModeRequest& request) {
    const TextSet texts = SessionTextSet(family, uiLang);
    // An unknown item would tune the wrong value of the radio: refuse it
    // before anything is sent.
    const TestModeItem* item = FindTestModeItem(request.itemCode);
    if (item == nullptr) throw std::invalid_argument("RunTestModeExchange: unknown test-mode item");

    if (!port.open(portName)) {
        host.showMessage(OpenFailureMessage(texts, port.openFailure()), MessageButtons::Ok);
        return TestModeOutcome::OpenFailed;
    }
    port.configure(kTestModeTiming);
    port.purgeBuffers();

    TestModeExchange exchange(port, clock, host, request, *item);
    while (!exchange.attempt()) {
        if (host.cancelRequested()) {
            port.close();
            return TestModeOutcome::Cancelled;
        }
        if (host.showMessage(SessionMessage(SessionText::TestModeFailed, texts), MessageButtons::RetryCancel) !=
            MessageAnswer::Retry) {
            port.close();
            return TestModeOutcome::Cancelled;
        }
    }
    port.close();
    host.showMessage(SessionMessage(SessionText::TestModeFinished, texts), MessageButtons::Ok);
    return TestModeOutcome::Completed;
}

}  // namespace vel
