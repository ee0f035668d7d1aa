#include "settings/ui/control_widgets.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QValidator>

#include "settings/optional_features.h"
#include "settings/ui/up_down_edit.h"

namespace velui {
namespace {

// Upper-case edit boxes: whatever is typed or pasted shows in capitals. With
// `lettersAndDigitsOnly` any other character is refused as well.
class UpperCaseValidator : public QValidator {
public:
    UpperCaseValidator(bool lettersAndDigitsOnly, QObject* parent)
        : QValidator(parent), lettersAndDigitsOnly_(lettersAndDigitsOnly) {}

    State validate(QString& input, int&) const override {
        input = input.toUpper();
        if (lettersAndDigitsOnly_) {
            for (const QChar c : input) {
                const bool ok = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z');
                if (!ok) return Invalid;
            }
        }
        return Acceptable;
    }

private:
    bool lettersAndDigitsOnly_;
};

QString TimeoutText(int position) { return QString::fromStdString(vel::TimeoutText(position)); }

}  // namespace

void MakeTimeoutBox(CUpDownEdit* box, int maxLength) {
    box->setRange(0, 40);
    box->setMaxLength(maxLength);
    box->setAlignment(Qt::AlignRight);
    QObject::connect(box, &CUpDownEdit::positionChanged, box, [box](int position) { box->setText(TimeoutText(position)); });
    QObject::connect(box->edit(), &QLineEdit::textEdited, box, [box](const QString& text) {
        if (const auto position = vel::TimeoutPositionFromText(text.toStdString())) box->setPosition(*position);
    });
    QObject::connect(box, &QAbstractSpinBox::editingFinished, box, [box] { SettleTimeoutText(box); });
}

void SettleTimeoutText(CUpDownEdit* box) {
    if (const auto position = vel::TimeoutPositionFromText(box->text().toStdString())) box->setPosition(*position);
    box->setText(TimeoutText(box->position()));
}

QValidator* NewEditValidator(const vel::ControlInfo& info, QObject* parent) {
    switch (info.chars) {
        case vel::EditChars::Digits:
            return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), parent);
        case vel::EditChars::LettersAndDigits:
            if (info.upperCase) return new UpperCaseValidator(true, parent);
            return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Za-z]*")), parent);
        case vel::EditChars::Any:
            break;
    }
    return info.upperCase ? new UpperCaseValidator(false, parent) : nullptr;
}

}  // namespace velui
