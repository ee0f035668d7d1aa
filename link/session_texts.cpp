#include "link/session_texts.h"

#include <array>
#include <cstddef>

namespace vel {
namespace {

struct TextRow {
    SessionText id;
    const char* english;
    const char* chinese;     // the full application's Chinese form
    const char* chineseCN;   // the Chinese 16-channel application
};

// The status texts are English in the full application's Chinese form too;
// only the Chinese 16-channel application translates them. Its radio-type text
// has no leading blank. The data password exists in an English family only.
constexpr std::array kRows{
    TextRow{SessionText::OpenFailed,
            "Could not Open the Port,Please check whether the Port are occupied or the device are ok",
            "无法打开串口，请检查该设备是否正常，或是否被占用",
            "无法打开串口，请检查该设备是否正常，或是否被占用"},
    TextRow{SessionText::Detecting, "Now are detecting Communication Port,Please wait...",
            "Now are detecting Communication Port,Please wait...", "正在检测通讯端口，请等待..."},
    TextRow{SessionText::Waiting, "Waiting the response from radio....", "Waiting the response from radio....",
            "正在等待对讲机响应...."},
    TextRow{SessionText::CommunicationError,
            "Communication Error，Please check all the connections and the radio power",
            "通讯错误，请检查连接线是否接触良好或对讲机电源是否开启",
            "通讯错误，请检查连接线是否接触良好或对讲机电源是否开启"},
    TextRow{SessionText::RadioTypeMismatch,
            " Radio Type are not match for your setting，If you want continue,push ok button",
            " 对讲机的类型与你所设置的不一样，若要覆盖请按确定按钮",
            "对讲机的类型与你所设置的不一样，若要覆盖请按确定按钮"},
    TextRow{SessionText::SendOrderError, " Error in the Send Order", " 发送数据错误", " 发送数据错误"},
    TextRow{SessionText::NotEnoughBytes, "not received enough  byte", "未收到足够字节", "未收到足够字节"},
    TextRow{SessionText::ReadBlockError, "Error had happen,please try again", "接收出错中断，请重试",
            "接收出错中断，请重试"},
    TextRow{SessionText::WriteBlockError, " Program Interrupt，Please reset the radio and try again",
            " 接收出错中断，请重试", " 接收出错中断，请重试"},
    TextRow{SessionText::PasswordIncorrect, "Password incorrect", "Password incorrect", "Password incorrect"},
    TextRow{SessionText::CommunicationInterrupted, "Communication had been interrupted,please try again",
            "通讯已被中断,请重新开始", "通讯已被中断,请重新开始"},
    TextRow{SessionText::TestModeFailed, " Error had happen ,need try again", " 错误需延时再试",
            " 错误需延时再试"},
    TextRow{SessionText::TestModeFinished, "Finish successfully!", "对讲机已收到!", "对讲机已收到!"},
    TextRow{SessionText::TestModeNoVisibleInfo, " There are no Visible information", "没有可视信息",
            " 没有可视信息"},
    TextRow{SessionText::TestModeChooseFrequency, "Please Choose Frequency first",
            "请先设定调试频率，包括高，中，低三档，便于你后续选择，否则程序将送出默认频率",
            "请先设定调试频率，包括高，中，低三档，便于你后续选择，否则程序将送出默认频率"},
    TextRow{SessionText::TestModeCurrentPosition, "Current Position:", "当前位置:", "当前位置:"},
};

using CellTable = std::array<std::array<std::string, 3>, kRows.size()>;

CellTable BuildCells() {
    CellTable t;   // (not t{}: clang 14 crashes evaluating that as a constant)
    for (std::size_t i = 0; i < kRows.size(); ++i) t[i] = {kRows[i].english, kRows[i].chinese, kRows[i].chineseCN};
    return t;
}

// One string per cell, built once, so that references stay valid. (Built by
// a function of its own.)
const std::string& Cell(std::size_t row, TextSet set) {
    static const CellTable table = BuildCells();
    return table[row][static_cast<std::size_t>(set)];
}

}  // namespace

TextSet SessionTextSet(const ProtocolParams& protocol, Lang uiLang) {
    switch (protocol.messageLanguage) {
        case MessageLanguage::English: return TextSet::English;
        case MessageLanguage::Chinese: return TextSet::ChineseCN;
        case MessageLanguage::ByInterface: break;
    }
    return InterfaceTextSet(uiLang);
}

TextSet SessionTextSet(const Family& family, Lang uiLang) { return SessionTextSet(family.protocol, uiLang); }

TextSet InterfaceTextSet(Lang uiLang) { return uiLang == Lang::English ? TextSet::English : TextSet::Chinese; }

const std::string& SessionMessage(SessionText id, TextSet set) {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (kRows[i].id == id) return Cell(i, set);
    }
    static const std::string none;
    return none;
}

std::string OpenFailureMessage(TextSet set, const OpenFailure& failure) {
    std::string text = SessionMessage(SessionText::OpenFailed, set);
    const std::string detail = DescribeOpenFailure(failure, set == TextSet::English ? Lang::English : Lang::Chinese);
    if (!detail.empty()) text += "\n" + detail;
    return text;
}

const ProgressDialogTexts& ProgressDialogLabels(TextSet set) {
    static const ProgressDialogTexts english{"Start", "Cancel", "Progress：", "   Not start yet"};
    static const ProgressDialogTexts chineseCN{"开始", "取消", "现在完成：", "未开始"};
    return set == TextSet::ChineseCN ? chineseCN : english;
}

const std::string& ProgressCaption(bool writing) {
    static const std::string reading = "Reading Data Progress";
    static const std::string write = "Writing Data Progress";
    return writing ? write : reading;
}

}  // namespace vel
