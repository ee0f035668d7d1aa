// The settings block of the report's first page: which byte or list each
// line prints for each family, and the texts of the values.

#include <bit>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "report/report_layout.h"
#include "report/report_one_page.h"
#include "settings/family_features.h"

namespace vel {
namespace {

using report_detail::ReportByte;

struct BitRef {
    int addr;
    int bit;
    bool in(const Image& image) const { return (ReportByte(image, addr) >> bit) & 1; }
};

/// A code of ASCII characters in `length` bytes from `addr`: the bytes that
/// are digits (and, when `lettersAtoD`, the letters A to D) in order, every
/// other byte skipped.
struct CodeRef {
    int addr;
    int length;
    bool lettersAtoD;
    std::string in(const Image& image) const {
        std::string s;
        for (int i = 0; i < length; ++i) {
            const Byte b = ReportByte(image, addr + i);
            if ((b >= '0' && b <= '9') || (lettersAtoD && b >= 'A' && b <= 'D')) s += static_cast<char>(b);
        }
        return s;
    }
};

/// Where a family keeps what the settings block prints. A setting the family
/// does not have is left out and prints an empty value: the bytes another
/// family uses for it mean something else here.
struct SettingsSources {
    std::optional<int> pf1;
    int pf2;
    BitRef beep;
    BitRef scrambler;
    BitRef batterySave;
    std::optional<BitRef> voxFunction;
    std::optional<BitRef> voxInhibit;
    int squelch;
    int totalTxTime;
    int voxGain;
    std::optional<int> voxDelay;
    std::optional<CodeRef> pttId;
    std::optional<BitRef> beginFlag;   // "Begin of Tx" switch
    std::optional<BitRef> endFlag;     // "End of Tx" switch
    std::optional<CodeRef> beginCode;  // code printed after "Begin of Tx:"
    std::optional<CodeRef> endCode;    // code printed after "End of Tx:  "
};

// Velmar_V keeps no PF1 function, vox switch, vox delay, radio-wide PTT ID or
// vox inhibit: 0x810 holds the Tx switches, 0x816 the frequency-mode
// signalling, bits 0-1 of 0x812 the language and bit 6 the beep.
const SettingsSources kVelmarV{
    .pf1 = std::nullopt,
    .pf2 = 0x81B,
    .beep = {0x812, 6},
    .scrambler = {0x812, 4},
    .batterySave = {0x812, 2},
    .voxFunction = std::nullopt,
    .voxInhibit = std::nullopt,
    .squelch = 0x813,
    .totalTxTime = 0x814,
    .voxGain = 0x815,
    .voxDelay = std::nullopt,
    .pttId = std::nullopt,
    .beginFlag = BitRef{0x810, 5},
    .endFlag = BitRef{0x810, 4},
    .beginCode = std::nullopt,
    .endCode = std::nullopt,
};

BitRef BitOf(FeatureBit bit) { return {bit.addr, std::countr_zero(static_cast<unsigned>(bit.mask))}; }

// The 128- and 118-channel families print what their Optional Features
// dialog shows, from the bytes the dialog reads; only the codes are the
// report's own.
SettingsSources FromDialogLayout(FamilyId id) {
    const FamilyFeaturesLayout& f = *FamilyFeaturesLayoutOf(id);
    SettingsSources s{};
    s.pf1 = f.pf1;
    s.pf2 = f.pf2;
    s.beep = BitOf(f.beep);
    s.scrambler = BitOf(f.scrambler);
    s.batterySave = BitOf(f.batterySave);
    s.voxFunction = BitOf(f.voxFunction);
    s.voxInhibit = BitOf(f.voxInhibit);
    s.squelch = f.squelch;
    s.totalTxTime = f.timeout;
    s.voxGain = f.voxGain;
    s.voxDelay = f.voxDelay;
    if (f.beginOfTx) s.beginFlag = BitOf(*f.beginOfTx);
    if (f.endOfTx) s.endFlag = BitOf(*f.endOfTx);
    return s;
}

// The 128-channel family's PTT ID is the digits its Optional Features dialog
// shows (the first four bytes from 0x820).
SettingsSources VmCh128Sources() {
    SettingsSources s = FromDialogLayout(FamilyId::VM_CH128);
    s.pttId = CodeRef{0x820, 4, false};
    return s;
}

// The 118-channel family prints its PTT ID and ANI codes after the Begin and
// End of Tx labels, digits and A to D from all sixteen bytes; bits 0-1 of
// 0x7D2 are its menu language, so "PTT ID: " stays empty.
SettingsSources VmCh118Sources() {
    SettingsSources s = FromDialogLayout(FamilyId::VM_CH118);
    s.beginCode = CodeRef{0x7B0, 16, true};
    s.endCode = CodeRef{0x7C0, 16, true};
    return s;
}

const SettingsSources* SourcesOf(const Family& family) {
    static const SettingsSources vmCh128 = VmCh128Sources();
    static const SettingsSources vmCh118 = VmCh118Sources();
    switch (family.id) {
        case FamilyId::Velmar_V: return &kVelmarV;
        case FamilyId::VM_CH128: return &vmCh128;
        case FamilyId::VM_CH118: return &vmCh118;
        default: return nullptr;
    }
}

std::string Printf2d(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%2d", v);
    return buf;
}

const Text kKeyFunctions[] = {
    {"None", "无"},         {"Autodial", "自动拨号"},          {"Key Lock", "按键锁定"},
    {"Monitor", "监听"},    {"Monitor Momentary", "监听瞬时"}, {"Scrambler", "扰频器"},
};

std::string KeyFunction(Byte v, Lang lang) { return (v < 6 ? kKeyFunctions[v] : kKeyFunctions[0]).in(lang); }

// On/off words differ by setting in Chinese.
const Text kEnable{"Enable", "打开"};
const Text kDisable{"Disable", "关闭"};
const Text kBatteryOn{"Enable", "启动"};
const Text kBatteryOff{"Disable", "关闭"};
const Text kInhibitOn{"Enable", "使能"};
const Text kInhibitOff{"Disable", "不使能"};

std::string OnOff(bool on, Lang lang) { return (on ? kEnable : kDisable).in(lang); }

std::string Squelch(Byte v) { return v > 9 ? "0" : Printf2d(v); }

std::string VoxGain(Byte v) {
    if (v == 0) return "OFF";
    return v > 10 ? "0" : Printf2d(v);
}

std::string TotalTxTime(Byte v) { return (v >= 1 && v <= 40) ? std::to_string(v * 15) : "OFF"; }

std::string VoxDelay(Byte v) {
    static const char* const kDelays[] = {"0.3s", "0.5s", "1.0s", "1.5s", "2.0s", "3.0s"};
    return v < 6 ? kDelays[v] : kDelays[0];
}

// Control identifiers of the lists above the grid.
constexpr int kTypeList = 1017;
constexpr int kFieldList = 1011;
constexpr int kPowerRankList = 1018;

}  // namespace

std::vector<std::vector<ReportSetting>> ReportSettingsBlock(const Family& family, const Image& image,
                                                            const ChannelTable& table, Lang lang) {
    if (const auto* onePage = report_detail::OnePageReportOf(family))
        return report_detail::OnePageSettings(*onePage, family, image, table);
    const SettingsSources* src = SourcesOf(family);
    if (!src) return {};
    const Lang L = ReportLang(family, lang);
    const auto label = [L](const char* en, const char* ch) { return std::string(L == Lang::English ? en : ch); };
    const auto byte = [&image](int addr) { return ReportByte(image, addr); };

    const std::string pf1 = src->pf1 ? KeyFunction(byte(*src->pf1), L) : "";
    const std::string voxFunction = src->voxFunction ? OnOff(src->voxFunction->in(image), L) : "";
    const std::string voxInhibit =
        src->voxInhibit ? (src->voxInhibit->in(image) ? kInhibitOn : kInhibitOff).in(L) : "";
    const std::string voxDelay = src->voxDelay ? VoxDelay(byte(*src->voxDelay)) : "";
    const std::string pttId = src->pttId ? src->pttId->in(image) : "";
    std::string begin, end;
    if (src->beginFlag) begin = OnOff(src->beginFlag->in(image), L);
    if (src->beginCode) begin = src->beginCode->in(image);
    if (src->endFlag) end = OnOff(src->endFlag->in(image), L);
    if (src->endCode) end = src->endCode->in(image);

    return {
        {
            {2, label("Type:   ", "机型:   "), report_detail::SelectedText(family, table, kTypeList, L)},
            {25, label("Frequency Field:", "频段:"), report_detail::SelectedText(family, table, kFieldList, L)},
        },
        {
            {2, "Pf1:   ", pf1},
            {25, "Pf2: ", KeyFunction(byte(src->pf2), L)},
            {50, label("Beep Warning: ", "报警音提示: "), OnOff(src->beep.in(image), L)},
        },
        {
            {2, label("Squelch Level: ", "静噪等级: "), Squelch(byte(src->squelch))},
            {25, label("TX power rank: ", "发射功率等级: "), report_detail::SelectedText(family, table, kPowerRankList, L)},
            {50, label("Scrambler Activation:", "扰频器激活:"), OnOff(src->scrambler.in(image), L)},
        },
        {
            {2, label("Vox Function:", "Vox 功能:"), voxFunction},
            {25, label("Vox Gain Level:", "Vox 增益电平:"), VoxGain(byte(src->voxGain))},
            {50, label("Vox Delay Time: ", "Vox 延迟时间(秒): "), voxDelay},
        },
        {
            {2, "PTT ID: ", pttId},
            {25, label("Battery Save:", "电池省电:"), (src->batterySave.in(image) ? kBatteryOn : kBatteryOff).in(L)},
            {50, label("Total Tx Time(s):", "发射时间(s):"), TotalTxTime(byte(src->totalTxTime))},
        },
        {
            {2, label("Begin of Tx:", "发射开始:"), begin},
            {35, label("End of Tx:  ", "发射结束:"), end},
        },
        {
            {2, label("Vox inhibit on recieve:", "接收时禁止VOX:"), voxInhibit},
        },
    };
}

}  // namespace vel
