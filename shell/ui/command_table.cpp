#include "shell/ui/command_table.h"

#include <QtGlobal>

namespace velui {

namespace {

#define CMD(text) QT_TRANSLATE_NOOP("CMainFrame", text)

// The framework's commands keep their customary prompts; the application's
// commands have the prompts and tooltips of its string table.
const std::vector<CommandSpec> kCommands = {
    {ID_FILE_NEW, CMD("&New\tCtrl+N"), CMD("Create a new document"), CMD("New"), ":/shell/icons/new.svg"},
    {ID_FILE_OPEN, CMD("&Open...\tCtrl+O"), CMD("Open an existing document"), CMD("Open"), ":/shell/icons/open.svg"},
    {ID_FILE_SAVE, CMD("&Save\tCtrl+S"), CMD("Save the active document"), CMD("Save"), ":/shell/icons/save.svg"},
    {ID_FILE_SAVE_AS, CMD("Save &As..."), CMD("Save the active document with a new name"), CMD("Save As"), ""},
    {ID_FILE_PRINT, CMD("&Print...\tCtrl+P"), CMD("Print the active document"), CMD("Print"), ":/shell/icons/print.svg"},
    {ID_FILE_PRINT_PREVIEW, CMD("Print Pre&view"), CMD("Display full pages"), CMD("Print Preview"), ""},
    {ID_FILE_PRINT_SETUP, CMD("P&rint Setup..."), CMD("Change the printer and printing options"), CMD("Print Setup"), ""},
    {ID_FILE_MRU_FILE1, CMD("Recent File"), CMD("Open this document"), "", ""},
    {ID_APP_EXIT, CMD("E&xit"), CMD("Quit the application; prompts to save documents"), CMD("Exit"), ""},
    {ID_READ_FROM_RADIO, CMD("&Read From Radio\tCtrl+R"), CMD("Read Data From Radio"), CMD("Read"), ":/shell/icons/read.svg"},
    {ID_WRITE_TO_RADIO, CMD("&Write To Radio\tCtrl+W"), CMD("Write Data to Radio "), CMD("Write"), ":/shell/icons/write.svg"},
    {ID_TEST_MODE, CMD("&Test Mode\tCtrl+T"), CMD("Debug TX Power,Squelch Level,Low Power Alert"), CMD("Debug on line"), ":/shell/icons/testmode.svg"},
    {ID_EDIT_DATA, CMD("&Edit Data\tCtrl+E"), CMD("Edit channel Data "), CMD("Edit"), ":/shell/icons/editdata.svg"},
    {ID_KEY_ASSIGNMENT, CMD("&Key Assignment\tCtrl+K"), "", "", ""},
    {ID_OPTIONAL_FEATURES, CMD("&Optional Features\tCtrl+O"), CMD("Set the rest  functional features for the interphone"), "", ""},
    {ID_OPTIONAL_FEATURES_EDIT, CMD("&Optional Features\tCtrl+O"), CMD("Set the rest  functional features for the interphone"), "", ""},
    {ID_TWO_TONE, CMD("Two Tone\tCtrl+Y"), "", "", ""},
    {ID_COM1, CMD("COM1(&P)\tCtrl+C"), CMD("Choose Communication Port one "), CMD("Com1"), "", true},
    {ID_COM2, CMD("COM2(&Q)\tCtrl+D"), CMD("Choose Communication Port two "), CMD("Com2"), "", true},
    {ID_COM3, CMD("COM3(&S)\tCtrl+E"), CMD("Choose Communication Port three "), CMD("Com3"), "", true},
    {ID_COM4, CMD("COM4(&T)\tCtrl+F"), CMD("Choose Communication Port four "), CMD("Com4"), "", true},
    {ID_VIEW_TOOLBAR, CMD("&Toolbar"), CMD("Show or hide the toolbar"), CMD("Toggle ToolBar"), "", true},
    {ID_VIEW_STATUS_BAR, CMD("&Status Bar"), CMD("Show or hide the status bar"), CMD("Toggle StatusBar"), "", true},
    {ID_HELP_FINDER, CMD("&Help Topics"), CMD("List Help topics"), CMD("Help Topics"), ""},
    {ID_APP_ABOUT, CMD("&About Velmar-2.0..."), CMD("Display program information, version number and copyright"), CMD("About"), ":/shell/icons/about.svg"},
    {ID_CONTEXT_HELP, CMD("Help"), CMD("Display help for clicked on buttons, menus and windows"), CMD("Help"), ":/shell/icons/contexthelp.svg"},
    {ID_HELP, CMD("Help"), CMD("Display help for current task or command"), CMD("Help"), ""},
    {ID_NEXT_PANE, CMD("Next Pane"), CMD("Switch to the next window pane"), CMD("Next Pane"), ""},
    {ID_PREV_PANE, CMD("Previous Pane"), CMD("Switch back to the previous window pane"), CMD("Previous Pane"), ""},
};

const std::vector<int> kPorts = {ID_COM1, ID_COM2, ID_COM3, ID_COM4};

MenuSpec FileMenu() {
    return {CMD("&File"), nullptr,
            {{ID_FILE_NEW}, {ID_FILE_OPEN}, {ID_FILE_SAVE}, {ID_FILE_SAVE_AS}, {}, {ID_FILE_PRINT},
             {ID_FILE_PRINT_PREVIEW}, {ID_FILE_PRINT_SETUP}, {}, {ID_FILE_MRU_FILE1}, {}, {ID_APP_EXIT}}};
}

MenuSpec PortMenu() {
    return {CMD("P&ort"), nullptr, {{ID_COM1}, {ID_COM2}, {ID_COM3}, {ID_COM4}}};
}

MenuSpec ViewMenu() {
    return {CMD("&View"), nullptr, {{ID_VIEW_TOOLBAR}, {ID_VIEW_STATUS_BAR}}};
}

MenuSpec HelpMenu(const char* aboutText) {
    return {CMD("&Help"), nullptr, {{ID_HELP_FINDER}, {}, {ID_APP_ABOUT, aboutText}}};
}

const std::vector<int> kToolbar = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_SEPARATOR,
                                   ID_READ_FROM_RADIO, ID_WRITE_TO_RADIO, ID_TEST_MODE, ID_SEPARATOR,
                                   ID_EDIT_DATA, ID_SEPARATOR, ID_FILE_PRINT, ID_CONTEXT_HELP, ID_APP_ABOUT};

std::vector<Accelerator> FrameworkAccelerators() {
    return {{QKeySequence(Qt::CTRL | Qt::Key_N), ID_FILE_NEW},
            {QKeySequence(Qt::CTRL | Qt::Key_O), ID_FILE_OPEN},
            {QKeySequence(Qt::CTRL | Qt::Key_P), ID_FILE_PRINT},
            {QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE},
            {QKeySequence(Qt::Key_F1), ID_HELP},
            {QKeySequence(Qt::SHIFT | Qt::Key_F1), ID_CONTEXT_HELP},
            {QKeySequence(Qt::Key_F6), ID_NEXT_PANE},
            {QKeySequence(Qt::SHIFT | Qt::Key_F6), ID_PREV_PANE}};
}

// The 16-channel families and Marlowe make every shortcut of their menu texts work.
std::vector<Accelerator> SixteenChannelAccelerators() {
    std::vector<Accelerator> keys = FrameworkAccelerators();
    const std::vector<Accelerator> more = {
        {QKeySequence(Qt::CTRL | Qt::Key_C), ID_COM1},
        {QKeySequence(Qt::CTRL | Qt::Key_D), ID_COM2},
        {QKeySequence(Qt::CTRL | Qt::Key_E), ID_COM3},
        {QKeySequence(Qt::CTRL | Qt::Key_F), ID_COM4},
        {QKeySequence(Qt::CTRL | Qt::Key_G), ID_EDIT_DATA},
        {QKeySequence(Qt::CTRL | Qt::Key_R), ID_READ_FROM_RADIO},
        {QKeySequence(Qt::CTRL | Qt::Key_T), ID_TEST_MODE},
        {QKeySequence(Qt::CTRL | Qt::Key_W), ID_WRITE_TO_RADIO}};
    keys.insert(keys.end(), more.begin(), more.end());
    return keys;
}

std::vector<FrameProfile> BuildProfiles() {
    std::vector<FrameProfile> profiles;

    FrameProfile velmar{vel::FamilyId::Velmar_V};
    velmar.title = CMD("Velmar Programing Software");
    velmar.size = {1024, 768};
    velmar.position = QPoint(60, 0);
    velmar.menus = {FileMenu(),
                    {CMD("&Program"), nullptr,
                     {{ID_READ_FROM_RADIO}, {ID_WRITE_TO_RADIO}, {}, {ID_TEST_MODE}, {ID_EDIT_DATA}, {},
                      {ID_OPTIONAL_FEATURES}, {ID_TWO_TONE}}},
                    PortMenu(), ViewMenu(), HelpMenu(nullptr)};
    velmar.accelerators = FrameworkAccelerators();
    velmar.accelerators.push_back({QKeySequence(Qt::CTRL | Qt::Key_Y), ID_TWO_TONE});
    velmar.toolbar = kToolbar;
    velmar.aboutCaption = CMD("About Velmar");
    velmar.aboutLine1 = CMD("Velmar Programing Software Version 2.0");
    velmar.aboutLine2 = CMD("Copyright (C) Velmar");
    profiles.push_back(velmar);

    FrameProfile ch128{vel::FamilyId::VM_CH128};
    ch128.titleFromConfig = true;
    ch128.size = {800, 1100};
    ch128.menus = {FileMenu(),
                   {CMD("&Program"), nullptr,
                    {{ID_READ_FROM_RADIO}, {ID_WRITE_TO_RADIO}, {}, {ID_TEST_MODE}, {ID_EDIT_DATA}, {},
                     {ID_OPTIONAL_FEATURES}}},
                   PortMenu(), ViewMenu(), HelpMenu(CMD("&About..."))};
    ch128.accelerators = FrameworkAccelerators();
    ch128.toolbar = kToolbar;
    ch128.aboutFromConfig = true;
    profiles.push_back(ch128);

    FrameProfile ch118 = ch128;
    ch118.family = vel::FamilyId::VM_CH118;
    ch118.titleFromConfig = false;
    ch118.title = CMD("Velmar Electronics  Programing Software");
    ch118.menus.back() = HelpMenu(CMD("&About Velmar-1.0..."));
    ch118.aboutFromConfig = false;
    ch118.aboutCaption = CMD("About Velmar");
    ch118.aboutLine1 = CMD("Velmar Electronics  Programing Software Version 1.0");
    ch118.aboutLine2 = CMD("Copyright (C) Velmar");
    profiles.push_back(ch118);

    FrameProfile marlowe{vel::FamilyId::Marlowe};
    marlowe.title = CMD("Velmar Radio Programming Software");
    marlowe.size = {800, 1100};
    marlowe.menus = {FileMenu(),
                     {CMD("&Edit"), nullptr,
                      {{ID_EDIT_DATA, CMD("&Edit Data\tCtrl+G")}, {ID_KEY_ASSIGNMENT}, {ID_OPTIONAL_FEATURES_EDIT}}},
                     {CMD("&Program"), nullptr, {{ID_READ_FROM_RADIO}, {ID_WRITE_TO_RADIO}, {}, {ID_TEST_MODE}}},
                     PortMenu(), ViewMenu(), HelpMenu(CMD("&About Velmar..."))};
    marlowe.accelerators = SixteenChannelAccelerators();
    marlowe.toolbar = kToolbar;
    marlowe.aboutCaption = CMD("About Marlowe");
    marlowe.aboutLine1 = CMD("Velmar Radio Programming Software");
    marlowe.aboutLine2 = CMD("Copyright (C) Velmar");
    profiles.push_back(marlowe);

    FrameProfile ch16{vel::FamilyId::VM_CH16};
    ch16.title = CMD("Velmar Serials Radio Programing Software");
    ch16.size = {800, 1100};
    ch16.menus = {FileMenu(),
                  {CMD("&Program"), nullptr,
                   {{ID_READ_FROM_RADIO}, {ID_WRITE_TO_RADIO}, {}, {ID_TEST_MODE},
                    {ID_EDIT_DATA, CMD("&Edit Data\tCtrl+G")}}},
                  PortMenu(), ViewMenu(), HelpMenu(CMD("&About Velmar-1.1..."))};
    ch16.accelerators = SixteenChannelAccelerators();
    ch16.toolbar = kToolbar;
    ch16.aboutCaption = CMD("About Velmar");
    ch16.aboutLine1 = CMD("Velmar Serials Radio Programing Software Version 1.1");
    ch16.aboutLine2 = CMD("Copyright (C) Velmar");
    profiles.push_back(ch16);

    // The Chinese 16-channel build writes its menus in Chinese only.
    FrameProfile cn = ch16;
    cn.family = vel::FamilyId::VM_CH16_CN;
    cn.title = "VM系列专业手持对讲机写频软件";
    cn.size = {800, 700};
    cn.menus = {
        {"", "文件(&F)",
         {{ID_FILE_NEW, "新建(&N)\tCtrl+N"}, {ID_FILE_OPEN, "打开(&O)...\tCtrl+O"}, {ID_FILE_SAVE, "保存(&S)\tCtrl+S"},
          {ID_FILE_SAVE_AS, "另存为(&A)..."}, {}, {ID_FILE_PRINT, "打印(&P)...\tCtrl+P"},
          {ID_FILE_PRINT_PREVIEW, "打印预览(&V)"}, {ID_FILE_PRINT_SETUP, "打印设置(&R)..."}, {},
          {ID_FILE_MRU_FILE1, "最近文件"}, {}, {ID_APP_EXIT, "退出(&X)"}}},
        {"", "编程(&E)",
         {{ID_READ_FROM_RADIO, "读频(&U)\tCtrl+R"}, {ID_WRITE_TO_RADIO, "写频\tCtrl+W"}, {},
          {ID_TEST_MODE, "在线调试(&Y)\tCtrl+T"}, {ID_EDIT_DATA, "编辑信道\tCtrl+G"}}},
        {"", "端口设置",
         {{ID_COM1, "COM1(&P)\tCtrl+C"}, {ID_COM2, "COM2(&Q)\tCtrl+D"}, {ID_COM3, "COM3(&S)\tCtrl+E"},
          {ID_COM4, "COM4(&T\tCtrl+F"}}},
        {"", "查看(&V)", {{ID_VIEW_TOOLBAR, "工具栏(&T)"}, {ID_VIEW_STATUS_BAR, "状态栏(&S)"}}},
        {"", "帮助(&H)", {{ID_HELP_FINDER, "帮助主题(&H)"}, {}, {ID_APP_ABOUT, "关于 本软件(&A)..."}}}};
    cn.aboutCaption = "关于 本软件";
    cn.aboutLine1 = "VM系列专业手持对讲机写频软件 1.1 版";
    cn.aboutLine2 = "版权所有 (C) Velmar";
    profiles.push_back(cn);
    return profiles;
}

#undef CMD

}  // namespace

const std::vector<CommandSpec>& AllCommands() { return kCommands; }

const CommandSpec* FindCommand(int id) {
    for (const CommandSpec& c : kCommands)
        if (c.id == id) return &c;
    return nullptr;
}

const FrameProfile& GetFrameProfile(vel::FamilyId family) {
    static const std::vector<FrameProfile> profiles = BuildProfiles();
    for (const FrameProfile& p : profiles)
        if (p.family == family) return p;
    return profiles.front();
}

const std::vector<int>& PortCommands() { return kPorts; }

QString PortNameOf(int id) {
    for (std::size_t i = 0; i < kPorts.size(); ++i)
        if (kPorts[i] == id) return QStringLiteral("COM%1").arg(i + 1);
    return {};
}

}  // namespace velui
