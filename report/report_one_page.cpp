// What the one-page reports of the 16-channel families print.

#include "report/report_one_page.h"

#include <string>
#include <vector>

namespace vel::report_detail {
namespace {

// Control identifiers of the form lists the reports print.
constexpr int kType = 1017;
constexpr int kField = 1011;
constexpr int kSideButton = 1012;
constexpr int kTxTotalTime = 1013;
constexpr int kWarning = 1014;
constexpr int kSquelch = 1016;
constexpr int kPowerRank = 1018;
constexpr int kScanFunction = 1070;
constexpr int kBandWidth = 1073;     // VM_CH16
constexpr int kBandWidthCn = 1019;   // VM_CH16_CN

// ---------------------------------------------------------------------------
// Marlowe: everything but the type and band comes from the image.
// ---------------------------------------------------------------------------

constexpr int kFlags = 0x3C0;
constexpr int kSquelchByte = 0x3C1;
constexpr int kTimeOut = 0x3C3;
constexpr int kPowerRankByte = 0x3C4;
constexpr int kSideButton2 = 0x3C5;
constexpr int kSideButton3 = 0x3C6;
constexpr int kVoxGain = 0x3C7;

bool Bit(const Image& image, int bit) { return (ReportByte(image, kFlags) >> bit) & 1; }

std::string TimeOut(const Image& image) {
    const Byte v = ReportByte(image, kTimeOut);
    return v >= 1 && v <= 10 ? std::to_string(v * 30) + "s" : "off";
}

std::string PowerRank(const Image& image) {
    const int rank = ReportByte(image, kPowerRankByte) / 3;
    return std::to_string(rank > 8 ? 9 : rank);
}

std::string MarloweSquelch(const Image& image) {
    const Byte v = ReportByte(image, kSquelchByte);
    return v < 11 ? std::to_string(v) : "0";
}

std::string Beep(const Image& image) { return Bit(image, 0) ? "Enable" : "Disable"; }

// Bits 3 and 4 of the flags. Bit 4 alone names no language (the Optional
// Features list shows no selection then), so the line prints no value.
std::string Voice(const Image& image) {
    const bool english = Bit(image, 3);
    const bool chinese = Bit(image, 4);
    if (english && chinese) return "Chinese";
    if (english) return "English";
    return chinese ? "" : "0ff";
}

// Bit 5 set turns the scrambler off.
std::string Scrambler(const Image& image) { return Bit(image, 5) ? "off" : "on"; }

std::string VoxGain(const Image& image) {
    const Byte v = ReportByte(image, kVoxGain);
    return v == 0 ? "off" : std::to_string(v);
}

/// Report text of a side-button function number (a nibble of 0x3C5/0x3C6).
std::string SideButtonFunction(int value) {
    static const char* const kTexts[] = {"No Function",       "Monitor",     "Scan On/Off",
                                         "Scan Temperary Delete", "High/Low Power", "Talk Around",
                                         "Reverse Frequency", "Vox ON/OFF",  "Scrambler ON/OFF"};
    return value >= 1 && value <= 8 ? kTexts[value] : kTexts[0];
}

// Column positions of the side buttons' two columns, in units of u.
constexpr int kLeftColumn = 2;
constexpr int kRightColumn = 40;

std::vector<std::vector<ReportSetting>> SideButtonLines(const Image& image) {
    const Byte two = ReportByte(image, kSideButton2);
    const Byte three = ReportByte(image, kSideButton3);
    return {
        {{kLeftColumn, "    Side Button 2   ", ""}, {kRightColumn, "    Side Button 3   ", ""}},
        {{kLeftColumn, "Short Press:     ", SideButtonFunction(two >> 4)},
         {kRightColumn, "Short Press:     ", SideButtonFunction(three >> 4)}},
        {{kLeftColumn, "Long Press:     ", SideButtonFunction(two & 0x0F)},
         {kRightColumn, "Long Press:     ", SideButtonFunction(three & 0x0F)}},
    };
}

// ---------------------------------------------------------------------------
// The three reports
// ---------------------------------------------------------------------------

const std::string kTimes = "Times New Roman";

OnePageReport VmCh16Report() {
    OnePageReport r;
    r.pages = {{Same("The Radio Settings"), 1, 16, true}};
    r.titleFace = kTimes;
    r.headings = {"Function Setting:", "Channel Setting:"};
    r.settings = {{"Type:   ", kType},
                  {"Field:   ", kField},
                  {"Moni:   ", kSideButton},
                  {"Tx Total Time: ", kTxTotalTime},
                  {"Warning Setting: ", kWarning},
                  {"Squelch Level: ", kSquelch},
                  {"TX power rank: ", kPowerRank},
                  {"Band Width: ", kBandWidth},
                  {"Scan function(the 16th channel)：", kScanFunction}};
    r.columns = {{0, 1, ""}, {1, 5, "Rx(MHz)"}, {2, 16, "Tx(MHz)"}, {3, 27, ""}, {4, 36, ""}, {5, 45, ""}};
    return r;
}

// The title asks for 宋体 (SimSun); where it is not installed another
// Chinese face stands in, serif faces first as 宋体 is one.
OnePageReport VmCh16CnReport() {
    OnePageReport r;
    r.pages = {{Same("本机设置数据"), 1, 16, true}};
    r.titleFace = "宋体";
    r.titleSubstitutes = {"SimSun",          "NSimSun",           "新宋体",          "Noto Serif CJK SC",
                          "Source Han Serif SC", "AR PL UMing CN", "AR PL SungtiL GB", "WenQuanYi Zen Hei",
                          "WenQuanYi Micro Hei", "Noto Sans CJK SC"};
    r.chineseTitle = true;
    r.headings = {"一整机功能设置部分:", "二信道数据部分:"};
    r.settings = {{"机型:   ", kType},
                  {"频段  :", kField},
                  {"监听功能:", kSideButton},
                  {"发射定时(TOT): ", kTxTotalTime},
                  {"报警音提示: ", kWarning},
                  {"静噪等级: ", kSquelch},
                  {"发射功率: ", kPowerRank},
                  {"频带宽度: ", kBandWidthCn},
                  {"第16信道扫描功能：", kScanFunction}};
    // Chinese headings are about twice as wide as English ones per character.
    r.columns = {{0, 1, ""}, {1, 6, "Rx(MHz)"}, {2, 17, "Tx(MHz)"}, {3, 28, ""}, {4, 38, ""}, {5, 48, ""}};
    return r;
}

OnePageReport MarloweReport() {
    OnePageReport r;
    r.pages = {{Same("The Radio Settings"), 1, 16, true}};
    r.titleFace = kTimes;
    r.headings = {"Function Setting:", "Channel Setting:"};
    r.settings = {{"Type:               ", kType},
                  {"BandWidth:          ", kField},
                  {"Time out Time:      ", 0, TimeOut},
                  {"TX Power Rank:      ", 0, PowerRank},
                  {"Squelch(SQ):        ", 0, MarloweSquelch},
                  {"Beep:               ", 0, Beep},
                  {"Voice Announcement: ", 0, Voice},
                  {"Scrambler:          ", 0, Scrambler},
                  {"VOX Gain Level:     ", 0, VoxGain}};
    r.sideButtons = true;
    r.columns = {{0, 1, ""},  {1, 5, "Rx(MHz)"}, {2, 15, "Tx(MHz)"}, {3, 25, ""}, {4, 33, ""},
                 {5, 41, ""}, {6, 48, ""},        {7, 57, ""},        {8, 65, ""}};
    return r;
}

}  // namespace

Byte ReportByte(const Image& image, int addr) {
    // A short image (a file of another family) reads as erased memory rather
    // than past its end.
    if (addr < 0 || static_cast<std::size_t>(addr) >= image.size()) return 0xFF;
    return image[static_cast<std::size_t>(addr)];
}

std::string SelectedText(const Family& family, const ChannelTable& table, int id, Lang lang) {
    const auto sel = table.selection.find(id);
    const FormField* field = family.field(id);
    if (sel == table.selection.end() || !field || sel->second < 0) return {};
    if (sel->second >= static_cast<int>(field->items.size())) return {};
    return field->items[static_cast<std::size_t>(sel->second)].text.in(lang);
}

const OnePageReport* OnePageReportOf(const Family& family) {
    static const OnePageReport vmCh16 = VmCh16Report();
    static const OnePageReport vmCh16Cn = VmCh16CnReport();
    static const OnePageReport marlowe = MarloweReport();
    switch (family.id) {
        case FamilyId::VM_CH16: return &vmCh16;
        case FamilyId::VM_CH16_CN: return &vmCh16Cn;
        case FamilyId::Marlowe: return &marlowe;
        default: return nullptr;
    }
}

std::vector<std::vector<ReportSetting>> OnePageSettings(const OnePageReport& report, const Family& family,
                                                        const Image& image, const ChannelTable& table) {
    const Lang lang = family.uiLang(Lang::English);
    std::vector<std::vector<ReportSetting>> lines;
    for (const OnePageSetting& s : report.settings) {
        std::string value;
        if (s.formList != 0) {
            value = SelectedText(family, table, s.formList, lang);
        } else if (s.fromImage) {
            value = s.fromImage(image);
        }
        lines.push_back({{kLeftColumn, s.label, value}});
    }
    if (report.sideButtons) {
        for (auto& line : SideButtonLines(image)) lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace vel::report_detail
