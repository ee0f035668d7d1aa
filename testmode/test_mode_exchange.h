#pragma once
// Live tuning of a connected radio: one parameter setting, with the current
// test frequencies and tones, per exchange. No message pump runs during it.

#include <cstdint>
#include <string>
#include <vector>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"
#include "link/programming_session.h"
#include "link/serial_port.h"

namespace vel {

/// Debug items: code, command byte and default value.
struct TestModeItem {
    int code;          // 2 TX Frequency, 3 Low Power Voltage, 4 Squelch Level, 5 TX Power
    Byte commandByte;  // 0x71 .. 0x74
    int defaultValue;  // 91, 38, 160, 47
    const char* label; // tree label
};
const std::vector<TestModeItem>& TestModeItems();
const TestModeItem* FindTestModeItem(int code);

struct TestModeRequest {
    int itemCode = 2;
    int value = 0;                 // 0..255
    std::string rxFrequencyText;   // MHz texts as the frequency edits show them
    std::string txFrequencyText;
    std::string rxToneText;        // tone table texts; "OFF" and digital codes send 0x00 0x00
    std::string txToneText;
};

/// The 8-byte frequency frame: receive then transmit, packed decimal, 10 Hz units.
std::vector<Byte> TestModeFrequencyFrame(const std::string& rxText, const std::string& txText);
/// The 8-byte parameter frame: rx tone, tx tone, 0xFB, 0x01, 0x01, value.
std::vector<Byte> TestModeParameterFrame(const std::string& rxTone, const std::string& txTone, int value);

enum class TestStep { KHz500 = 0, KHz625 = 1 };   // 5.00 kHz or 6.25 kHz

/// Frequency entry: the text as MHz in 10 Hz units (exact decimal, truncated),
/// clamped to F..F+20 MHz, otherwise rounded to the step: to a multiple of 500
/// upward when the remainder is above 250, or to a multiple of 625 upward when
/// the remainder is 313 or more. Returns 10 Hz units.
std::int64_t RoundTestFrequency(const std::string& text, int baseMHz, TestStep step);

/// Base frequency F of the test mode in MHz: 450 for families with the fixed
/// band text "450MHz", otherwise the leading number of the band text shown in
/// the Field list (136 from "136 - 174MHz", 67 from "  67 - 72MHz"); 0 when the
/// text starts with no number.
int TestModeBaseMHz(const Family& family, const std::string& fieldText);

enum class TestModeOutcome { Completed, Cancelled, OpenFailed };

/// Runs one Start exchange on `port` (opened by name here, closed on every way
/// out) with the test-mode timing profile. Every wait is a plain pause: no
/// message pump runs. A failed step asks Retry/Cancel; Retry starts again
/// from the 700 ms pause and the wake-up on the port that is still open.
/// Messages go through `host.showMessage`; `host.cancelRequested` (a stop
/// request on the command line) is asked after the pause and every read, and
/// ends the exchange as Cancelled without a message. Nothing else of the
/// host is used. Completed is reported after the success message has been
/// shown.
/// An item code that is not one of TestModeItems() throws
/// std::invalid_argument before the port is touched.
TestModeOutcome RunTestModeExchange(const Family& family, Lang uiLang, SerialPort& port, Clock& clock,
                                    SessionHost& host, const std::string& portName, const TestModeRequest& request);

}  // namespace vel
