#pragma once
// One descriptor per radio family. Everything that differs between the six
// applications' images, channel tables, form lists and protocol pacing is
// data here, read by one engine (table/channel_table.h, link/).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "image/image.h"
#include "image/language.h"

namespace vel {

enum class FamilyId { Velmar_V, VM_CH128, VM_CH118, Marlowe, VM_CH16, VM_CH16_CN };

/// One entry of a list: its text and the value it stands for. The meaning is
/// what the list's codec reads and writes: the list index for a ByteIndexCodec,
/// the bit value (0 or 1) for a BitCodec or AllChannelsBitCodec, the byte
/// itself for a CodeCodec. Fill selects and store writes by meaning, so a
/// family whose lists are sorted in another order keeps the same bytes.
struct ListItem {
    Text text;
    int meaning = 0;
};

// ---------------------------------------------------------------------------
// Channel table columns
// ---------------------------------------------------------------------------

enum class ColumnKind {
    Number,        // column 0: channel number
    RxFrequency,   // record bytes 0-3
    TxFrequency,   // record bytes 4-7
    RxTone,        // record bytes 8 (low), 9 (high)
    TxTone,        // record bytes 10 (low), 11 (high)
    List,          // a list column stored in bits of one record byte (see ListCodec)
    Name,          // 8-byte name in the name area
    More,          // ">>" when the channel is in use
    Blank,         // shows nothing and cannot be edited
};

/// A list column's byte rule: the column owns `mask` of record byte `byte`.
/// Fill: the item whose `code` equals (byte & mask); otherwise the item named
/// by `fillAliases`, otherwise an empty cell. Store: the item whose text
/// (either language) equals the cell gives (byte & ~mask) | code; any other
/// text gives `storeOtherCode`, or, when `storeOtherWholeByte` is set, that
/// whole byte.
struct ListCodec {
    int byte = 12;
    Byte mask = 0;
    std::vector<Byte> codes;                          // parallel to the column's items
    std::vector<std::pair<Byte, int>> fillAliases;    // (code, item index)
    Byte storeOtherCode = 0;
    std::optional<Byte> storeOtherWholeByte;
};

/// What a list column means beyond its own texts, for exchanging channel
/// lists with other programs. Each role's items carry fixed English texts:
/// Bandwidth "Wide"/"Narrow", Power "High"/"Low", Scan "Yes"/"No".
enum class ChannelRole { None, Bandwidth, Power, Scan };

struct Column {
    ColumnKind kind = ColumnKind::Blank;
    ChannelRole role = ChannelRole::None;
    Text header;
    /// Width = w × widthFactor ÷ widthDivisor, truncated, where w is the grid's
    /// default width of column 2. Each family's layout either multiplies by a
    /// factor or divides by a number; both are kept as given so that the
    /// truncated widths come out the same.
    double widthFactor = 1.0;
    double widthDivisor = 1.0;
    bool centred = true;             // centred, else left-aligned
    bool alignTop = false;           // text at the top of the cell, else centred vertically
    std::vector<ListItem> items;     // editor list (List columns)
    ListCodec codec;                 // List columns
    Text newChannelDefault;          // text a new channel gets in this column
    int editorId = 0;                // identifier of the floating editor control
};

// ---------------------------------------------------------------------------
// Form lists and boxes around the grid
// ---------------------------------------------------------------------------

/// meaning = v − base, v = byte / divisor, when lo ≤ v ≤ hi; else the fallback
/// meaning (or no selection when there is none). A meaning that no item has
/// (a negative one, or one past the list) leaves the list without a selection.
/// Store: byte = (meaning + base) × multiplier, 8 bits, with no selection
/// counting as meaning −1.
struct ByteIndexCodec {
    int addr = 0;
    int base = 0;
    int divisor = 1;
    int multiplier = 1;
    int lo = 0;
    int hi = 255;
    std::optional<int> fallbackMeaning;
};

/// One bit: meaning 1 when set, 0 when clear. Store sets the bit for meaning 1;
/// with no selection the bit is set exactly when `noneSets`.
struct BitCodec {
    int addr = 0;
    Byte mask = 0;
    bool noneSets = false;
};

/// The byte holds the meaning itself. Fill keeps the previous selection when no
/// item has the byte's value; store leaves the byte alone with no selection.
struct CodeCodec {
    int addr = 0;
};

/// One bit of record byte `recordByte` in every channel: read from channel 1,
/// written into all channels (meaning 1 = set). No selection clears it.
struct AllChannelsBitCodec {
    int recordByte = 12;
    Byte mask = 0;
};

/// An edit box of up to `length` digits at `addr`: fill shows the ASCII digits
/// among the bytes; store writes each character as digit value + 0x30 (a
/// non-digit counts as 0) and 0xFF past the end.
struct DigitsCodec {
    int addr = 0;
    int length = 6;
};

using FormCodec = std::variant<ByteIndexCodec, BitCodec, CodeCodec, AllChannelsBitCodec, DigitsCodec>;

struct FormField {
    int id = 0;                     // control identifier
    Text label;
    std::vector<ListItem> items;    // empty for an edit box (DigitsCodec)
    FormCodec codec;
    std::optional<int> presetIndex; // selected when the view is first shown
    std::optional<int> typingGuardIndex; // typing into the box selects this index
    bool sorted = false;            // the list is a sorted list
    int group = 0;                  // 0: "Type Setting" box above the grid, 1: "Function Setting" below
    bool isEdit() const { return std::holds_alternative<DigitsCodec>(codec); }
};

// ---------------------------------------------------------------------------
// Cell commit rules
// ---------------------------------------------------------------------------

struct FrequencyRule {
    std::int64_t lo = 6700000;             // inclusive, 10 Hz units
    std::int64_t hi = 52100000;
    std::vector<std::int64_t> steps;       // accepted when divisible by any
    Text rangeMessage;
    Text stepMessage;                       // on leaving the cell
    Text stepMessageOnEnter;                // on Enter in the frequency edit
};

/// A tone typed into the tone box that is not a tone-table entry: Velmar_V
/// keeps the selected list entry on leaving the cell, the families store "OFF".
enum class ToneCommit { SelectedEntry, ExactOrOff };

// ---------------------------------------------------------------------------
// Programming protocol parameters
// ---------------------------------------------------------------------------

enum class TestModeBase { FieldList, Fixed450 };
enum class MessageLanguage { ByInterface, English, Chinese };

struct ProtocolParams {
    int writeBlocks = 508;
    int readBlocks = 508;
    int typeByteAddress = 0x081B;
    int pumpRoundsAfterWriteBlock = 21;
    int pumpRoundsAfterReadBlock = 19;
    int pauseAfterReadBlockMs = 5;
    int progressMax = 505;                 // progress bar range 0..progressMax
    int stepBelowWrite = 507;
    int stepBelowRead = 507;
    int endPositionWrite = 507;
    int endPositionRead = 507;
    Byte replyBufferFill = 0x00;
    bool waitingStatusBeforeWakeup = true; // else after the frame, before the first read
    bool cancelOnDeactivateOrMove = true;
    bool dataPasswordCheck = false;
    TestModeBase testModeBase = TestModeBase::FieldList;
    MessageLanguage messageLanguage = MessageLanguage::ByInterface;

