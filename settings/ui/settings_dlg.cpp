#include "settings_dlg.h"  // by its own name: the translation scan needs the class to find its texts

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/control_table.h"
#include "settings/optional_features.h"
#include "settings/ui/control_widgets.h"
#include "settings/ui/dialog_message.h"
#include "settings/ui/optional_features_dlg.h"
#include "settings/ui/up_down_edit.h"

namespace velui {
namespace {

QString Tr(const char* text) { return QCoreApplication::translate("velui::CSettingsDlg", text); }

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CSettingsDlg::CSettingsDlg(const vel::SettingsDialogModel& model, const SettingsDlgLayout& layout, vel::Image& image,
                           vel::Lang lang, QWidget* parent)
    : QDialog(parent), model_(model), image_(image), lang_(lang) {
    setWindowTitle(Tr(layout.caption));
    auto* grid = new QGridLayout;
    for (const SettingsDlgGroup& g : layout.groups) {
        auto* box = new QGroupBox(Tr(g.title), this);
        auto* form = new QFormLayout;
        form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
        bool anyShown = false;
        for (const SettingsDlgControl& c : g.controls) {
            const auto info = std::find_if(model_.controls.begin(), model_.controls.end(),
                                           [&](const vel::ControlInfo& i) { return i.id == c.id; });
            if (info == model_.controls.end()) continue;
            QWidget* widget = buildControl(*info, c.label, box);
            if (info->kind == vel::ControlKind::Check)
                form->addRow(QString(), widget);
            else
                form->addRow(Tr(c.label), widget);
            if (info->hidden) form->setRowVisible(widget, false);
            anyShown = anyShown || !info->hidden;
        }
        box->setLayout(form);
        grid->addWidget(box, g.row, g.column);
        // A group that shows nothing is never shown; its controls still
        // hold what the dialog opened with.
        if (!anyShown) box->setVisible(false);
    }

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(Tr(QT_TRANSLATE_NOOP("velui::CSettingsDlg", "OK")), QDialogButtonBox::AcceptRole);
    cancel_ = buttons->addButton(Tr(QT_TRANSLATE_NOOP("velui::CSettingsDlg", "Cancel")), QDialogButtonBox::RejectRole);
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSettingsDlg::reject);

    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addWidget(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);
    load();
}

QWidget* CSettingsDlg::buildControl(const vel::ControlInfo& info, const char* label, QWidget* parent) {
    QWidget* widget = nullptr;
    switch (info.kind) {
        case vel::ControlKind::List: {
            auto* list = new QComboBox(parent);
            for (const vel::Text& item : info.items) list->addItem(Q(item.in(lang_)));
            list->setMaxVisibleItems(16);
            widget = list;
            break;
        }
        case vel::ControlKind::Check:
            widget = new QCheckBox(Tr(label), parent);
            break;
        case vel::ControlKind::Edit:
            if (info.upDownId != 0) {
                auto* box = new CUpDownEdit(parent);
                MakeTimeoutBox(box, info.maxLength);
                widget = box;
            } else {
                auto* box = new QLineEdit(parent);
                if (info.maxLength > 0) box->setMaxLength(info.maxLength);
                if (QValidator* v = NewEditValidator(info, box)) box->setValidator(v);
                // A box of letters and digits takes only their keys (and
                // the keys that move through and close the dialog).
                if (info.chars == vel::EditChars::LettersAndDigits) box->installEventFilter(this);
                widget = box;
            }
            break;
    }
    widget->setObjectName(QStringLiteral("control%1").arg(info.id));
    widgets_[info.id] = widget;
    return widget;
}

QWidget* CSettingsDlg::control(int id) const {
    const auto it = widgets_.find(id);
    return it == widgets_.end() ? nullptr : it->second;
}

void CSettingsDlg::load() {
    opened_ = model_.show(image_, lang_);
    for (const vel::ControlInfo& info : model_.controls) {
        QWidget* widget = control(info.id);
        if (!widget) continue;
        const std::string& text = opened_[info.id];
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            int index = -1;
            vel::ListItemIndex(info, lang_, text, index);
            list->setCurrentIndex(index);
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            check->setChecked(text == "1");
        } else if (auto* upDown = qobject_cast<CUpDownEdit*>(widget)) {
            upDown->setPosition(vel::TimeoutPositionFromText(text).value_or(0));
            upDown->setText(Q(text));
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            box->setText(Q(text));
        }
    }
}

std::string CSettingsDlg::textOf(const vel::ControlInfo& info) const {
    QWidget* widget = control(info.id);
    if (auto* list = qobject_cast<QComboBox*>(widget)) return vel::ListItemText(info, list->currentIndex(), lang_);
    if (auto* check = qobject_cast<QCheckBox*>(widget)) return vel::CheckText(check->isChecked());
    if (auto* upDown = qobject_cast<CUpDownEdit*>(widget)) return vel::TimeoutText(upDown->position());
    if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text().toStdString();
    return {};
}

vel::ControlTexts CSettingsDlg::texts() const {
    vel::ControlTexts texts;
    for (const vel::ControlInfo& info : model_.controls) texts[info.id] = textOf(info);
    return texts;
}

void CSettingsDlg::accept() {
    for (const auto& [id, widget] : widgets_)
        if (auto* upDown = qobject_cast<CUpDownEdit*>(widget)) SettleTimeoutText(upDown);
    // Only what the user changed: a control left alone keeps what it opened
    // with, as the model keeps every control it is not given.
    vel::ControlTexts changed;
    for (const vel::ControlInfo& info : model_.controls) {
        if (info.hidden) continue;
        const std::string now = textOf(info);
        if (now != opened_[info.id]) changed[info.id] = now;
    }
    if (const auto refused = model_.set(image_, lang_, changed)) {
        ShowDialogMessage(this, Q(*refused));
        return;
    }
    QDialog::accept();
}

bool CSettingsDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched)) {
        if (!IdBoxKeyAllowed(static_cast<QKeyEvent*>(event)->key())) return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace velui
