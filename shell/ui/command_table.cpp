#include "shell/ui/command_table.h"

#include <QtGlobal>

#include <algorithm>

namespace velui {

namespace {


// The framework's commands keep their customary prompts; the application's
// commands have the prompts and tooltips of its string table.
const std::vector<CommandSpec> kCommands = {
    {ID_FILE_NEW, QT_TRANSLATE_NOOP("CMainFrame", "&New\tCtrl+N"), QT_TRANSLATE_NOOP("CMainFrame", "Create a new document"), QT_TRANSLATE_NOOP("CMainFrame", "New"), ":/shell/icons/new.svg"},
    {ID_FILE_OPEN, QT_TRANSLATE_NOOP("CMainFrame", "&Open...\tCtrl+O"), QT_TRANSLATE_NOOP("CMainFrame", "Open an existing document"), QT_TRANSLATE_NOOP("CMainFrame", "Open"), ":/shell/icons/open.svg"},
    {ID_FILE_SAVE, QT_TRANSLATE_NOOP("CMainFrame", "&Save\tCtrl+S"), QT_TRANSLATE_NOOP("CMainFrame", "Save the active document"), QT_TRANSLATE_NOOP("CMainFrame", "Save"), ":/shell/icons/save.svg"},
    {ID_FILE_SAVE_AS, QT_TRANSLATE_NOOP("CMainFrame", "Save &As..."), QT_TRANSLATE_NOOP("CMainFrame", "Save the active document with a new name"), QT_TRANSLATE_NOOP("CMainFrame", "Save As"), ""},
    {ID_FILE_PRINT, QT_TRANSLATE_NOOP("CMainFrame", "&Print...\tCtrl+P"), QT_TRANSLATE_NOOP("CMainFrame", "Print the active document"), QT_TRANSLATE_NOOP("CMainFrame", "Print"), ":/shell/icons/print.svg"},
    {ID_FILE_PRINT_PREVIEW, QT_TRANSLATE_NOOP("CMainFrame", "Print Pre&view"), QT_TRANSLATE_NOOP("CMainFrame", "Display full pages"), QT_TRANSLATE_NOOP("CMainFrame", "Print Preview"), ""},
    {ID_FILE_PRINT_SETUP, QT_TRANSLATE_NOOP("CMainFrame", "P&rint Setup..."), QT_TRANSLATE_NOOP("CMainFrame", "Change the printer and printing options"), QT_TRANSLATE_NOOP("CMainFrame", "Print Setup"), ""},
    {ID_FILE_EXPORT_PDF, QT_TRANSLATE_NOOP("CMainFrame", "&Export PDF..."), QT_TRANSLATE_NOOP("CMainFrame", "Write the settings report to a PDF file"), QT_TRANSLATE_NOOP("CMainFrame", "Export PDF"), ""},
    {ID_FILE_IMPORT_TEXT, QT_TRANSLATE_NOOP("CMainFrame", "&Import Text Form…"), QT_TRANSLATE_NOOP("CMainFrame", "Read the channel data from a text form such as 1.txt"), "", ""},
    {ID_FILE_EXPORT_TEXT, QT_TRANSLATE_NOOP("CMainFrame", "Export &Text Form…"), QT_TRANSLATE_NOOP("CMainFrame", "Write the channel data as a text form"), "", ""},
    {ID_FILE_OPEN_BACKUP, QT_TRANSLATE_NOOP("CMainFrame", "Open &Backup..."), QT_TRANSLATE_NOOP("CMainFrame", "Open one of the backups saved before each write"), QT_TRANSLATE_NOOP("CMainFrame", "Open Backup"), ""},
    {ID_FILE_COMPARE, QT_TRANSLATE_NOOP("CMainFrame", "Compare &With..."), QT_TRANSLATE_NOOP("CMainFrame", "List the differences between this document and another file or the radio"), QT_TRANSLATE_NOOP("CMainFrame", "Compare"), ""},
    {ID_FILE_IMPORT_CHANNELS, QT_TRANSLATE_NOOP("CMainFrame", "Import C&hannels..."), QT_TRANSLATE_NOOP("CMainFrame", "Read a channel list from a CSV file into the channel table"), QT_TRANSLATE_NOOP("CMainFrame", "Import Channels"), ""},
    {ID_FILE_EXPORT_CHANNELS, QT_TRANSLATE_NOOP("CMainFrame", "Export &Channels..."), QT_TRANSLATE_NOOP("CMainFrame", "Write the channel table to a CSV file"), QT_TRANSLATE_NOOP("CMainFrame", "Export Channels"), ""},
    {ID_FILE_MRU_FILE1, QT_TRANSLATE_NOOP("CMainFrame", "Recent File"), QT_TRANSLATE_NOOP("CMainFrame", "Open this document"), "", ""},
    {ID_APP_EXIT, QT_TRANSLATE_NOOP("CMainFrame", "E&xit"), QT_TRANSLATE_NOOP("CMainFrame", "Quit the application; prompts to save documents"), QT_TRANSLATE_NOOP("CMainFrame", "Exit"), ""},
    {ID_READ_FROM_RADIO, QT_TRANSLATE_NOOP("CMainFrame", "&Read From Radio\tCtrl+R"), QT_TRANSLATE_NOOP("CMainFrame", "Read Data From Radio"), QT_TRANSLATE_NOOP("CMainFrame", "Read"), ":/shell/icons/read.svg"},
    {ID_WRITE_TO_RADIO, QT_TRANSLATE_NOOP("CMainFrame", "&Write To Radio\tCtrl+W"), QT_TRANSLATE_NOOP("CMainFrame", "Write Data to Radio "), QT_TRANSLATE_NOOP("CMainFrame", "Write"), ":/shell/icons/write.svg"},
    {ID_TEST_MODE, QT_TRANSLATE_NOOP("CMainFrame", "&Test Mode\tCtrl+T"), QT_TRANSLATE_NOOP("CMainFrame", "Debug TX Power,Squelch Level,Low Power Alert"), QT_TRANSLATE_NOOP("CMainFrame", "Debug on line"), ":/shell/icons/testmode.svg"},
    {ID_EDIT_DATA, QT_TRANSLATE_NOOP("CMainFrame", "&Edit Data\tCtrl+E"), QT_TRANSLATE_NOOP("CMainFrame", "Edit channel Data "), QT_TRANSLATE_NOOP("CMainFrame", "Edit"), ":/shell/icons/editdata.svg"},
    {ID_KEY_ASSIGNMENT, QT_TRANSLATE_NOOP("CMainFrame", "&Key Assignment\tCtrl+K"), "", "", ""},
    {ID_OPTIONAL_FEATURES, QT_TRANSLATE_NOOP("CMainFrame", "&Optional Features\tCtrl+O"), QT_TRANSLATE_NOOP("CMainFrame", "Set the rest  functional features for the interphone"), "", ""},
    {ID_OPTIONAL_FEATURES_EDIT, QT_TRANSLATE_NOOP("CMainFrame", "&Optional Features\tCtrl+O"), QT_TRANSLATE_NOOP("CMainFrame", "Set the rest  functional features for the interphone"), "", ""},
    {ID_TWO_TONE, QT_TRANSLATE_NOOP("CMainFrame", "Two Tone\tCtrl+Y"), "", "", ""},
    {ID_BACKUP_BEFORE_WRITE, QT_TRANSLATE_NOOP("CMainFrame", "&Backup Before Write"), QT_TRANSLATE_NOOP("CMainFrame", "Read the radio and save what it holds before every write"), "", "", true},
    {ID_VERIFY_AFTER_WRITE, QT_TRANSLATE_NOOP("CMainFrame", "&Verify After Write"), QT_TRANSLATE_NOOP("CMainFrame", "Read the radio back after every write and compare it with what was sent"), "", "", true},
    {ID_COM1, QT_TRANSLATE_NOOP("CMainFrame", "COM1(&P)\tCtrl+C"), QT_TRANSLATE_NOOP("CMainFrame", "Choose Communication Port one "), QT_TRANSLATE_NOOP("CMainFrame", "Com1"), "", true},
    {ID_COM2, QT_TRANSLATE_NOOP("CMainFrame", "COM2(&Q)\tCtrl+D"), QT_TRANSLATE_NOOP("CMainFrame", "Choose Communication Port two "), QT_TRANSLATE_NOOP("CMainFrame", "Com2"), "", true},
    {ID_COM3, QT_TRANSLATE_NOOP("CMainFrame", "COM3(&S)\tCtrl+E"), QT_TRANSLATE_NOOP("CMainFrame", "Choose Communication Port three "), QT_TRANSLATE_NOOP("CMainFrame", "Com3"), "", true},
    {ID_COM4, QT_TRANSLATE_NOOP("CMainFrame", "COM4(&T)\tCtrl+F"), QT_TRANSLATE_NOOP("CMainFrame", "Choose Communication Port four "), QT_TRANSLATE_NOOP("CMainFrame", "Com4"), "", true},
    {ID_PORT_SIMULATED, QT_TRANSLATE_NOOP("CMainFrame", "Simulated &radio"), QT_TRANSLATE_NOOP("CMainFrame", "Use the radio simulated inside this program: no cable or radio needed"), QT_TRANSLATE_NOOP("CMainFrame", "Simulated radio"), "", true},
    {ID_VIEW_TOOLBAR, QT_TRANSLATE_NOOP("CMainFrame", "&Toolbar"), QT_TRANSLATE_NOOP("CMainFrame", "Show or hide the toolbar"), QT_TRANSLATE_NOOP("CMainFrame", "Toggle ToolBar"), "", true},
    {ID_VIEW_STATUS_BAR, QT_TRANSLATE_NOOP("CMainFrame", "&Status Bar"), QT_TRANSLATE_NOOP("CMainFrame", "Show or hide the status bar"), QT_TRANSLATE_NOOP("CMainFrame", "Toggle StatusBar"), "", true},
    {ID_HELP_FINDER, QT_TRANSLATE_NOOP("CMainFrame", "&Help Topics"), QT_TRANSLATE_NOOP("CMainFrame", "List Help topics"), QT_TRANSLATE_NOOP("CMainFrame", "Help Topics"), ""},
    {ID_APP_ABOUT, QT_TRANSLATE_NOOP("CMainFrame", "&About Velmar-2.0..."), QT_TRANSLATE_NOOP("CMainFrame", "Display program information, version number and copyright"), QT_TRANSLATE_NOOP("CMainFrame", "About"), ":/shell/icons/about.svg"},
    {ID_CONTEXT_HELP, QT_TRANSLATE_NOOP("CMainFrame", "Help"), QT_TRANSLATE_NOOP("CMainFrame", "Display help for clicked on buttons, menus and windows"), QT_TRANSLATE_NOOP("CMainFrame", "Help"), ":/shell/icons/contexthelp.svg"},
    {ID_HELP, QT_TRANSLATE_NOOP("CMainFrame", "Help"), QT_TRANSLATE_NOOP("CMainFrame", "Display help for current task or command"), QT_TRANSLATE_NOOP("CMainFrame", "Help"), ""},
    // Edit menu. Texts with no shortcut label show the first working shortcut
    // of the program (Ctrl+C here, Ctrl+Ins where Ctrl+C chooses a port); Ins
    // and Del work on the grid itself.
    {ID_EDIT_UNDO, QT_TRANSLATE_NOOP("CMainFrame", "&Undo"), QT_TRANSLATE_NOOP("CMainFrame", "Undo the last change"), QT_TRANSLATE_NOOP("CMainFrame", "Undo"), ""},
    {ID_EDIT_REDO, QT_TRANSLATE_NOOP("CMainFrame", "&Redo"), QT_TRANSLATE_NOOP("CMainFrame", "Redo the change undone last"), QT_TRANSLATE_NOOP("CMainFrame", "Redo"), ""},
    {ID_EDIT_CUT, QT_TRANSLATE_NOOP("CMainFrame", "Cu&t"), QT_TRANSLATE_NOOP("CMainFrame", "Copy the selection to the clipboard and empty it"), QT_TRANSLATE_NOOP("CMainFrame", "Cut"), ""},
    {ID_EDIT_COPY, QT_TRANSLATE_NOOP("CMainFrame", "&Copy"), QT_TRANSLATE_NOOP("CMainFrame", "Copy the selected channels or cells to the clipboard as text"), QT_TRANSLATE_NOOP("CMainFrame", "Copy"), ""},
    {ID_EDIT_PASTE, QT_TRANSLATE_NOOP("CMainFrame", "&Paste"), QT_TRANSLATE_NOOP("CMainFrame", "Paste channels from the clipboard over the selection"), QT_TRANSLATE_NOOP("CMainFrame", "Paste"), ""},
    {ID_EDIT_PASTE_INSERTED, QT_TRANSLATE_NOOP("CMainFrame", "Paste &Inserted"), QT_TRANSLATE_NOOP("CMainFrame", "Insert the channels of the clipboard above the selection"), "", ""},
    {ID_EDIT_INSERT_CHANNEL, QT_TRANSLATE_NOOP("CMainFrame", "Insert &Empty Channel\tIns"), QT_TRANSLATE_NOOP("CMainFrame", "Insert empty channels above the selection; the channels below move down"), "", ""},
    {ID_EDIT_DELETE_CHANNEL, QT_TRANSLATE_NOOP("CMainFrame", "&Delete Channel"), QT_TRANSLATE_NOOP("CMainFrame", "Delete the selected channels: their rows become empty"), "", ""},
    {ID_EDIT_MOVE_UP, QT_TRANSLATE_NOOP("CMainFrame", "&Move Up"), QT_TRANSLATE_NOOP("CMainFrame", "Move the selected channels up one row"), "", ""},
    {ID_EDIT_MOVE_DOWN, QT_TRANSLATE_NOOP("CMainFrame", "Move D&own"), QT_TRANSLATE_NOOP("CMainFrame", "Move the selected channels down one row"), "", ""},
    {ID_EDIT_FILL_DOWN, QT_TRANSLATE_NOOP("CMainFrame", "&Fill Down"), QT_TRANSLATE_NOOP("CMainFrame", "Copy the first selected row's values into the other selected rows"), "", ""},
    {ID_EDIT_CLEAR, QT_TRANSLATE_NOOP("CMainFrame", "Cle&ar\tDel"), QT_TRANSLATE_NOOP("CMainFrame", "Empty the selected cells"), "", ""},
    {ID_EDIT_SELECT_ALL, QT_TRANSLATE_NOOP("CMainFrame", "Select A&ll Channels"), QT_TRANSLATE_NOOP("CMainFrame", "Select every channel row"), "", ""},
    {ID_NEXT_PANE, QT_TRANSLATE_NOOP("CMainFrame", "Next Pane"), QT_TRANSLATE_NOOP("CMainFrame", "Switch to the next window pane"), QT_TRANSLATE_NOOP("CMainFrame", "Next Pane"), ""},
    {ID_PREV_PANE, QT_TRANSLATE_NOOP("CMainFrame", "Previous Pane"), QT_TRANSLATE_NOOP("CMainFrame", "Switch back to the previous window pane"), QT_TRANSLATE_NOOP("CMainFrame", "Previous Pane"), ""},
};

const std::vector<int> kPorts = {ID_COM1, ID_COM2, ID_COM3, ID_COM4};
const std::vector<int> kSelectablePorts = {ID_COM1, ID_COM2, ID_COM3, ID_COM4, ID_PORT_SIMULATED};

MenuSpec FileMenu() {
    return {QT_TRANSLATE_NOOP("CMainFrame", "&File"), nullptr,
            {{ID_FILE_NEW}, {ID_FILE_OPEN}, {ID_FILE_OPEN_BACKUP}, {ID_FILE_SAVE}, {ID_FILE_SAVE_AS}, {},
             {ID_FILE_COMPARE}, {ID_FILE_IMPORT_CHANNELS}, {ID_FILE_EXPORT_CHANNELS}, {}, {ID_FILE_PRINT},
             {ID_FILE_PRINT_PREVIEW}, {ID_FILE_PRINT_SETUP}, {ID_FILE_EXPORT_PDF}, {}, {ID_FILE_MRU_FILE1}, {},
             {ID_APP_EXIT}}};
}

// Marlowe's File menu also reads and writes the text form of the image.
MenuSpec MarloweFileMenu() {
    MenuSpec menu = FileMenu();
    const auto saveAs = std::find_if(menu.items.begin(), menu.items.end(),
                                     [](const MenuItem& item) { return item.id == ID_FILE_SAVE_AS; });
    menu.items.insert(saveAs + 1, {MenuItem{}, MenuItem{ID_FILE_IMPORT_TEXT}, MenuItem{ID_FILE_EXPORT_TEXT}});
    return menu;
}

const std::vector<int> kEditCommands = {ID_EDIT_UNDO, ID_EDIT_REDO, ID_SEPARATOR,
                                        ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_PASTE_INSERTED, ID_SEPARATOR,
                                        ID_EDIT_INSERT_CHANNEL, ID_EDIT_DELETE_CHANNEL, ID_EDIT_MOVE_UP,
                                        ID_EDIT_MOVE_DOWN, ID_EDIT_FILL_DOWN, ID_EDIT_CLEAR, ID_SEPARATOR,
                                        ID_EDIT_SELECT_ALL};

std::vector<MenuItem> EditItems() {
    std::vector<MenuItem> items;
    for (int id : kEditCommands) items.push_back({id});
    return items;
}

MenuSpec EditMenu() { return {QT_TRANSLATE_NOOP("CMainFrame", "&Edit"), nullptr, EditItems()}; }

/// The keys of the Edit commands. Where Ctrl+C and Ctrl+D choose ports (the
/// 16-channel programs and Marlowe) Copy and Paste answer Ctrl+Ins and
/// Shift+Ins, Cut Shift+Del, and Fill Down has no key; where Ctrl+Y opens
/// Two Tone (Velmar_V) Redo answers Ctrl+Shift+Z only. The first key of each
/// command is the one its menu item shows.
std::vector<Accelerator> EditAccelerators(bool ctrlLettersFree, bool ctrlYFree) {
    std::vector<Accelerator> keys = {{QKeySequence(Qt::CTRL | Qt::Key_Z), ID_EDIT_UNDO}};
    if (ctrlYFree) keys.push_back({QKeySequence(Qt::CTRL | Qt::Key_Y), ID_EDIT_REDO});
    keys.push_back({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), ID_EDIT_REDO});
    if (ctrlLettersFree) {
        keys.push_back({QKeySequence(Qt::CTRL | Qt::Key_X), ID_EDIT_CUT});
        keys.push_back({QKeySequence(Qt::CTRL | Qt::Key_C), ID_EDIT_COPY});
        keys.push_back({QKeySequence(Qt::CTRL | Qt::Key_V), ID_EDIT_PASTE});
        keys.push_back({QKeySequence(Qt::CTRL | Qt::Key_D), ID_EDIT_FILL_DOWN});
    }
    const std::vector<Accelerator> always = {
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), ID_EDIT_CUT},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), ID_EDIT_COPY},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), ID_EDIT_PASTE},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), ID_EDIT_PASTE_INSERTED},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up), ID_EDIT_MOVE_UP},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down), ID_EDIT_MOVE_DOWN},
        {QKeySequence(Qt::CTRL | Qt::Key_A), ID_EDIT_SELECT_ALL}};
    keys.insert(keys.end(), always.begin(), always.end());
    return keys;
}

