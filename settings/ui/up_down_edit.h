#pragma once
// CUpDownEdit: an edit box with an up-down control attached, as the settings
// and signalling dialogs use it. The up-down keeps a position of its own in
// its range but never writes into the box: the dialog writes every text. The
// arrows (buttons, the Up and Down keys, the mouse wheel) report each step
// twice:
//  - deltaPos(step) before the position moves: +1 for the upper arrow, -1 for
//    the lower one; a range whose lower end is the larger number reverses
//    them (as an up-down with its default range 100..0 does);
//  - positionChanged(position) after the position moved (it stays put at the
//    ends of the range, and then nothing is reported).

#include <QAbstractSpinBox>

class QLineEdit;

namespace velui {

class CUpDownEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit CUpDownEdit(QWidget* parent = nullptr);

    /// Range of the position; `lower` may be larger than `upper`.
    void setRange(int lower, int upper);
    int lower() const { return lower_; }
    int upper() const { return upper_; }

    int position() const { return position_; }
    /// Moves the position (held inside the range) without reporting it.
    void setPosition(int position);

    QString text() const;
    void setText(const QString& text);
    void setMaxLength(int length);
    /// The edit box inside.
    QLineEdit* edit() const { return lineEdit(); }

    void stepBy(int steps) override;

signals:
    void deltaPos(int step);
    void positionChanged(int position);

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int clamp(int position) const;

    int lower_ = 0;
    int upper_ = 100;
    int position_ = 0;
};

}  // namespace velui
