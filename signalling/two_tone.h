#pragma once
// Two-tone signalling of the full application: the 32-pair encode table with
// its timing (0xE00-0xE7F, 0xEC0-0xEC7) and the eight decode sets
// (0xE80-0xEBF), each with the period-count and 50 ms copies the radio uses
// (0xF00-0xF7F, 0xFC0-0xFC7, 0xF80-0xFBF). The dialog pages show texts; these
// functions turn image bytes into those texts and back.

#include <array>
#include <optional>
#include <string>

#include "image/image.h"

namespace vel {

inline constexpr int kDecodeSetCount = 8;
inline constexpr int kEncodeEntryCount = 32;
/// Tones the two-tone editors accept, in tenths of a hertz.
inline constexpr int kTwoToneMinTenths = 2885;
inline constexpr int kTwoToneMaxTenths = 31060;

/// Tone period counts the radio times its tones with: constant / F, rounded
/// half up.
int DecodePeriodCount(double hertz);   // 895658 / F
int EncodePeriodCount(double hertz);   // 111957 / F

// --- Decode sets ------------------------------------------------------------

/// What one decode-set page shows.
struct DecodeSetPage {
    std::string aTone, bTone;                    // "%.1f" hertz, "0.0" = no tone
    int aPosition = 0, bPosition = 0;            // tone up-down positions (tenths)
    std::array<std::string, 4> times;            // first delay, second delay, interval, long tone delay: "%2.1f" s
    std::array<int, 4> timePositions{};          // their up-down positions (tenths)
};

/// Loads set n (1-8) as the page shows it.
DecodeSetPage LoadDecodeSet(const Image& image, int set);

/// Stores the page's texts into set n and its timing record. A tone outside
/// 288.5-3106.0 Hz is clamped to the nearer bound (no tone stays no tone), and
/// a time whose bytes would not fit is held at the largest value that fits,
/// so nothing wraps into unrelated values.
void StoreDecodeSet(const DecodeSetPage& page, int set, Image& image);

/// One step of a decode-set tone's up-down: 0.1 Hz through 288.5-3106.0,
/// wrapping through "0.0" (no tone) at both ends. `up` is the +1 step.
std::string StepDecodeTone(const std::string& text, bool up);

/// The time text of an up-down position: position × 0.1 as "%2.1f".
std::string TimeText(int position);

// --- Encode page -----------------------------------------------------------

/// The encode table as its grid shows it: entry r (1-32) is tones[r - 1],
/// Tone 1 and Tone 2 its two texts ("%4.1f" hertz or empty).
using EncodeTones = std::array<std::array<std::string, 2>, kEncodeEntryCount>;

struct EncodePage {
    EncodeTones tones;
    std::string firstDelay, secondDelay, longDelay;                  // "%2.1f" s
    int firstDelayPosition = 0, secondDelayPosition = 0, longDelayPosition = 0;
    int toneIntervalMs = 100;
    int riseDelayMs = 200;
    /// Short kill tone: stored 0 or 1 gives the state; any other byte leaves
    /// the check box as it was (nullopt).
    std::optional<bool> shortKillTone;
};

/// Loads the encode page from the image.
EncodePage LoadEncodePage(const Image& image);

/// Stores the page (table, timing and their radio copies). A missing short
/// kill state stores "off".
void StoreEncodePage(const EncodePage& page, Image& image);

/// A committed tone cell: the typed text as "%4.1f", clamped to 288.5-3106.0;
/// an empty text stays empty.
std::string CommitEncodeTone(const std::string& text);

/// How a tone cell's edit ends: Enter in the cell editor, or the grid moving
/// to another cell while the editor is open.
enum class EncodeCommitKey { Enter, LeaveCell };

/// Where editing goes after a tone cell is committed.
struct EncodeCellMove {
    int row = 1;          ///< the new current cell (row 1-32, column 1-2)
    int col = 1;
    bool reopen = true;   ///< the editor opens again there, as if Enter had been typed
};

/// Commits `editorText` into cell (row, col) of the encode table:
///  - the text becomes CommitEncodeTone(editorText);
///  - Tone 1 also fills an empty Tone 2 of its entry, and editing goes on in
///    Tone 2;
///  - Tone 2 on Enter: when Tone 1 is empty the Tone 2 just typed is cleared and
///    editing goes back to Tone 1; otherwise editing goes on in Tone 1 of the
///    next entry (entry 32 stays where it is);
///  - Tone 2 on leaving the cell: a Tone 2 without a Tone 1 is cleared; on
///    entries 1-15 editing goes on in Tone 1 of the next entry, on entries
///    16-32 the editor stays closed.
EncodeCellMove CommitEncodeCell(EncodeTones& tones, int row, int col, const std::string& editorText,
                                EncodeCommitKey key);

/// Up-down wrap of the tone interval (0-2000 ms in steps of 100).
int StepToneInterval(int ms, int step);
/// Up-down wrap of the transmitter rise delay (100-1000 ms in steps of 50);
/// the control's upper arrow reports step -1 and raises the delay.
int StepRiseDelay(int ms, int step);

}  // namespace vel
