#pragma once
// CImportChannelsDlg ("Import Channels"): what importing a channel list
// would do, before it is done. It shows the file and the form read, lets the
// user choose where the channels go (replace the table, write each at its
// number, append after the last channel in use), and for that choice the
// count of channels imported and every refused row and left-out value. Apply
// takes the result, Cancel leaves the table as it was. The import itself is
// velcore's (table/channel_csv.h); the dialog only shows its outcome.

#include <QDialog>

#include <functional>

#include "image/language.h"
#include "table/channel_csv.h"

class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace velui {

class CImportChannelsDlg : public QDialog {
    Q_OBJECT
public:
    /// Imports the file's text into a copy of the table with a mode.
    using Import = std::function<vel::ChannelImport(vel::ImportMode)>;

    /// `fileName` is shown as given; `lang` is the language of the import's
    /// own report lines.
    CImportChannelsDlg(const QString& fileName, vel::Lang lang, Import import, QWidget* parent = nullptr);

    vel::ImportMode mode() const { return mode_; }
    void setMode(vel::ImportMode mode);
    /// The outcome of the mode chosen; Apply puts its table in place.
    const vel::ChannelImport& result() const { return result_; }

    QRadioButton* modeButton(vel::ImportMode mode) const;
    QLabel* summaryLabel() const { return summary_; }
    QPlainTextEdit* reportView() const { return report_; }
    QPushButton* applyButton() const { return apply_; }

private:
    void refresh();

    vel::Lang lang_;
    Import import_;
    vel::ImportMode mode_ = vel::ImportMode::Replace;
    vel::ChannelImport result_;
    QLabel* form_ = nullptr;
    QRadioButton* replace_ = nullptr;
    QRadioButton* merge_ = nullptr;
    QRadioButton* append_ = nullptr;
    QLabel* summary_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    QPushButton* apply_ = nullptr;
};

}  // namespace velui
