#pragma once
// CSettingsDlg: a settings dialog built from its model's controls
// (settings/settings_dialog_model.h) and a layout of group boxes. It opens
// with the texts the model shows for the image; OK hands the texts the user
// changed to the model, which stores them exactly as `velprog options set`
// does; Cancel leaves the image as it was. The dialog keeps no byte rule of
// its own.

#include <QDialog>

#include <map>
#include <vector>

#include "image/image.h"
#include "image/language.h"
#include "settings/settings_dialog_model.h"

class QPushButton;

namespace velui {

/// A control placed in a group: `label` is a check box's caption, or the
/// label beside a list or edit box. Texts are marked with
/// QT_TRANSLATE_NOOP("velui::CSettingsDlg", …).
struct SettingsDlgControl {
    int id = 0;
    const char* label = "";
};

/// A group box at (row, column) of the dialog's grid. A group whose controls
/// are all hidden is hidden too.
struct SettingsDlgGroup {
    const char* title = "";
    int row = 0;
    int column = 0;
    std::vector<SettingsDlgControl> controls;
};

struct SettingsDlgLayout {
    const char* caption = "";
    std::vector<SettingsDlgGroup> groups;
};

class CSettingsDlg : public QDialog {
    Q_OBJECT
public:
    CSettingsDlg(const vel::SettingsDialogModel& model, const SettingsDlgLayout& layout, vel::Image& image,
                 vel::Lang lang, QWidget* parent = nullptr);

    /// OK: the changed texts into the image through the model, then the
    /// dialog closes. A text the model refuses is shown and the dialog stays.
    void accept() override;

    /// The widget of control `id` (QComboBox, QLineEdit, QCheckBox or
    /// CUpDownEdit), or nullptr.
    QWidget* control(int id) const;
    /// What every control shows now, in the model's terms.
    vel::ControlTexts texts() const;
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildControl(const vel::ControlInfo& info, const char* label, QWidget* parent);
    void load();
    std::string textOf(const vel::ControlInfo& info) const;

    const vel::SettingsDialogModel& model_;
    vel::Image& image_;
    vel::Lang lang_;
    std::map<int, QWidget*> widgets_;
    vel::ControlTexts opened_;   // the texts the dialog opened with
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

/// The window layout of dialog `key` of `family`, or nullptr when the family
/// shows it with a window of its own (or not at all).
const SettingsDlgLayout* SettingsDlgLayoutOf(vel::FamilyId family, const std::string& key);

}  // namespace velui
