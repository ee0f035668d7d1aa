// VM_CH16_CN: the 16-channel family with a Chinese interface. The image, the
// byte rules and the checks are VM_CH16's; the form's lists have other texts
// and, where they are sorted, another order, so every list carries the meaning
// of its items and the engine selects and stores by meaning.

#include "image/family.h"
#include "image/family_parts.h"

namespace vel {
namespace {

using namespace parts;

std::vector<Column> Columns() {
    std::vector<Column> c = VmCh16Family().columns;
    const char* headers[] = {"信道", "接收频率", "发射频率", "接收信令", "发射信令", "是否禁发"};
    for (std::size_t i = 0; i < 6; ++i) c[i].header = Same(headers[i]);
    c[5].items = Items(std::vector<std::string>{"是", "否"});
    c[5].newChannelDefault = Same("否");
    return c;
}

std::vector<FormField> Form() {
    std::vector<FormField> f;
    f.push_back({1017, Same("机型"),
                 Items(std::vector<std::string>{"VM - K71", "VM - K52", "VM - K53", "VM - K74", "VM - K55", "VM - K56",
                                                "VM - K57", "VM - K58", "VM - K59", "VM - K60", "VM - K61"}),
                 ByteIndexCodec{0x3D3, 55, 1, 1, 0, 65, 0}, 0, 0, false, 0});
    f.push_back({1011, Same("频段"), Items(BandTexts16()), ByteIndexCodec{0x3D2, 238, 1, 1, 238, 249, 0}, 7, 7, false, 0});
    // Presets and typing guards are VM_CH16's indexes, which here name other items.
    f.push_back({1070, Same("第16信道扫描"), Meanings({{"关闭", 1}, {"启动", 0}}), BitCodec{0x3C0, 0x04, false}, 0, 0, true, 1});
    f.push_back({1014, Same("报警音提示"), Meanings({{"打开", 1}, {"关闭", 0}}), BitCodec{0x3C0, 0x01, true}, 1, 1, true, 1});
    f.push_back({1018, Same("发射功率(POWER)"), Items(Digits0To9()), ByteIndexCodec{0x3C4, 0, 3, 3, 0, 8, 9}, 9, 9, false, 1});
    f.push_back({1020, Same("声控发射"), Meanings({{"开", 0}, {"关", 1}}), BitCodec{0x3C0, 0x08, false}, std::nullopt,
                 std::nullopt, false, 1});
    f.push_back({1013, Same("发射限时(秒)"), Items(TimeOutTexts()), ByteIndexCodec{0x3C3, 0, 1, 1, 0, 10, 0}, 0, 2, false, 1});
    f.push_back({1016, Same("静噪等级(SQ)"), Items(Digits0To9()), ByteIndexCodec{0x3C1, 0, 1, 1, 0, 9, 0}, 4, 4, true, 1});
    f.push_back({1019, Same("频带宽度"), Meanings({{"宽", 0}, {"窄", 1}}), AllChannelsBitCodec{12, 0x04}, 1, std::nullopt,
                 true, 1});
    f.push_back({1012, Same("侧键功能："),
                 Meanings({{"瞬时取消静噪", 3}, {"取消静噪", 2}, {"声控开关", 5}, {"高/低功率", 6}, {"无", 0}}),
                 CodeCodec{0x3C2}, 0, std::nullopt, false, 1});
    return f;
}

Family Make() {
    Family f = VmCh16Family();
    f.id = FamilyId::VM_CH16_CN;
    f.name = "VM_CH16_CN";
    f.fixedLang = Lang::Chinese;
    f.columns = Columns();
    f.form = Form();
    f.frequencyRule.rangeMessage = Same("输入数据错误，请按正确的格式及大小重新输入");
    f.frequencyRule.stepMessage = Same("输入数据错误，请按6.25K或 5k的倍数重新输入");
    f.frequencyRule.stepMessageOnEnter = f.frequencyRule.stepMessage;

    f.protocol.testModeBase = TestModeBase::FieldList;
    f.protocol.messageLanguage = MessageLanguage::Chinese;

    FamilyTexts& t = f.texts;
    t.pleaseInputNumber = Same("请输入数字");
    t.editDataMessage = Same("请直接在右边的表格双击");
    t.hintOverList = Same("请点击组合框右边的箭头按钮以进行选择");
    t.hintOverGrid = Same("请点击组合框右边的箭头按钮以进行选择，如需帮助，请按F1键");
    t.hintElsewhere = Same("如需帮助，请按F1键");
    // The label above the grid is not among the texts the Chinese resources
    // list; it is given in Chinese like the grid's own "信道".
    t.channelLabel = Same("信道：");
    t.typeSettingGroup = Same("整机设置");
    t.functionSettingGroup = Same("功能设置");

    AppInfo& a = f.app;
    a.documentString = Same("VM系列专业手持对讲机写频软件\n\n写频数据\n写频数据 文件 (*.sin)\n.sin\nVM_CH16_CN.Document\n"
                            "VM_CH16_CN Document");
    a.windowTitle = Same("VM系列专业手持对讲机写频软件");
    a.aboutMenuItem = Same("关于 本软件(&A)...");
    a.windowWidth = 800;
    a.windowHeight = 700;
    return f;
}

}  // namespace

const Family& VmCh16CnFamily() {
    static const Family family = Make();
    return family;
}

}  // namespace vel
