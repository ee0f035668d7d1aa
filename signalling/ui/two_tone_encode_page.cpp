#include "two_tone_encode_page.h"  // by its own name: the translation scan needs the class to find its texts

#include <QCheckBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include "settings/ui/dialog_message.h"
#include "settings/ui/up_down_edit.h"
#include "signalling/integer_field.h"
#include "table/edit_rules.h"
#include "table/ui/cmsflexgrid.h"

namespace velui {
namespace {

constexpr int kGridRows = vel::kEncodeEntryCount + 1;
constexpr int kGridCols = 3;
// Width every column has as the page lays the grid out; the page then sizes
// the number column to 0.65 and the tone columns to 1.45 of it.
constexpr long kTemplateColWidth = 1300;
constexpr int kCentreCentre = 4;

constexpr int kDelayTextLength = 4;
constexpr int kToneIntervalMin = 0;
constexpr int kToneIntervalMax = 2000;
constexpr int kRiseDelayMin = 100;
constexpr int kRiseDelayMax = 1000;

CUpDownEdit* NewUpDown(QWidget* parent, int lower, int upper, int maxLength) {
    auto* box = new CUpDownEdit(parent);
    box->setRange(lower, upper);
    if (maxLength > 0) box->setMaxLength(maxLength);
    box->setAlignment(Qt::AlignRight);
    box->setMinimumWidth(90);
    return box;
}

bool IsEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

QString CTwoToneEncodePage::PleaseInputNumberText(bool englishLanguageBase) {
    return englishLanguageBase ? QStringLiteral("Please input Number") : QStringLiteral("请输入数据!");
}

CTwoToneEncodePage::CTwoToneEncodePage(vel::Image& image, vel::Lang lang, bool englishLanguageBase, QWidget* parent)
    : CTwoTonePage(image, parent), englishLanguageBase_(englishLanguageBase) {
    buildControls(lang);
}

CTwoToneEncodePage::~CTwoToneEncodePage() { closePage(); }

void CTwoToneEncodePage::buildControls(vel::Lang lang) {
    grid_ = new CMSFlexGrid(this);
    grid_->setObjectName(QStringLiteral("encodeGrid"));
    grid_->installEventFilter(this);

    // The cell editor lies over the current cell, hidden while nobody edits.
    editor_ = new QLineEdit(grid_->editorParent());
    editor_->setObjectName(QString::number(kCellEditorId));
    editor_->setAlignment(Qt::AlignCenter);
    editor_->hide();
    editor_->installEventFilter(this);

    firstDelay_ = NewUpDown(this, 0, 95, kDelayTextLength);
    secondDelay_ = NewUpDown(this, 0, 95, kDelayTextLength);
    longDelay_ = NewUpDown(this, 0, 100, kDelayTextLength);
    toneInterval_ = NewUpDown(this, kToneIntervalMin, kToneIntervalMax, 0);
    // The rise delay's up-down keeps the default range, 100 down to 0: its
    // upper arrow reports -1, which raises the delay.
    riseDelay_ = NewUpDown(this, 100, 0, 0);
    shortKill_ = new QCheckBox(tr("Short kill tone"), this);

    layOutGrid(lang);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setVerticalSpacing(10);
    form->addRow(tr("The first delay time(s)"), firstDelay_);
    form->addRow(tr("The second delay time(s)"), secondDelay_);
    form->addRow(tr("Long tone delay time(s)"), longDelay_);
    form->addRow(tr("Tone interval time(s)"), toneInterval_);
    form->addRow(tr("Tx rise delay time(s)"), riseDelay_);
    form->addRow(QString(), shortKill_);

    auto* side = new QVBoxLayout;
    side->addSpacing(8);
    side->addLayout(form);
    side->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(16);
    layout->addWidget(grid_);
    layout->addLayout(side, 1);

    connect(grid_, &CMSFlexGrid::EnterCell, this, &CTwoToneEncodePage::onEnterCell);
    connect(grid_, &CMSFlexGrid::LeaveCell, this, &CTwoToneEncodePage::onLeaveCell);
    connect(grid_, &CMSFlexGrid::KeyPress, this, &CTwoToneEncodePage::onKeyPress);
    connect(grid_, &CMSFlexGrid::MouseDown, this, &CTwoToneEncodePage::onMouseDown);
    connect(grid_, &CMSFlexGrid::Scroll, this, &CTwoToneEncodePage::onScroll);

    // Delay up-downs: the first and second delay stand 5 below their value.
    connect(firstDelay_, &CUpDownEdit::positionChanged, this,
            [this](int p) { firstDelay_->setText(QString::fromStdString(vel::TimeText(p + 5))); });
    connect(secondDelay_, &CUpDownEdit::positionChanged, this,
            [this](int p) { secondDelay_->setText(QString::fromStdString(vel::TimeText(p + 5))); });
    connect(longDelay_, &CUpDownEdit::positionChanged, this,
            [this](int p) { longDelay_->setText(QString::fromStdString(vel::TimeText(p))); });
    connect(toneInterval_, &CUpDownEdit::deltaPos, this, [this](int step) {
        toneIntervalMs_ = vel::StepToneInterval(IntegerIn(toneInterval_, toneIntervalMs_), step);
        toneInterval_->setText(QString::number(toneIntervalMs_));
    });
    connect(riseDelay_, &CUpDownEdit::deltaPos, this, [this](int step) {
        riseDelayMs_ = vel::StepRiseDelay(IntegerIn(riseDelay_, riseDelayMs_), step);
        riseDelay_->setText(QString::number(riseDelayMs_));
    });
}

void CTwoToneEncodePage::layOutGrid(vel::Lang lang) {
    grid_->SetRows(kGridRows);
    grid_->SetCols(kGridCols);
    grid_->SetFixedRows(1);
    grid_->SetFixedCols(1);
    for (int c = 0; c < kGridCols; ++c) {
        grid_->SetColWidth(c, kTemplateColWidth);
        grid_->SetColAlignment(c, kCentreCentre);
    }
    const long w = grid_->GetColWidth(2);
    grid_->SetColWidth(0, static_cast<long>(0.65 * static_cast<double>(w)));
    grid_->SetColWidth(1, static_cast<long>(1.45 * static_cast<double>(w)));
    grid_->SetColWidth(2, static_cast<long>(1.45 * static_cast<double>(w)));
    for (int r = 1; r < kGridRows; ++r) grid_->SetTextMatrix(r, 0, QString::number(r));
    if (lang == vel::Lang::English) {
        grid_->SetTextMatrix(0, 0, QStringLiteral("Num"));
        grid_->SetTextMatrix(0, 1, QStringLiteral("Tone1 Fre"));
        grid_->SetTextMatrix(0, 2, QStringLiteral("Tone2 Fre"));
    } else {
        // Both tone columns carry the same Chinese header.
        grid_->SetTextMatrix(0, 0, QStringLiteral("序号"));
        grid_->SetTextMatrix(0, 1, QStringLiteral("第一个音频率(HZ)"));
        grid_->SetTextMatrix(0, 2, QStringLiteral("第一个音频率(HZ)"));
    }
    grid_->SetRowHeight(0, 2 * grid_->GetRowHeight(2));

    int width = 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width() + 2;
    for (int c = 0; c < kGridCols; ++c) width += grid_->pixelsX(grid_->GetColWidth(c));
    int height = 2 * grid_->frameWidth();
    for (int r = 0; r <= 14; ++r) height += grid_->pixelsY(grid_->GetRowHeight(r));
    grid_->setFixedWidth(width);
    grid_->setMinimumHeight(height);
}

// ---------------------------------------------------------------------------
// Load and store
// ---------------------------------------------------------------------------

void CTwoToneEncodePage::load() {
    closeEditor();
    const vel::EncodePage page = vel::LoadEncodePage(image_);
    for (int r = 1; r <= vel::kEncodeEntryCount; ++r) showEntry(page.tones, r);

    firstDelay_->setPosition(page.firstDelayPosition);
    secondDelay_->setPosition(page.secondDelayPosition);
    longDelay_->setPosition(page.longDelayPosition);
    firstDelayText_ = QString::fromStdString(page.firstDelay);
    secondDelayText_ = QString::fromStdString(page.secondDelay);
    longDelayText_ = QString::fromStdString(page.longDelay);
    toneIntervalMs_ = page.toneIntervalMs;
    riseDelayMs_ = page.riseDelayMs;
    if (page.shortKillTone) shortKill_->setChecked(*page.shortKillTone);

    firstDelay_->setText(firstDelayText_);
    secondDelay_->setText(secondDelayText_);
    longDelay_->setText(longDelayText_);
    toneInterval_->setText(QString::number(toneIntervalMs_));
    riseDelay_->setText(QString::number(riseDelayMs_));
}

void CTwoToneEncodePage::store() {
    // A tone still in the editor belongs to its cell.
    commitOpenEditor();

    // Boxes to values, in order; an integer box that fails stops the
    // transfer and the rest keep their previous values.
    firstDelayText_ = firstDelay_->text();
    secondDelayText_ = secondDelay_->text();
    longDelayText_ = longDelay_->text();
    auto transfer = [this](const CUpDownEdit* box, int lo, int hi, int& member) {
        const vel::IntegerField field = vel::ReadIntegerField(box->text().toStdString(), lo, hi);
        switch (field.status) {
            case vel::IntegerFieldStatus::Ok:
                member = field.value;
                return true;
            case vel::IntegerFieldStatus::NotInteger:
                ShowDialogMessage(this, tr("Please enter an integer."));
                return false;
            case vel::IntegerFieldStatus::OutOfRange:
                ShowDialogMessage(this, tr("Please enter an integer between %1 and %2.").arg(lo).arg(hi));
                return false;
        }
        return false;
    };
    if (transfer(toneInterval_, kToneIntervalMin, kToneIntervalMax, toneIntervalMs_))
        transfer(riseDelay_, kRiseDelayMin, kRiseDelayMax, riseDelayMs_);

    vel::EncodePage page;
    page.tones = tonesFromGrid();
    page.firstDelay = firstDelayText_.toStdString();
    page.secondDelay = secondDelayText_.toStdString();
    page.longDelay = longDelayText_.toStdString();
    page.toneIntervalMs = toneIntervalMs_;
    page.riseDelayMs = riseDelayMs_;
    page.shortKillTone = shortKill_->isChecked();
    vel::StoreEncodePage(page, image_);
}

int CTwoToneEncodePage::IntegerIn(const CUpDownEdit* box, int fallback) {
    const vel::IntegerField field = vel::ReadIntegerField(box->text().toStdString(), -1000000, 1000000);
    return field.status == vel::IntegerFieldStatus::Ok ? field.value : fallback;
}

vel::EncodeTones CTwoToneEncodePage::tonesFromGrid() const {
    vel::EncodeTones tones;
    for (int r = 1; r <= vel::kEncodeEntryCount; ++r)
        for (int k = 1; k <= 2; ++k)
            tones[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(k - 1)] =
                grid_->GetTextMatrix(r, k).toStdString();
    return tones;
}

void CTwoToneEncodePage::showEntry(const vel::EncodeTones& tones, int row) {
    const auto& entry = tones.at(static_cast<std::size_t>(row - 1));
    grid_->SetTextMatrix(row, 1, QString::fromStdString(entry[0]));
    grid_->SetTextMatrix(row, 2, QString::fromStdString(entry[1]));
}

// ---------------------------------------------------------------------------
// Cell editing
// ---------------------------------------------------------------------------

bool CTwoToneEncodePage::placeEditor(bool scrollIntoView) {
    long left = 0;
    long top = 0;
    if (scrollIntoView) {
        left = grid_->GetCellLeft();
        top = grid_->GetCellTop();
    } else {
        const QRect cell = grid_->cellRect(grid_->GetRow(), grid_->GetCol());
        if (cell.isEmpty()) return false;
        left = grid_->twipsX(cell.x());
        top = grid_->twipsY(cell.y());
    }
    const vel::EditorRect r = vel::PlaceEditor(left, top, grid_->GetCellWidth(), grid_->GetCellHeight(),
                                               grid_->logicalDpiX(), grid_->logicalDpiY(), false);
    editor_->setGeometry(r.left, r.top, r.width, r.height);
    return true;
}

void CTwoToneEncodePage::closeEditor() {
    editing_ = false;
    refocusEditor_ = false;
    editor_->hide();
}

void CTwoToneEncodePage::openEditor(int key) {
    const int row = grid_->GetRow();
    const int col = grid_->GetCol();
    if (row == 0 || col == 0) return;
    const bool typed = key >= 32;
    const QString cellText = grid_->GetTextMatrix(row, col);
    // The editor starts from its own cell's text, never from what it held
    // for another cell.
    QString text = cellText;
    if (typed) {
        const QChar c(static_cast<char16_t>(key));
        if (c >= u'0' && c <= u'9')
            text += c;
        else
            ShowDialogMessage(this, PleaseInputNumberText(englishLanguageBase_));
    }
    placeEditor(true);
    if (!cellText.isEmpty() && typed)
        editor_->setText(QString(QChar(static_cast<char16_t>(key))));
    else
        editor_->setText(text);
    if (typed)
        editor_->setCursorPosition(static_cast<int>(editor_->text().size()));
    else
        editor_->selectAll();
    editing_ = true;
    editor_->show();
    editor_->raise();
    editor_->setFocus(Qt::OtherFocusReason);
    grid_->Refresh();
}

void CTwoToneEncodePage::commit(vel::EncodeCommitKey key) {
    const int row = grid_->GetRow();
    const int col = grid_->GetCol();
    if (row < 1 || row > vel::kEncodeEntryCount || col < 1 || col > 2) {
        closeEditor();
        return;
    }
    vel::EncodeTones tones = tonesFromGrid();
    const vel::EncodeCellMove move = vel::CommitEncodeCell(tones, row, col, editor_->text().toStdString(), key);
    showEntry(tones, row);
    closeEditor();
    grid_->SetRow(move.row);
    grid_->SetCol(move.col);
    if (move.reopen) openEditor(13);
}

void CTwoToneEncodePage::commitOpenEditor() {
    if (!editing_) return;
    const int row = grid_->GetRow();
    const int col = grid_->GetCol();
    if (row >= 1 && row <= vel::kEncodeEntryCount && col >= 1 && col <= 2) {
        vel::EncodeTones tones = tonesFromGrid();
        vel::CommitEncodeCell(tones, row, col, editor_->text().toStdString(), vel::EncodeCommitKey::LeaveCell);
        showEntry(tones, row);
    }
    closeEditor();
}

void CTwoToneEncodePage::onEnterCell() {
    const int row = grid_->GetRow();
    const int col = grid_->GetCol();
    if (row == 0 || col == 0) return;
    editor_->setText(grid_->GetTextMatrix(row, col));
    // An editor that is open belongs to the current cell: it follows it.
    if (editing_) {
        editor_->setVisible(placeEditor(false));
        editor_->selectAll();
    }
}

void CTwoToneEncodePage::onLeaveCell() {
    if (editing_) commit(vel::EncodeCommitKey::LeaveCell);
}

void CTwoToneEncodePage::onKeyPress(int& keyAscii) {
    const int row = grid_->GetRow();
    const int col = grid_->GetCol();
    if (row == 0 || col == 0 || col >= grid_->GetCols()) return;
    // Backspace, Escape and other control characters do not start editing:
    // they would stand in the editor as invisible text.
    if (!vel::KeyBeginsEditing(static_cast<vel::EditKey>(keyAscii))) return;
    const int key = keyAscii;
    keyAscii = 0;
    openEditor(key);
}

void CTwoToneEncodePage::onMouseDown(short button, short, int, int) {
    if (button == 2) return;
    if (grid_->GetRow() == 0 || grid_->GetCol() == 0) return;
    openEditor(0);
}

void CTwoToneEncodePage::onScroll() {
    if (!editing_) return;
    // The editor goes out of sight with its cell and comes back with it,
    // taking the keyboard back if it had it.
    if (placeEditor(false)) {
        if (editor_->isHidden()) {
            editor_->show();
            if (refocusEditor_) editor_->setFocus(Qt::OtherFocusReason);
        }
    } else if (editor_->isVisible()) {
        refocusEditor_ = editor_->hasFocus();
        editor_->hide();
    }
}

bool CTwoToneEncodePage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && IsEnterKey(event)) {
        commit(vel::EncodeCommitKey::Enter);
        return true;
    }
    if (watched == grid_ && IsEnterKey(event)) {
        // Enter on the grid itself: Tab in the Tone 2 column, else Right.
        const bool tab = grid_->GetCol() == 2;
        QKeyEvent key(QEvent::KeyPress, tab ? Qt::Key_Tab : Qt::Key_Right, Qt::NoModifier);
        QCoreApplication::sendEvent(grid_, &key);
        return true;
    }
    return CTwoTonePage::eventFilter(watched, event);
}

}  // namespace velui