    int writeBytes() const { return writeBlocks * 8; }
    int readBytes() const { return readBlocks * 8; }
};

// ---------------------------------------------------------------------------
// Plain texts and window facts the windows show
// ---------------------------------------------------------------------------

/// Texts of the channel table's form and its messages. A family with one
/// interface language carries the same text in both forms.
struct FamilyTexts {
    Text pleaseInputNumber;      // first typed key is not a digit
    Text editDataMessage;        // Edit Data command
    Text hintOverList;           // status bar over a combo box
    Text hintOverGrid;           // status bar over the grid
    Text hintElsewhere;          // status bar anywhere else on the form
    Text channelLabel;           // label above the grid; empty when the form has none
    Text typeSettingGroup;       // group box of the lists above the grid
    Text functionSettingGroup;   // group box below the grid; empty when there is none
};

/// Main window and about box facts.
struct AppInfo {
    /// Document string: window title, no document name, new-file name, filter
    /// name, extension, file type identifier, file type name, "\n"-separated.
    Text documentString;
    Text windowTitle;                 // title bar text (the document name is never added)
    bool titleFromConfig = false;     // title and about texts from the configuration file
    bool iconFromFile = false;        // window icon loaded from "<program>.ico" on every paint
    Text aboutMenuItem;               // Help menu item of the about box
    Text aboutCaption;                // caption of the about box; empty = the platform's default
    int windowWidth = 800;
    int windowHeight = 1100;
    std::optional<int> windowX;       // initial position, when the family gives one
    std::optional<int> windowY;
};

// ---------------------------------------------------------------------------
// The descriptor
// ---------------------------------------------------------------------------

struct ByteWrite {
    int addr;
    std::vector<Byte> bytes;
};

struct Family {
    FamilyId id;
    std::string name;                 // program name, e.g. "Velmar_V"
    int imageSize = 4096;             // bytes in the document and the file
    int channelCount = 128;
    int firstRecordAddr = 0;          // record of channel n at firstRecordAddr + 16 × (n − 1)
    std::optional<int> nameAddr;      // name of channel n at nameAddr + 8 × (n − 1)
    int nameEditLimit = 6;            // characters the name edit accepts
    bool bilingual = false;           // English and Chinese interface (Velmar_V)
    bool textForm = false;            // the image has a text form, "1.txt" (Marlowe)
    std::optional<Lang> fixedLang;    // families with one interface language

