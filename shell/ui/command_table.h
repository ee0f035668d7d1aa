#pragma once
// The main window's commands as data: identifiers, menu texts, status-bar
// prompts, tooltips, toolbar icons, and per application the menus, the
// accelerators, the toolbar order and the window's title and size.
// CMainFrame builds its menus, toolbar and shortcuts from these tables only,
// so an application that differs in its commands differs in its table.

#include <QKeySequence>
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

#include "image/family.h"

namespace velui {

/// Command identifiers. The framework's own commands keep their customary
/// numbers; the application's commands are those of its menu resource.
enum CommandId : int {
    ID_SEPARATOR = 0,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,   // the recent-file entries follow: 57617, 57618, 57619
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_FINDER = 57667,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_READ_FROM_RADIO = 32771,
    ID_WRITE_TO_RADIO = 32772,
    ID_COM1 = 32773,
    ID_COM2 = 32775,
    ID_COM3 = 32776,
    ID_COM4 = 32777,
    ID_TEST_MODE = 32778,
    ID_EDIT_DATA = 32780,
    ID_KEY_ASSIGNMENT = 32782,
    ID_OPTIONAL_FEATURES_EDIT = 32783,   // Marlowe keeps the dialog in its Edit menu
    ID_OPTIONAL_FEATURES = 32784,
    ID_TWO_TONE = 32786,
    ID_PORT_SIMULATED = 32790,   // the radio simulated inside the program (Port menu)
    ID_FILE_EXPORT_PDF = 32900,          // the settings report as a PDF file
    ID_FILE_IMPORT_TEXT = 32901,         // Marlowe: read a text form of the image ("1.txt")
    ID_FILE_EXPORT_TEXT = 32902,         // Marlowe: write a text form of the image
    // Edit menu: the framework's editing commands and the channel rows' own.
    ID_EDIT_CLEAR = 57632,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_SELECT_ALL = 57642,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_EDIT_PASTE_INSERTED = 33101,
    ID_EDIT_INSERT_CHANNEL = 33102,
    ID_EDIT_DELETE_CHANNEL = 33103,
    ID_EDIT_MOVE_UP = 33104,
    ID_EDIT_MOVE_DOWN = 33105,
    ID_EDIT_FILL_DOWN = 33106,
    ID_FILE_COMPARE = 32903,             // Compare With: another file or the radio
    ID_FILE_OPEN_BACKUP = 32904,         // Open Backup: the backups saved before writes
    ID_BACKUP_BEFORE_WRITE = 32791,      // Program menu switch: read and save the radio before a write
    ID_VERIFY_AFTER_WRITE = 32792,       // Program menu switch: read the radio back after a write
    ID_FILE_IMPORT_CHANNELS = 32910,     // a channel list from a CSV file
    ID_FILE_EXPORT_CHANNELS = 32911,     // the channel table to a CSV file
};

/// Number of recent-file entries of the File menu.
constexpr int kRecentFileCount = 4;

/// A command's fixed texts. `text`, `prompt` and `tip` are English source
/// texts of the translation context "CMainFrame"; the text after a tab in
/// `text` is a label only (the working shortcuts are the accelerators).
struct CommandSpec {
    int id = 0;
    const char* text = "";
    const char* prompt = "";   // status-bar prompt, empty for none
    const char* tip = "";      // toolbar tooltip, empty for none
    const char* icon = "";     // resource path of the toolbar icon, empty for none
    bool checkable = false;
};

/// All commands that any application shows, by identifier; nullptr when unknown.
const CommandSpec* FindCommand(int id);
const std::vector<CommandSpec>& AllCommands();

/// One menu item: a command (ID_SEPARATOR for a separator) with, for an
/// application whose menus are written in one language, its literal text.
struct MenuItem {
    int id = ID_SEPARATOR;
    const char* literal = nullptr;   // shown as is instead of the translated text
    /// Shown as is instead of the translated prompt and tooltip: the status
    /// prompt, then after a line break the tooltip.
    const char* literalPrompt = nullptr;
};

struct MenuSpec {
    const char* title = "";          // English source text (context "CMainFrame")
    const char* literalTitle = nullptr;
    std::vector<MenuItem> items;
};

struct Accelerator {
    QKeySequence key;
    int id = 0;
};

/// The commands in which the main windows of the applications differ. The
/// window's title, size, position and about-box menu item come from the
/// family descriptor (vel::AppInfo), see FrameLook.
struct FrameProfile {
    vel::FamilyId family = vel::FamilyId::Velmar_V;
    std::vector<MenuSpec> menus;
    std::vector<Accelerator> accelerators;
    std::vector<int> toolbar;             // ID_SEPARATOR for a separator
    const char* aboutCaption = "";        // used when the descriptor gives none
    const char* aboutLine1 = "";
    const char* aboutLine2 = "";
};

/// The main window's look, resolved for one run: title (translated or read
/// from the configuration file), the Help menu's about item, size and position.
struct FrameLook {
    QString title;
    QString aboutItem;
    QSize size{1024, 768};
    std::optional<QPoint> position;   // none: the platform's default
};

/// Source texts of the bilingual family's descriptor that the language
/// library translates (context "CMainFrame").
const std::vector<const char*>& DescriptorTexts();

/// The main-window profile of a family.
const FrameProfile& GetFrameProfile(vel::FamilyId family);

/// The channel table's editing commands in the order of the Edit menu
/// (ID_SEPARATOR between groups); the grid's context menu shows them too.
const std::vector<int>& EditCommands();

/// Identifiers of the four port commands, COM1 to COM4, in order.
const std::vector<int>& PortCommands();
/// The port commands of the Port menu that carry a check mark: COM1 to COM4,
/// then the simulated radio.
const std::vector<int>& SelectablePortCommands();
/// Port name of the simulated radio ("SIM"): never a device name, so it
/// cannot be mistaken for a cable port.
QString SimulatedPortName();
/// "COM1" … "COM4" for a port command, SimulatedPortName() for the simulated
/// radio, empty for any other identifier.
QString PortNameOf(int id);

}  // namespace velui
