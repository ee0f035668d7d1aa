#include "settings/ui/up_down_edit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace velui {

CUpDownEdit::CUpDownEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(false);
    setKeyboardTracking(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

void CUpDownEdit::setRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
    position_ = clamp(position_);
}

int CUpDownEdit::clamp(int position) const {
    return std::clamp(position, std::min(lower_, upper_), std::max(lower_, upper_));
}

void CUpDownEdit::setPosition(int position) { position_ = clamp(position); }

QString CUpDownEdit::text() const { return lineEdit()->text(); }

void CUpDownEdit::setText(const QString& text) {
    if (lineEdit()->text() != text) lineEdit()->setText(text);
}

void CUpDownEdit::setMaxLength(int length) { lineEdit()->setMaxLength(length); }

void CUpDownEdit::stepBy(int steps) {
    // Each arrow press is one step, however the spin box counts it.
    const int direction = steps > 0 ? 1 : -1;
    // The upper arrow moves the position toward the range's upper end.
    const int step = lower_ <= upper_ ? direction : -direction;
    for (int i = 0; i < std::abs(steps); ++i) {
        emit deltaPos(step);
        const int moved = clamp(position_ + step);
        if (moved != position_) {
            position_ = moved;
            emit positionChanged(position_);
        }
    }
}

QAbstractSpinBox::StepEnabled CUpDownEdit::stepEnabled() const {
    // The dialogs wrap or hold their values themselves: both arrows always work.
    if (isReadOnly()) return StepNone;
    return StepUpEnabled | StepDownEnabled;
}

void CUpDownEdit::keyPressEvent(QKeyEvent* event) {
    // Only the arrow keys step; Page Up and Page Down belong to the dialog.
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        event->ignore();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

}  // namespace velui