    std::vector<Column> columns;      // column 0 first
    std::vector<int> storeOrder;      // column indexes in the order StoreChannelGrid writes them
    double rowHeightFactor = 0;       // × height of row 2 for all rows, 0 = leave
    std::vector<FormField> form;      // lists and boxes of the form, in fill order
    std::vector<ByteWrite> storeConstants; // written by every StoreChannelGrid (0x811 = 0xA8)

    std::vector<ByteWrite> newDocument;   // applied in order on an image of 0xFF

    FrequencyRule frequencyRule;
    ToneCommit toneCommit = ToneCommit::SelectedEntry;
    bool toneOffShownWhenInUse = true;    // a missing tone of a channel in use shows "OFF"
    bool tonesShownWhenNotInUse = false;  // a channel not in use still shows its tone bytes
    int newChannelFirstEmptyColumns = 5;  // columns 1..n empty make a row a new channel
    int deleteFromColumn = 5;             // columns deleteFromColumn..last emptied on deletion

    ProtocolParams protocol;
    FamilyTexts texts;
    AppInfo app;

    /// The family's last step of every store of the window's table into the
    /// image (before a save and at the start of a write), given the image as
    /// stored; Marlowe writes its text form. Returns what the status bar
    /// should say, or nothing. velprog's store never runs it.
    std::function<std::optional<Text>(const Image& image)> afterWindowStore;

    /// Record address of channel n (1-based).
    int recordAddr(int channel) const { return firstRecordAddr + 16 * (channel - 1); }
    /// Interface language a family shows when it has only one.
    Lang uiLang(Lang requested) const { return fixedLang ? *fixedLang : requested; }
    /// Form field with control identifier `id`, or nullptr.
    const FormField* field(int id) const;
    int columnCount() const { return static_cast<int>(columns.size()); }
    /// Index of the first column of `kind`, or -1.
    int columnOf(ColumnKind kind) const;
};

/// Width of column `col` for the grid's default column width `w`.
int ColumnWidth(const Family& family, int col, int w);

// The six descriptors.
const Family& VelmarVFamily();
const Family& VmCh128Family();
const Family& VmCh118Family();
const Family& MarloweFamily();
const Family& VmCh16Family();
const Family& VmCh16CnFamily();

const Family& GetFamily(FamilyId id);
const std::vector<const Family*>& AllFamilies();
/// Family by program name (case-sensitive, e.g. "VM_CH16_CN"), or nullptr.
const Family* FindFamily(std::string_view name);

/// A new document: every byte 0xFF, then the family's defaults.
Image NewDocumentImage(const Family& family);

}  // namespace vel
