#pragma once
// What the test-mode dialog keeps while it is open: the three debug
// frequencies (High, Middle, Low) with their frequencies, tones, steps and
// tone kinds, and the value of each debug item. The dialog only shows this
// state and routes the user's choices into it; the rules live here.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "image/family.h"
#include "image/language.h"
#include "testmode/test_mode_exchange.h"

namespace vel {

/// Kind of tone a group lists: QT (the CTCSS tones) or DQT (digital codes).
enum class ToneKind { QT = 0, DQT = 1 };

/// The texts a tone list of `kind` offers, first entry "OFF": QT lists "OFF"
/// and the 50 CTCSS tones, DQT lists "OFF" and the 210 digital codes (normal
/// and inverted). A digital code has no numeric value in the parameter frame
/// and goes out as 0x00 0x00, as "OFF" does.
const std::vector<std::string>& TestModeToneList(ToneKind kind);

/// Debug frequency codes, in the order the tree lists them.
enum DebugFrequencyCode : int { kDebugHigh = 2, kDebugMiddle = 3, kDebugLow = 4 };

/// One debug frequency: receive and transmit settings.
struct DebugFrequency {
    std::int64_t rxUnits = 0;          // 10 Hz units
    std::int64_t txUnits = 0;
    int rxToneIndex = 0;               // index in the list of rxKind
    int txToneIndex = 0;
    TestStep rxStep = TestStep::KHz500;
    TestStep txStep = TestStep::KHz500;
    ToneKind rxKind = ToneKind::QT;
    ToneKind txKind = ToneKind::QT;

    bool operator==(const DebugFrequency&) const = default;
};

/// "%8.5f" of `units` (10 Hz) in megahertz: how the frequency edits show a value.
std::string TestFrequencyText(std::int64_t units);

class TestModeState {
public:
    /// Opening values for base frequency F (MHz): High F + 20, Middle F + 10,
    /// Low F (receive and transmit alike), tone "OFF", 5.00 kHz, QT; every
    /// item value 0.
    explicit TestModeState(int baseMHz);

    int baseMHz() const { return baseMHz_; }

    /// The debug frequency of `code` (kDebugHigh, kDebugMiddle, kDebugLow);
    /// any other code throws std::out_of_range.
    DebugFrequency& frequency(int code);
    const DebugFrequency& frequency(int code) const;
    /// The opening values of debug frequency `code`.
    DebugFrequency openingFrequency(int code) const;
    /// Default on the frequency page: `code` back to its opening values.
    void resetFrequency(int code);

    /// Frequency entry: `text` in MHz rounded by RoundTestFrequency to the
    /// step of its group (clamped to F .. F + 20 MHz) and stored as the
    /// receive or transmit frequency of `code`. Returns the value stored.
    std::int64_t enterFrequency(int code, bool transmit, const std::string& text);

    /// Changes a group's tone kind; the tone index goes back to the first
    /// entry ("OFF") when the kind changes.
    void setToneKind(int code, bool transmit, ToneKind kind);
    void setToneIndex(int code, bool transmit, int index);
    void setStep(int code, bool transmit, TestStep step);

    /// Value (0 to 255) Start sends for item `itemCode` (2 to 5).
    int itemValue(int itemCode) const;
    void setItemValue(int itemCode, int value);
    /// Default on the parameter page: the item's default value.
    void resetItem(int itemCode);

    /// What Start sends: item `itemCode` with its value, and the stored
    /// frequencies and tones of debug frequency `frequencyCode`.
    TestModeRequest request(int itemCode, int frequencyCode) const;

private:
    static std::size_t slot(int code);
    std::size_t itemSlot(int itemCode) const;

    int baseMHz_;
    std::array<DebugFrequency, 3> frequencies_;
    std::array<int, 4> itemValues_{};
};

/// Fixed texts of the test-mode dialog's controls in one language.
struct TestModeDialogTexts {
    std::string receive, transmit;                 // groups 1060, 1061
    std::string frequency;                         // labels 1054, 1055
    std::string tone;                              // labels 1056, 1057
    std::string toneMethod;                        // labels 1058, 1059
    std::string qt, dqt;                           // 1034/1036, 1035/1037
    std::string stepValue;                         // labels 1062, 1065
    std::string step500, step625;                  // 1063/1066, 1064/1067
    std::string parameterValue;                    // group 1044
    std::string min, max, currentValue;            // labels 1049, 1051, 1052
    std::string chooseDebugFrequency;              // group 1043
    std::string high, middle, low;                 // 1040, 1041, 1042
    std::string start;                             // 1038
    std::string defaultButton;                     // 1028
};
const TestModeDialogTexts& TestModeDialogLabels(Lang lang);

/// Title of the test-mode dialog of a family.
const std::string& TestModeDialogTitle(FamilyId family);

/// Tree labels (the same in every family and language).
struct TestModeTreeTexts {
    std::string debugFrequency, highFrequency, middleFrequency, lowFrequency;
    std::string debugItem;   // its children are the labels of TestModeItems()
    std::string exitDebug;
};
const TestModeTreeTexts& TestModeTreeLabels();

/// Caption of group 1029 once debug frequency `code` is chosen:
/// "High Frequency", "Middle Frequency" or "Low frequency".
const std::string& DebugFrequencyCaption(int code);

}  // namespace vel
