#include "testmode/test_mode_state.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "image/encodings.h"

namespace vel {

namespace {

constexpr std::int64_t kUnitsPerMHz = 100000;
constexpr std::size_t kCtcssTones = 50;   // tone table entries 1..50

}  // namespace

const std::vector<std::string>& TestModeToneList(ToneKind kind) {
    static const std::vector<std::string> qt = [] {
        const std::vector<std::string>& table = ToneTable();
        return std::vector<std::string>(table.begin(), table.begin() + 1 + kCtcssTones);
    }();
    static const std::vector<std::string> dqt = [] {
        const std::vector<std::string>& table = ToneTable();
        std::vector<std::string> list{table.front()};
        list.insert(list.end(), table.begin() + 1 + kCtcssTones, table.end());
        return list;
    }();
    return kind == ToneKind::QT ? qt : dqt;
}

std::string TestFrequencyText(std::int64_t units) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%8.5f", static_cast<double>(units) / static_cast<double>(kUnitsPerMHz));
    return buf;
}

TestModeState::TestModeState(int baseMHz) : baseMHz_(baseMHz) {
    for (int code : {kDebugHigh, kDebugMiddle, kDebugLow}) frequencies_[slot(code)] = openingFrequency(code);
}

std::size_t TestModeState::slot(int code) {
    if (code < kDebugHigh || code > kDebugLow) throw std::out_of_range("TestModeState: no such debug frequency");
    return static_cast<std::size_t>(code - kDebugHigh);
}

std::size_t TestModeState::itemSlot(int itemCode) const {
    if (FindTestModeItem(itemCode) == nullptr) throw std::out_of_range("TestModeState: no such debug item");
    return static_cast<std::size_t>(itemCode - 2);
}

DebugFrequency& TestModeState::frequency(int code) { return frequencies_[slot(code)]; }
const DebugFrequency& TestModeState::frequency(int code) const { return frequencies_[slot(code)]; }

DebugFrequency TestModeState::openingFrequency(int code) const {
    // High is F + 20, Middle F + 10, Low F.
    const std::int64_t offsetMHz = code == kDebugHigh ? 20 : code == kDebugMiddle ? 10 : 0;
    (void)slot(code);
    DebugFrequency f;
    f.rxUnits = f.txUnits = (static_cast<std::int64_t>(baseMHz_) + offsetMHz) * kUnitsPerMHz;
    return f;
}

void TestModeState::resetFrequency(int code) { frequency(code) = openingFrequency(code); }

std::int64_t TestModeState::enterFrequency(int code, bool transmit, const std::string& text) {
    DebugFrequency& f = frequency(code);
    const std::int64_t units = RoundTestFrequency(text, baseMHz_, transmit ? f.txStep : f.rxStep);
    (transmit ? f.txUnits : f.rxUnits) = units;
    return units;
}

void TestModeState::setToneKind(int code, bool transmit, ToneKind kind) {
    DebugFrequency& f = frequency(code);
    ToneKind& k = transmit ? f.txKind : f.rxKind;
    if (k == kind) return;
    k = kind;
    (transmit ? f.txToneIndex : f.rxToneIndex) = 0;
}

void TestModeState::setToneIndex(int code, bool transmit, int index) {
    DebugFrequency& f = frequency(code);
    const int size = static_cast<int>(TestModeToneList(transmit ? f.txKind : f.rxKind).size());
    (transmit ? f.txToneIndex : f.rxToneIndex) = std::clamp(index, 0, size - 1);
}

void TestModeState::setStep(int code, bool transmit, TestStep step) {
    DebugFrequency& f = frequency(code);
    (transmit ? f.txStep : f.rxStep) = step;
}

int TestModeState::itemValue(int itemCode) const { return itemValues_[itemSlot(itemCode)]; }

void TestModeState::setItemValue(int itemCode, int value) { itemValues_[itemSlot(itemCode)] = std::clamp(value, 0, 255); }

void TestModeState::resetItem(int itemCode) { setItemValue(itemCode, FindTestModeItem(itemCode)->defaultValue); }

TestModeRequest TestModeState::request(int itemCode, int frequencyCode) const {
    const DebugFrequency& f = frequency(frequencyCode);
    TestModeRequest r;
    r.itemCode = itemCode;
    r.value = itemValue(itemCode);
    r.rxFrequencyText = TestFrequencyText(f.rxUnits);
    r.txFrequencyText = TestFrequencyText(f.txUnits);
    r.rxToneText = TestModeToneList(f.rxKind).at(static_cast<std::size_t>(f.rxToneIndex));
    r.txToneText = TestModeToneList(f.txKind).at(static_cast<std::size_t>(f.txToneIndex));
    return r;
}

const TestModeDialogTexts& TestModeDialogLabels(Lang lang) {
    static const TestModeDialogTexts english{
        "Receive", "Transmit", "Frequency (MHz)", "Tone", "Tone Method", "QT", "DQT", "Step Value", "5.00KHZ",
        "6.25KHZ", "Parameter Value", "Min", "Max", "Current Value", "Choose Debug Frequency", "High(MHz)",
        "Middle(MHz)", "Low(MHz)", "Start", "Default"};
    static const TestModeDialogTexts chinese{
        "接收", "发射", "频率(MHZ)", "信令", "信令类别", "模拟信令", "数字信令", "频率步进值", "5.00KHZ",
        "6.25KHZ", "调试参数", "最小", "最大", "当前位置", "选择调试频率", "高端频率",
        "中端频率", "低端频率", "开始", "还原默认值"};
    return lang == Lang::English ? english : chinese;
}

const std::string& TestModeDialogTitle(FamilyId family) {
    static const std::string velmar = "Debug Mode for Velmar";
    static const std::string ch118 = "Debug Mode for  Velmar";
    static const std::string radio = "Debug Mode for  Velmar Radio";
    static const std::string placeholder = "Dialog";
    switch (family) {
        case FamilyId::Velmar_V:
        case FamilyId::VM_CH128: return velmar;
        case FamilyId::VM_CH118: return ch118;
        case FamilyId::Marlowe:
        case FamilyId::VM_CH16: return radio;
        case FamilyId::VM_CH16_CN: return placeholder;
    }
    return velmar;
}

const TestModeTreeTexts& TestModeTreeLabels() {
    static const TestModeTreeTexts texts{"Debug Frequency", "High Frequency", "Middle Frequency", "Low Frequency",
                                         "Debug Item", "Exit Debug"};
    return texts;
}

const std::string& DebugFrequencyCaption(int code) {
    static const std::string captions[] = {"High Frequency", "Middle Frequency", "Low frequency"};
    if (code < kDebugHigh || code > kDebugLow) throw std::out_of_range("DebugFrequencyCaption: no such debug frequency");
    return captions[code - kDebugHigh];
}

}  // namespace vel
