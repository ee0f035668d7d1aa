#pragma once
// CTwoToneEncodePage: the Encode tab of the two-tone dialog. The 32 tone
// pairs of the encode table in a grid with a floating cell editor, and the
// timing the radio sends them with. Loads when shown, stores when hidden or
// when the dialog closes (CTwoTonePage).

#include <QString>

#include "image/language.h"
#include "signalling/two_tone.h"
#include "signalling/ui/two_tone_page.h"

class CMSFlexGrid;
class QCheckBox;
class QLineEdit;

namespace velui {

class CUpDownEdit;

class CTwoToneEncodePage : public CTwoTonePage {
    Q_OBJECT
public:
    /// Identifier of the cell editor (also its object name).
    static constexpr int kCellEditorId = 61457;

    CTwoToneEncodePage(vel::Image& image, vel::Lang lang, bool englishLanguageBase, QWidget* parent = nullptr);
    ~CTwoToneEncodePage() override;

    CMSFlexGrid* grid() const { return grid_; }
    QLineEdit* cellEditor() const { return editor_; }
    /// True while the cell editor is open on the current cell (it may be out
    /// of sight while its cell is scrolled away).
    bool isEditing() const { return editing_; }
    CUpDownEdit* firstDelayBox() const { return firstDelay_; }
    CUpDownEdit* secondDelayBox() const { return secondDelay_; }
    CUpDownEdit* longDelayBox() const { return longDelay_; }
    CUpDownEdit* toneIntervalBox() const { return toneInterval_; }
    CUpDownEdit* riseDelayBox() const { return riseDelay_; }
    QCheckBox* shortKillToneBox() const { return shortKill_; }

    /// The text of the message shown when a tone cell's first key is not a digit.
    static QString PleaseInputNumberText(bool englishLanguageBase);

protected:
    void load() override;
    void store() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(vel::Lang lang);
    void layOutGrid(vel::Lang lang);

    // Grid events.
    void onEnterCell();
    void onLeaveCell();
    void onKeyPress(int& keyAscii);
    void onMouseDown(short button, short shift, int x, int y);
    void onScroll();

    /// Opens the cell editor on the current cell; `key` is the typed
    /// character, 13 for Enter or 0 for none.
    void openEditor(int key);
    /// Commits the editor into the current cell and goes where the rules say.
    void commit(vel::EncodeCommitKey key);
    /// Commits the editor into the current cell without moving (before a store).
    void commitOpenEditor();
    /// Lays the editor over the current cell; false when the cell is out of sight.
    bool placeEditor(bool scrollIntoView);
    void closeEditor();
    vel::EncodeTones tonesFromGrid() const;
    void showEntry(const vel::EncodeTones& tones, int row);
    /// An integer box's text, or `fallback` when it holds no whole number.
    static int IntegerIn(const CUpDownEdit* box, int fallback);

    bool englishLanguageBase_;
    CMSFlexGrid* grid_ = nullptr;
    QLineEdit* editor_ = nullptr;
    bool editing_ = false;
    bool refocusEditor_ = false;   // the editor had the keyboard when its cell scrolled away
    CUpDownEdit* firstDelay_ = nullptr;
    CUpDownEdit* secondDelay_ = nullptr;
    CUpDownEdit* longDelay_ = nullptr;
    CUpDownEdit* toneInterval_ = nullptr;
    CUpDownEdit* riseDelay_ = nullptr;
    QCheckBox* shortKill_ = nullptr;

    // Values as the page last transferred them from its boxes.
    QString firstDelayText_ = QStringLiteral("0.8");
    QString secondDelayText_ = QStringLiteral("0.8");
    QString longDelayText_ = QStringLiteral("0.8");
    int toneIntervalMs_ = 100;
    int riseDelayMs_ = 200;
};

}  // namespace velui
