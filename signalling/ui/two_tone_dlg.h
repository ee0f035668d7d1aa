#pragma once
// The two-tone dialog: CTwoToneDlg ("Tow Tone") with its Encode page
// (CTwoToneEncodePage) and its Decode container (CTwoToneDecodeDlg), which
// holds one CTwoToneSetPage per decode set. There is no OK step: each page
// stores whenever it is hidden and when the dialog closes (see CTwoTonePage).

#include <QDialog>
#include <array>

#include "image/image.h"
#include "image/language.h"
#include "signalling/ui/two_tone_page.h"

class QTabWidget;

namespace velui {

class CTwoToneEncodePage;
class CUpDownEdit;

/// One decode set (1-8): A and B tone and the four times.
class CTwoToneSetPage : public CTwoTonePage {
    Q_OBJECT
public:
    CTwoToneSetPage(vel::Image& image, int set, QWidget* parent = nullptr);
    ~CTwoToneSetPage() override;

    int set() const { return set_; }
    CUpDownEdit* aToneBox() const { return aTone_; }
    CUpDownEdit* bToneBox() const { return bTone_; }
    /// 0 first delay, 1 second delay, 2 interval, 3 long tone delay.
    CUpDownEdit* timeBox(int i) const { return times_.at(static_cast<std::size_t>(i)); }

protected:
    void load() override;
    void store() override;

private:
    int set_;
    CUpDownEdit* aTone_ = nullptr;
    CUpDownEdit* bTone_ = nullptr;
    std::array<CUpDownEdit*, 4> times_{};
};

/// The Decode tab: the eight decode-set pages behind tabs "2Tone 1".."2Tone 8".
class CTwoToneDecodeDlg : public QWidget {
    Q_OBJECT
public:
    CTwoToneDecodeDlg(vel::Image& image, vel::Lang lang, QWidget* parent = nullptr);
    ~CTwoToneDecodeDlg() override;

    QTabWidget* tabs() const { return tabs_; }
    CTwoToneSetPage* page(int set) const { return pages_.at(static_cast<std::size_t>(set - 1)); }
    /// The dialog closes: the shown page stores.
    void closePages();

private:
    void selectSet(int index);

    QTabWidget* tabs_ = nullptr;
    std::array<CTwoToneSetPage*, 8> pages_{};
};

class CTwoToneDlg : public QDialog {
    Q_OBJECT
public:
    /// `lang` chooses the tab captions and the grid headers (English exactly
    /// when the language base name is the program's name followed by "_EN");
    /// `englishLanguageBase` is true when the language base name is exactly
    /// "english", which chooses the English "Please input Number".
    CTwoToneDlg(vel::Image& image, vel::Lang lang, bool englishLanguageBase, QWidget* parent = nullptr);
    ~CTwoToneDlg() override;

    QTabWidget* tabs() const { return tabs_; }
    CTwoToneEncodePage* encodePage() const { return encode_; }
    CTwoToneDecodeDlg* decodeContainer() const { return decode_; }

    /// Closing (close box, Escape) stores the shown pages first.
    void done(int result) override;

private:
    void selectTab(int index);

    QTabWidget* tabs_ = nullptr;
    CTwoToneEncodePage* encode_ = nullptr;
    CTwoToneDecodeDlg* decode_ = nullptr;
};

}  // namespace velui
