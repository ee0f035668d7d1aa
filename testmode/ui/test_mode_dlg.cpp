#include "testmode/ui/test_mode_dlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "link/session_texts.h"
#include "shell/ui/message_box.h"
#include "shell/ui/qt_session_host.h"

namespace velui {

namespace {

constexpr int kParentRole = Qt::UserRole;   // 0 top level, 1 under Debug Frequency, 2 under Debug Item
constexpr int kCodeRole = Qt::UserRole + 1; // debug frequency or item code; -1 for Exit Debug

enum NodeKind { kTopLevel = 0, kFrequencyNode = 1, kItemNode = 2 };

QRadioButton* Radio(const std::string& text, const char* name, QWidget* parent) {
    auto* b = new QRadioButton(QString::fromStdString(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLabel* Label(const std::string& text, const char* name, QWidget* parent) {
    auto* l = new QLabel(QString::fromStdString(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

}  // namespace

CTestModeDlg::CTestModeDlg(const vel::Family& family, vel::Lang lang, int baseMHz, QString portName,
                           TestModeLink link, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      family_(family),
      lang_(family.uiLang(lang)),
      portName_(std::move(portName)),
      link_(std::move(link)),
      state_(baseMHz) {
    setObjectName(QStringLiteral("CTestModeDlg"));
    setWindowTitle(text(vel::TestModeDialogTitle(family.id)));
    setModal(true);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("tree"));
    tree_->setHeaderHidden(true);
    tree_->setMinimumWidth(180);
    group1029_ = new QGroupBox(this);
    group1029_->setObjectName(QStringLiteral("group1029"));
    default_ = new QPushButton(text(vel::TestModeDialogLabels(lang_).defaultButton), this);
    default_->setObjectName(QStringLiteral("defaultButton"));
    // No button is the dialog's default: Enter in a frequency edit only
    // takes the frequency. Enter on the Default button runs Default.
    default_->setAutoDefault(false);
    default_->installEventFilter(this);

    buildTree();
    buildPages();

    auto* right = new QVBoxLayout;
    right->addWidget(group1029_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(default_);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tree_);
    layout->addLayout(right, 1);

    // Opening: only the tree and group 1029 show; QT, High and 5.00 kHz are
    // checked; both tone lists hold the QT list at its first entry.
    group1029_->setTitle(text(vel::SessionMessage(vel::SessionText::TestModeChooseFrequency,
                                                  vel::SessionTextSet(family_, lang_))));
    default_->hide();
    showPage(Page::None);
    loading_ = true;
    kindButton(false, vel::ToneKind::QT)->setChecked(true);
    kindButton(true, vel::ToneKind::QT)->setChecked(true);
    stepButton(false, vel::TestStep::KHz500)->setChecked(true);
    stepButton(true, vel::TestStep::KHz500)->setChecked(true);
    chooseButton(vel::kDebugHigh)->setChecked(true);
    fillToneBox(false, vel::ToneKind::QT, 0);
    fillToneBox(true, vel::ToneKind::QT, 0);
    trackBar_->setRange(0, 255);
    trackBar_->setValue(0);
    loading_ = false;

    // Group 1029 is as large as its larger page from the start, so that the
    // dialog does not jump when the tree shows a page.
    const QSize pages = frequencyPage_->sizeHint().expandedTo(parameterPage_->sizeHint());
    group1029_->setMinimumSize(pages + QSize(24, 48));

    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { onTreeSelection(current); });
    connect(default_, &QPushButton::clicked, this, &CTestModeDlg::onDefault);
    connect(start_, &QPushButton::clicked, this, &CTestModeDlg::onStart);
}

CTestModeDlg::~CTestModeDlg() = default;

QString CTestModeDlg::text(const std::string& s) const { return QString::fromStdString(s); }

void CTestModeDlg::buildTree() {
    const vel::TestModeTreeTexts& t = vel::TestModeTreeLabels();
    auto* frequencies = new QTreeWidgetItem(tree_, {text(t.debugFrequency)});
    frequencies->setData(0, kParentRole, kTopLevel);
    frequencies->setData(0, kCodeRole, 0);
    const std::pair<const std::string*, int> freqNodes[] = {
        {&t.highFrequency, vel::kDebugHigh}, {&t.middleFrequency, vel::kDebugMiddle}, {&t.lowFrequency, vel::kDebugLow}};
    for (const auto& [label, code] : freqNodes) {
        auto* n = new QTreeWidgetItem(frequencies, {text(*label)});
        n->setData(0, kParentRole, kFrequencyNode);
        n->setData(0, kCodeRole, code);
    }
    auto* items = new QTreeWidgetItem(tree_, {text(t.debugItem)});
    items->setData(0, kParentRole, kTopLevel);
    items->setData(0, kCodeRole, 0);
    for (const vel::TestModeItem& item : vel::TestModeItems()) {
        auto* n = new QTreeWidgetItem(items, {QString::fromLatin1(item.label)});
        n->setData(0, kParentRole, kItemNode);
        n->setData(0, kCodeRole, item.code);
    }
    auto* exitNode = new QTreeWidgetItem(tree_, {text(t.exitDebug)});
    exitNode->setData(0, kParentRole, kTopLevel);
    exitNode->setData(0, kCodeRole, -1);
    frequencies->setExpanded(true);
    items->setExpanded(false);
}

void CTestModeDlg::buildPages() {
    const vel::TestModeDialogTexts& l = vel::TestModeDialogLabels(lang_);

    // Frequency page: the Receive and Transmit groups.
    frequencyPage_ = new QWidget(group1029_);
    frequencyPage_->setObjectName(QStringLiteral("frequencyPage"));
    auto* freqLayout = new QHBoxLayout(frequencyPage_);
    for (bool transmit : {false, true}) {
        auto* group = new QGroupBox(text(transmit ? l.transmit : l.receive), frequencyPage_);
        group->setObjectName(transmit ? QStringLiteral("transmitGroup") : QStringLiteral("receiveGroup"));
        auto* grid = new QGridLayout(group);
        auto* edit = new QLineEdit(group);
        edit->setObjectName(transmit ? QStringLiteral("txFrequency") : QStringLiteral("rxFrequency"));
        auto* tone = new QComboBox(group);
        tone->setObjectName(transmit ? QStringLiteral("txTone") : QStringLiteral("rxTone"));
        tone->setMaxVisibleItems(16);
        auto* qt = Radio(l.qt, transmit ? "txQT" : "rxQT", group);
        auto* dqt = Radio(l.dqt, transmit ? "txDQT" : "rxDQT", group);
        auto* s500 = Radio(l.step500, transmit ? "txStep500" : "rxStep500", group);
        auto* s625 = Radio(l.step625, transmit ? "txStep625" : "rxStep625", group);
        auto* kinds = new QButtonGroup(group);
        kinds->addButton(qt, static_cast<int>(vel::ToneKind::QT));
        kinds->addButton(dqt, static_cast<int>(vel::ToneKind::DQT));
        auto* steps = new QButtonGroup(group);
        steps->addButton(s500, static_cast<int>(vel::TestStep::KHz500));
        steps->addButton(s625, static_cast<int>(vel::TestStep::KHz625));

        grid->addWidget(Label(l.frequency, transmit ? "txFrequencyLabel" : "rxFrequencyLabel", group), 0, 0);
        grid->addWidget(edit, 0, 1, 1, 2);
        grid->addWidget(Label(l.tone, transmit ? "txToneLabel" : "rxToneLabel", group), 1, 0);
        grid->addWidget(tone, 1, 1, 1, 2);
        grid->addWidget(Label(l.toneMethod, transmit ? "txToneMethodLabel" : "rxToneMethodLabel", group), 2, 0);
        grid->addWidget(qt, 2, 1);
        grid->addWidget(dqt, 2, 2);
        grid->addWidget(Label(l.stepValue, transmit ? "txStepLabel" : "rxStepLabel", group), 3, 0);
        grid->addWidget(s500, 3, 1);
        grid->addWidget(s625, 3, 2);
        freqLayout->addWidget(group);

        (transmit ? txFrequency_ : rxFrequency_) = edit;
        (transmit ? txTone_ : rxTone_) = tone;
        (transmit ? txKind_ : rxKind_) = kinds;
        (transmit ? txStep_ : rxStep_) = steps;

        // Enter rounds the text to the group's step, takes it as the debug
        // frequency's value and moves on; leaving the edit after typing
        // takes it too, so what the edit shows is what Start sends.
        connect(edit, &QLineEdit::textEdited, this, [this, transmit] { (transmit ? txDirty_ : rxDirty_) = true; });
        connect(edit, &QLineEdit::returnPressed, this, [this, transmit] {
            commitFrequency(transmit);
            focusNextChild();
        });
        connect(edit, &QLineEdit::editingFinished, this, [this, transmit] {
            if (transmit ? txDirty_ : rxDirty_) commitFrequency(transmit);
        });
        connect(kinds, &QButtonGroup::idToggled, this, [this, transmit](int id, bool checked) {
            if (loading_ || !checked) return;
            const auto kind = static_cast<vel::ToneKind>(id);
            state_.setToneKind(selectedFrequency_, transmit, kind);
            fillToneBox(transmit, kind, 0);
        });
        connect(steps, &QButtonGroup::idToggled, this, [this, transmit](int id, bool checked) {
            if (loading_ || !checked) return;
            state_.setStep(selectedFrequency_, transmit, static_cast<vel::TestStep>(id));
        });
        connect(tone, &QComboBox::activated, this, [this, transmit](int index) {
            if (!loading_) state_.setToneIndex(selectedFrequency_, transmit, index);
        });
    }

    // Parameter page: the track bar, the debug frequency to send, Start.
    parameterPage_ = new QWidget(group1029_);
    parameterPage_->setObjectName(QStringLiteral("parameterPage"));
    auto* paramLayout = new QVBoxLayout(parameterPage_);
    auto* valueGroup = new QGroupBox(text(l.parameterValue), parameterPage_);
    valueGroup->setObjectName(QStringLiteral("parameterGroup"));
    auto* valueGrid = new QGridLayout(valueGroup);
    trackBar_ = new QSlider(Qt::Horizontal, valueGroup);
    trackBar_->setObjectName(QStringLiteral("trackBar"));
    trackBar_->setTickPosition(QSlider::TicksBelow);
    trackBar_->setTickInterval(16);
    trackBar_->setPageStep(16);
    currentValue_ = Label(l.currentValue, "currentValue", valueGroup);
    valueGrid->addWidget(trackBar_, 0, 0, 1, 3);
    valueGrid->addWidget(Label(l.min, "minLabel", valueGroup), 1, 0, Qt::AlignLeft);
    valueGrid->addWidget(currentValue_, 1, 1, Qt::AlignHCenter);
    valueGrid->addWidget(Label(l.max, "maxLabel", valueGroup), 1, 2, Qt::AlignRight);
    paramLayout->addWidget(valueGroup);

    auto* chooseGroup = new QGroupBox(text(l.chooseDebugFrequency), parameterPage_);
    chooseGroup->setObjectName(QStringLiteral("chooseGroup"));
    auto* chooseLayout = new QHBoxLayout(chooseGroup);
    choose_ = new QButtonGroup(chooseGroup);
    const std::tuple<const std::string*, const char*, int> chooseButtons[] = {
        {&l.high, "chooseHigh", vel::kDebugHigh}, {&l.middle, "chooseMiddle", vel::kDebugMiddle},
        {&l.low, "chooseLow", vel::kDebugLow}};
    for (const auto& [label, name, code] : chooseButtons) {
        QRadioButton* b = Radio(*label, name, chooseGroup);
        choose_->addButton(b, code);
        chooseLayout->addWidget(b);
    }
    paramLayout->addWidget(chooseGroup);
    start_ = new QPushButton(text(l.start), parameterPage_);
    start_->setObjectName(QStringLiteral("startButton"));
    start_->setAutoDefault(false);
    auto* startRow = new QHBoxLayout;
    startRow->addStretch(1);
    startRow->addWidget(start_);
    paramLayout->addLayout(startRow);
    paramLayout->addStretch(1);

    connect(trackBar_, &QSlider::valueChanged, this, [this](int value) {
        if (loading_) return;
        state_.setItemValue(selectedItem_, value);
        showItemValue(value);
    });

    auto* pages = new QVBoxLayout(group1029_);
    pages->addWidget(frequencyPage_);
    pages->addWidget(parameterPage_);
    pages->addStretch(1);
}

bool CTestModeDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == default_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            default_->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QTreeWidgetItem* CTestModeDlg::node(const QString& label) const {
    const QList<QTreeWidgetItem*> found = tree_->findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

void CTestModeDlg::selectNode(const QString& label) {
    if (QTreeWidgetItem* n = node(label)) tree_->setCurrentItem(n);
}

QRadioButton* CTestModeDlg::kindButton(bool transmit, vel::ToneKind kind) const {
    return static_cast<QRadioButton*>((transmit ? txKind_ : rxKind_)->button(static_cast<int>(kind)));
}

QRadioButton* CTestModeDlg::stepButton(bool transmit, vel::TestStep step) const {
    return static_cast<QRadioButton*>((transmit ? txStep_ : rxStep_)->button(static_cast<int>(step)));
}

QRadioButton* CTestModeDlg::chooseButton(int code) const { return static_cast<QRadioButton*>(choose_->button(code)); }

int CTestModeDlg::chosenFrequency() const {
    const int id = choose_->checkedId();
    return id >= vel::kDebugHigh && id <= vel::kDebugLow ? id : vel::kDebugHigh;
}

void CTestModeDlg::onTreeSelection(QTreeWidgetItem* current) {
    if (!current) return;
    const int kind = current->data(0, kParentRole).toInt();
    const int code = current->data(0, kCodeRole).toInt();
    if (kind != kTopLevel) {
        if (firstSelectionPending_) {
            firstSelectionPending_ = false;
            default_->show();
        }
        showPage(kind == kFrequencyNode ? Page::Frequency : Page::Parameter);
    }
    if (kind == kFrequencyNode) {
        // Typed text not yet taken belongs to the debug frequency shown so far.
        if (rxDirty_) commitFrequency(false);
        if (txDirty_) commitFrequency(true);
        group1029_->setTitle(text(vel::DebugFrequencyCaption(code)));
        selectedFrequency_ = code;
        showFrequency(code);
    } else if (kind == kItemNode) {
        selectedItem_ = code;
        loading_ = true;
        trackBar_->setValue(state_.itemValue(code));
        loading_ = false;
        showItemValue(state_.itemValue(code));
    } else if (code == -1) {
        accept();
    }
}

void CTestModeDlg::showPage(Page page) {
    page_ = page;
    frequencyPage_->setVisible(page == Page::Frequency);
    parameterPage_->setVisible(page == Page::Parameter);
}

void CTestModeDlg::showFrequency(int code) {
    const vel::DebugFrequency& f = state_.frequency(code);
    loading_ = true;
    rxFrequency_->setText(text(vel::TestFrequencyText(f.rxUnits)));
    txFrequency_->setText(text(vel::TestFrequencyText(f.txUnits)));
    rxDirty_ = txDirty_ = false;
    kindButton(false, f.rxKind)->setChecked(true);
    kindButton(true, f.txKind)->setChecked(true);
    stepButton(false, f.rxStep)->setChecked(true);
    stepButton(true, f.txStep)->setChecked(true);
    loading_ = false;
    fillToneBox(false, f.rxKind, f.rxToneIndex);
    fillToneBox(true, f.txKind, f.txToneIndex);
}

void CTestModeDlg::fillToneBox(bool transmit, vel::ToneKind kind, int index) {
    QComboBox* box = toneBox(transmit);
    const bool wasLoading = loading_;
    loading_ = true;
    box->clear();
    for (const std::string& tone : vel::TestModeToneList(kind)) box->addItem(text(tone));
    box->setCurrentIndex(index);
    loading_ = wasLoading;
}

void CTestModeDlg::showItemValue(int value) {
    const std::string& prefix =
        vel::SessionMessage(vel::SessionText::TestModeCurrentPosition, vel::SessionTextSet(family_, lang_));
    currentValue_->setText(text(prefix) + QString::number(value));
}

void CTestModeDlg::commitFrequency(bool transmit) {
    QLineEdit* edit = frequencyEdit(transmit);
    const std::int64_t units = state_.enterFrequency(selectedFrequency_, transmit, edit->text().toStdString());
    edit->setText(text(vel::TestFrequencyText(units)));
    (transmit ? txDirty_ : rxDirty_) = false;
}

void CTestModeDlg::onDefault() {
    switch (page_) {
        case Page::Parameter: {
            state_.resetItem(selectedItem_);
            const int value = state_.itemValue(selectedItem_);
            loading_ = true;
            trackBar_->setValue(value);
            loading_ = false;
            showItemValue(value);
            break;
        }
        case Page::Frequency:
            state_.resetFrequency(selectedFrequency_);
            showFrequency(selectedFrequency_);
            break;
        case Page::None:
            ShowMessage(this, QMessageBox::Information, link_.messageTitle,
                        text(vel::SessionMessage(vel::SessionText::TestModeNoVisibleInfo,
                                                 vel::SessionTextSet(family_, lang_))));
            break;
    }
}

void CTestModeDlg::onStart() {
    if (!link_.makePort || !link_.clock) return;
    const vel::TestModeRequest request = state_.request(selectedItem_, chosenFrequency());
    std::unique_ptr<vel::SerialPort> port = link_.makePort();
    QtMessageHost host(this, link_.messageTitle);
    lastOutcome_ = vel::RunTestModeExchange(family_, lang_, *port, *link_.clock, host, portName_.toStdString(), request);
    port->close();   // closed on every way out already; never left open
}

}  // namespace velui
