#pragma once
// The test-mode dialog (dialog 136): live tuning of a connected radio. A tree
// chooses between the frequency page (the High, Middle and Low debug
// frequencies with their tones and steps) and the parameter page (the value
// of a debug item on a track bar, the debug frequency to send, and Start).
// Start sends one setting to the radio with the test-mode exchange; the
// dialog blocks while it runs. The values live only while the dialog is open
// (vel::TestModeState); nothing reaches the memory image.

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "image/family.h"
#include "image/language.h"
#include "link/serial_port.h"
#include "testmode/test_mode_exchange.h"
#include "testmode/test_mode_state.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTreeWidget;
class QTreeWidgetItem;

namespace velui {

/// How the dialog reaches the radio: a factory for the port of one exchange
/// and the clock of its pauses. Without a factory the exchange cannot run.
struct TestModeLink {
    std::function<std::unique_ptr<vel::SerialPort>()> makePort;
    vel::Clock* clock = nullptr;
    QString messageTitle;   // title of the message boxes (the application's title)
};

class CTestModeDlg : public QDialog {
    Q_OBJECT
public:
    enum class Page { None, Frequency, Parameter };

    /// `baseMHz` is the base frequency F; `portName` the port chosen when the
    /// dialog opened (every Start uses it).
    CTestModeDlg(const vel::Family& family, vel::Lang lang, int baseMHz, QString portName, TestModeLink link,
                 QWidget* parent = nullptr);
    ~CTestModeDlg() override;

    const vel::TestModeState& state() const { return state_; }
    int baseMHz() const { return state_.baseMHz(); }
    const QString& portName() const { return portName_; }
    Page page() const { return page_; }
    /// Debug frequency shown on the frequency page (2 High, 3 Middle, 4 Low).
    int selectedFrequency() const { return selectedFrequency_; }
    /// Debug item shown on the parameter page (2 to 5).
    int selectedItem() const { return selectedItem_; }
    /// Debug frequency chosen on the parameter page: the one Start sends.
    int chosenFrequency() const;
    /// Outcome of the last Start (none before the first).
    std::optional<vel::TestModeOutcome> lastOutcome() const { return lastOutcome_; }

    /// The tree node with label `label` (first match), or nullptr.
    QTreeWidgetItem* node(const QString& label) const;
    /// Selects the tree node `label` as a click would.
    void selectNode(const QString& label);

    QTreeWidget* tree() const { return tree_; }
    QGroupBox* captionGroup() const { return group1029_; }
    QLineEdit* frequencyEdit(bool transmit) const { return transmit ? txFrequency_ : rxFrequency_; }
    QComboBox* toneBox(bool transmit) const { return transmit ? txTone_ : rxTone_; }
    QRadioButton* kindButton(bool transmit, vel::ToneKind kind) const;
    QRadioButton* stepButton(bool transmit, vel::TestStep step) const;
    QRadioButton* chooseButton(int code) const;
    QSlider* trackBar() const { return trackBar_; }
    QLabel* currentValueLabel() const { return currentValue_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* defaultButton() const { return default_; }
    QWidget* frequencyPage() const { return frequencyPage_; }
    QWidget* parameterPage() const { return parameterPage_; }

public slots:
    void onStart();
    void onDefault();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTree();
    void buildPages();
    void onTreeSelection(QTreeWidgetItem* current);
    void showPage(Page page);
    void showFrequency(int code);
    void fillToneBox(bool transmit, vel::ToneKind kind, int index);
    void showItemValue(int value);
    void commitFrequency(bool transmit);
    QString text(const std::string& s) const;

    const vel::Family& family_;
    vel::Lang lang_;
    QString portName_;
    TestModeLink link_;
    vel::TestModeState state_;
    Page page_ = Page::None;
    int selectedFrequency_ = vel::kDebugHigh;
    int selectedItem_ = 2;
    bool firstSelectionPending_ = true;
    bool loading_ = false;           // widgets are being set from the state
    bool rxDirty_ = false;           // a frequency edit holds typed text not yet taken
    bool txDirty_ = false;
    std::optional<vel::TestModeOutcome> lastOutcome_;

    QTreeWidget* tree_ = nullptr;
    QGroupBox* group1029_ = nullptr;
    QWidget* frequencyPage_ = nullptr;
    QWidget* parameterPage_ = nullptr;
    QLineEdit* rxFrequency_ = nullptr;
    QLineEdit* txFrequency_ = nullptr;
    QComboBox* rxTone_ = nullptr;
    QComboBox* txTone_ = nullptr;
    QButtonGroup* rxKind_ = nullptr;
    QButtonGroup* txKind_ = nullptr;
    QButtonGroup* rxStep_ = nullptr;
    QButtonGroup* txStep_ = nullptr;
    QButtonGroup* choose_ = nullptr;
    QSlider* trackBar_ = nullptr;
    QLabel* currentValue_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* default_ = nullptr;
};

}  // namespace velui