MenuSpec PortMenu() {
    return {QT_TRANSLATE_NOOP("CMainFrame", "P&ort"), nullptr,
            {{ID_COM1}, {ID_COM2}, {ID_COM3}, {ID_COM4}, {}, {ID_PORT_SIMULATED}}};
}

MenuSpec ViewMenu() {
    return {QT_TRANSLATE_NOOP("CMainFrame", "&View"), nullptr, {{ID_VIEW_TOOLBAR}, {ID_VIEW_STATUS_BAR}}};
}

// The about item's text comes from the family descriptor (FrameLook).
MenuSpec HelpMenu() {
    return {QT_TRANSLATE_NOOP("CMainFrame", "&Help"), nullptr, {{ID_HELP_FINDER}, {}, {ID_APP_ABOUT}}};
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

    FrameProfile velmar;
    velmar.family = vel::FamilyId::Velmar_V;
    velmar.menus = {FileMenu(), EditMenu(),
                    {QT_TRANSLATE_NOOP("CMainFrame", "&Program"), nullptr,
                     {{ID_READ_FROM_RADIO}, {ID_WRITE_TO_RADIO}, {ID_BACKUP_BEFORE_WRITE}, {ID_VERIFY_AFTER_WRITE}, {},
                      {ID_TEST_MODE}, {ID_EDIT_DATA}, {}, {ID_OPTIONAL_FEATURES}, {ID_TWO_TONE}}},
                    PortMenu(), ViewMenu(), HelpMenu()};
    velmar.accelerators = FrameworkAccelerators();
    velmar.accelerators.push_back({QKeySequence(Qt::CTRL | Qt::Key_Y), ID_TWO_TONE});
    for (const Accelerator& key : EditAccelerators(true, false)) velmar.accelerators.push_back(key);
    velmar.toolbar = kToolbar;
    velmar.aboutCaption = QT_TRANSLATE_NOOP("CMainFrame", "About Velmar");
    velmar.aboutLine1 = QT_TRANSLATE_NOOP("CMainFrame", "Velmar Programing Software Version 2.0");
    velmar.aboutLine2 = QT_TRANSLATE_NOOP("CMainFrame", "Copyright (C) Velmar");
    profiles.push_back(velmar);

    FrameProfile ch128;
    ch128.family = vel::FamilyId::VM_CH128;
    ch128.menus = {FileMenu(), EditMenu(),
                   {QT_TRANSLATE_NOOP("CMainFrame", "&Program"), nullptr,
                    {{ID_READ_FROM_RADIO}, {ID_WRITE_TO_RADIO}, {ID_BACKUP_BEFORE_WRITE}, {ID_VERIFY_AFTER_WRITE}, {},
                     {ID_TEST_MODE}, {ID_EDIT_DATA}, {}, {ID_OPTIONAL_FEATURES}}},
                   PortMenu(), ViewMenu(), HelpMenu()};
    ch128.accelerators = FrameworkAccelerators();
    for (const Accelerator& key : EditAccelerators(true, true)) ch128.accelerators.push_back(key);
    ch128.toolbar = kToolbar;
    profiles.push_back(ch128);

    FrameProfile ch118 = ch128;
    ch118.family = vel::FamilyId::VM_CH118;
    ch118.aboutCaption = QT_TRANSLATE_NOOP("CMainFrame", "About Velmar");
    ch118.aboutLine1 = QT_TRANSLATE_NOOP("CMainFrame", "Velmar Electronics  Programing Software Version 1.0");
    ch118.aboutLine2 = QT_TRANSLATE_NOOP("CMainFrame", "Copyright (C) Velmar");
    profiles.push_back(ch118);

    FrameProfile marlowe;
    marlowe.family = vel::FamilyId::Marlowe;
    marlowe.menus = {MarloweFileMenu(),
                     {QT_TRANSLATE_NOOP("CMainFrame", "&Edit"), nullptr,
                      [] {
                          // Marlowe's own items first, then the editing commands.
                          std::vector<MenuItem> items = {{ID_EDIT_DATA, QT_TRANSLATE_NOOP("CMainFrame", "&Edit Data\tCtrl+G")},
                                                         {ID_KEY_ASSIGNMENT}, {ID_OPTIONAL_FEATURES_EDIT}, {}};
                          for (const MenuItem& item : EditItems()) items.push_back(item);
                          return items;
                      }()},
                     {QT_TRANSLATE_NOOP("CMainFrame", "&Program"), nullptr,
                      {{ID_READ_FROM_RADIO}, {ID_WRITE_TO_RADIO}, {ID_BACKUP_BEFORE_WRITE}, {ID_VERIFY_AFTER_WRITE}, {},
                       {ID_TEST_MODE}}},
                     PortMenu(), ViewMenu(), HelpMenu()};
    marlowe.accelerators = SixteenChannelAccelerators();
    for (const Accelerator& key : EditAccelerators(false, true)) marlowe.accelerators.push_back(key);
    marlowe.toolbar = kToolbar;
    marlowe.aboutCaption = QT_TRANSLATE_NOOP("CMainFrame", "About Marlowe");
    marlowe.aboutLine1 = QT_TRANSLATE_NOOP("CMainFrame", "Velmar Radio Programming Software");
    marlowe.aboutLine2 = QT_TRANSLATE_NOOP("CMainFrame", "Copyright (C) Velmar");
    profiles.push_back(marlowe);

    FrameProfile ch16;
    ch16.family = vel::FamilyId::VM_CH16;
    ch16.menus = {FileMenu(), EditMenu(),
                  {QT_TRANSLATE_NOOP("CMainFrame", "&Program"), nullptr,
                   {{ID_READ_FROM_RADIO}, {ID_WRITE_TO_RADIO}, {ID_BACKUP_BEFORE_WRITE}, {ID_VERIFY_AFTER_WRITE}, {},
                    {ID_TEST_MODE}, {ID_EDIT_DATA, QT_TRANSLATE_NOOP("CMainFrame", "&Edit Data\tCtrl+G")}}},
                  PortMenu(), ViewMenu(), HelpMenu()};
    ch16.accelerators = SixteenChannelAccelerators();
    for (const Accelerator& key : EditAccelerators(false, true)) ch16.accelerators.push_back(key);
    ch16.toolbar = kToolbar;
    ch16.aboutCaption = QT_TRANSLATE_NOOP("CMainFrame", "About Velmar");
    ch16.aboutLine1 = QT_TRANSLATE_NOOP("CMainFrame", "Velmar Serials Radio Programing Software Version 1.1");
    ch16.aboutLine2 = QT_TRANSLATE_NOOP("CMainFrame", "Copyright (C) Velmar");
    profiles.push_back(ch16);

    // The Chinese 16-channel build writes its menus in Chinese only.
    FrameProfile cn = ch16;
    cn.family = vel::FamilyId::VM_CH16_CN;
    cn.menus = {
        {"", "文件(&F)",
         {{ID_FILE_NEW, "新建(&N)\tCtrl+N"}, {ID_FILE_OPEN, "打开(&O)...\tCtrl+O"},
          {ID_FILE_OPEN_BACKUP, "打开备份(&B)..."}, {ID_FILE_SAVE, "保存(&S)\tCtrl+S"}, {ID_FILE_SAVE_AS, "另存为(&A)..."}, {},
          {ID_FILE_COMPARE, "比较(&W)..."}, {ID_FILE_IMPORT_CHANNELS, "导入信道(&H)..."}, {ID_FILE_EXPORT_CHANNELS, "导出信道(&C)..."}, {},
          {ID_FILE_PRINT, "打印(&P)...\tCtrl+P"},
          {ID_FILE_PRINT_PREVIEW, "打印预览(&V)"}, {ID_FILE_PRINT_SETUP, "打印设置(&R)..."},
          {ID_FILE_EXPORT_PDF, "导出PDF(&E)..."}, {},
          {ID_FILE_MRU_FILE1, "最近文件"}, {}, {ID_APP_EXIT, "退出(&X)"}}},
        {"", "编辑(&B)",
         {{ID_EDIT_UNDO, "撤销(&U)"}, {ID_EDIT_REDO, "重做(&R)"}, {},
          {ID_EDIT_CUT, "剪切(&T)"}, {ID_EDIT_COPY, "复制(&C)"}, {ID_EDIT_PASTE, "粘贴(&P)"},
          {ID_EDIT_PASTE_INSERTED, "插入粘贴(&I)"}, {},
          {ID_EDIT_INSERT_CHANNEL, "插入空信道(&E)\tIns"}, {ID_EDIT_DELETE_CHANNEL, "删除信道(&D)"},
          {ID_EDIT_MOVE_UP, "上移(&M)"}, {ID_EDIT_MOVE_DOWN, "下移(&O)"}, {ID_EDIT_FILL_DOWN, "向下填充(&F)"},
          {ID_EDIT_CLEAR, "清除(&A)\tDel"}, {}, {ID_EDIT_SELECT_ALL, "全选信道(&L)"}}},
        {"", "编程(&E)",
         {{ID_READ_FROM_RADIO, "读频(&U)\tCtrl+R"}, {ID_WRITE_TO_RADIO, "写频\tCtrl+W"},
          {ID_BACKUP_BEFORE_WRITE, "写频前备份(&B)"}, {ID_VERIFY_AFTER_WRITE, "写频后核对(&V)"}, {},
          {ID_TEST_MODE, "在线调试(&Y)\tCtrl+T", "实时修改对讲机发射功率，静燥等级，电池低压报警\n在线调试"},
          {ID_EDIT_DATA, "编辑信道\tCtrl+G"}}},
        {"", "端口设置",
         {{ID_COM1, "COM1(&P)\tCtrl+C"}, {ID_COM2, "COM2(&Q)\tCtrl+D"}, {ID_COM3, "COM3(&S)\tCtrl+E"},
          {ID_COM4, "COM4(&T\tCtrl+F"}, {}, {ID_PORT_SIMULATED, "模拟对讲机(&M)"}}},
        {"", "查看(&V)", {{ID_VIEW_TOOLBAR, "工具栏(&T)"}, {ID_VIEW_STATUS_BAR, "状态栏(&S)"}}},
        {"", "帮助(&H)", {{ID_HELP_FINDER, "帮助主题(&H)"}, {}, {ID_APP_ABOUT}}}};
    cn.aboutCaption = "关于 本软件";
    cn.aboutLine1 = "VM系列专业手持对讲机写频软件 1.1 版";
    cn.aboutLine2 = "版权所有 (C) Velmar";
    profiles.push_back(cn);
    return profiles;
}


}  // namespace

const std::vector<CommandSpec>& AllCommands() { return kCommands; }

const std::vector<const char*>& DescriptorTexts() {
    static const std::vector<const char*> texts = {QT_TRANSLATE_NOOP("CMainFrame", "Velmar Programing Software"),
                                                   QT_TRANSLATE_NOOP("CMainFrame", "&About Velmar-2.0...")};
    return texts;
}

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

const std::vector<int>& EditCommands() { return kEditCommands; }

const std::vector<int>& PortCommands() { return kPorts; }

const std::vector<int>& SelectablePortCommands() { return kSelectablePorts; }

QString SimulatedPortName() { return QStringLiteral("SIM"); }

QString PortNameOf(int id) {
    for (std::size_t i = 0; i < kPorts.size(); ++i)
        if (kPorts[i] == id) return QStringLiteral("COM%1").arg(i + 1);
    if (id == ID_PORT_SIMULATED) return SimulatedPortName();
    return {};
}

}  // namespace velui
