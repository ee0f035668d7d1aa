#include "two_tone_dlg.h"  // by its own name: the translation scan needs the class to find its texts

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "settings/ui/up_down_edit.h"
#include "signalling/two_tone.h"
#include "signalling/ui/two_tone_encode_page.h"

namespace velui {
namespace {

// Ranges of the decode-set up-downs (tenths of a hertz, tenths of a second).
constexpr int kToneLower = 2884;
constexpr int kToneUpper = 31060;
struct TimeRange {
    int lower, upper;
};
constexpr std::array<TimeRange, 4> kTimeRanges{{{5, 100}, {0, 100}, {0, 20}, {5, 100}}};
constexpr int kToneTextLength = 6;
constexpr int kTimeTextLength = 4;

// Tab captions follow the interface language, not the translator.
QString EncodeCaption(vel::Lang lang) { return lang == vel::Lang::English ? QStringLiteral("Encode") : QStringLiteral("编码"); }
QString DecodeCaption(vel::Lang lang) { return lang == vel::Lang::English ? QStringLiteral("Decode") : QStringLiteral("解码"); }
QString SetCaption(vel::Lang lang, int set) {
    return (lang == vel::Lang::English ? QStringLiteral("2Tone %1") : QStringLiteral("两音 %1")).arg(set);
}

CUpDownEdit* NewUpDown(QWidget* parent, int lower, int upper, int maxLength) {
    auto* box = new CUpDownEdit(parent);
    box->setRange(lower, upper);
    box->setMaxLength(maxLength);
    box->setAlignment(Qt::AlignRight);
    box->setMinimumWidth(90);
    return box;
}

}  // namespace

// ---------------------------------------------------------------------------
// CTwoToneSetPage
// ---------------------------------------------------------------------------

CTwoToneSetPage::CTwoToneSetPage(vel::Image& image, int set, QWidget* parent) : CTwoTonePage(image, parent), set_(set) {
    aTone_ = NewUpDown(this, kToneLower, kToneUpper, kToneTextLength);
    bTone_ = NewUpDown(this, kToneLower, kToneUpper, kToneTextLength);
    for (std::size_t i = 0; i < times_.size(); ++i)
        times_[i] = NewUpDown(this, kTimeRanges[i].lower, kTimeRanges[i].upper, kTimeTextLength);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setVerticalSpacing(10);
    form->addRow(tr("A Tone(HZ)"), aTone_);
    form->addRow(tr("B Tone(HZ)"), bTone_);
    form->addRow(tr("The first delay time(s)"), times_[0]);
    form->addRow(tr("The second delay time(s)"), times_[1]);
    form->addRow(tr("Interval time(s)"), times_[2]);
    form->addRow(tr("Long tone delay time(s)"), times_[3]);

    auto* centre = new QHBoxLayout;
    centre->addStretch(1);
    centre->addLayout(form);
    centre->addStretch(1);
    auto* outer = new QVBoxLayout(this);
    outer->addSpacing(12);
    outer->addLayout(centre);
    outer->addStretch(1);

    // Tone up-downs step 0.1 Hz and wrap through "0.0" (no tone).
    for (CUpDownEdit* tone : {aTone_, bTone_}) {
        connect(tone, &CUpDownEdit::deltaPos, this, [tone](int step) {
            tone->setText(QString::fromStdString(vel::StepDecodeTone(tone->text().toStdString(), step == 1)));
        });
    }
    // Time up-downs show their position in tenths of a second.
    for (CUpDownEdit* time : times_) {
        connect(time, &CUpDownEdit::positionChanged, this,
                [time](int position) { time->setText(QString::fromStdString(vel::TimeText(position))); });
    }
}

CTwoToneSetPage::~CTwoToneSetPage() { closePage(); }

void CTwoToneSetPage::load() {
    const vel::DecodeSetPage page = vel::LoadDecodeSet(image_, set_);
    aTone_->setPosition(page.aPosition);
    aTone_->setText(QString::fromStdString(page.aTone));
    bTone_->setPosition(page.bPosition);
    bTone_->setText(QString::fromStdString(page.bTone));
    for (std::size_t i = 0; i < times_.size(); ++i) {
        times_[i]->setPosition(page.timePositions[i]);
        times_[i]->setText(QString::fromStdString(page.times[i]));
    }
}

void CTwoToneSetPage::store() {
    // Tones outside 288.5-3106.0 Hz and times beyond their bytes are held at
    // the nearest value that fits instead of wrapping.
    vel::DecodeSetPage page;
    page.aTone = aTone_->text().toStdString();
    page.bTone = bTone_->text().toStdString();
    for (std::size_t i = 0; i < times_.size(); ++i) page.times[i] = times_[i]->text().toStdString();
    vel::StoreDecodeSet(page, set_, image_);
}

// ---------------------------------------------------------------------------
// CTwoToneDecodeDlg
// ---------------------------------------------------------------------------

CTwoToneDecodeDlg::CTwoToneDecodeDlg(vel::Image& image, vel::Lang lang, QWidget* parent) : QWidget(parent) {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("decodeSetTabs"));
    for (int set = 1; set <= vel::kDecodeSetCount; ++set) {
        auto* page = new CTwoToneSetPage(image, set, tabs_);
        pages_[static_cast<std::size_t>(set - 1)] = page;
        tabs_->addTab(page, SetCaption(lang, set));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(tabs_);

    // Set 1 is shown from the start, even while the container is hidden.
    tabs_->setCurrentIndex(0);
    selectSet(0);
    connect(tabs_, &QTabWidget::currentChanged, this, &CTwoToneDecodeDlg::selectSet);
}

CTwoToneDecodeDlg::~CTwoToneDecodeDlg() { closePages(); }

void CTwoToneDecodeDlg::selectSet(int index) {
    // The page that was shown stores before the chosen one loads.
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (static_cast<int>(i) != index) pages_[i]->hidePage();
    if (index >= 0 && index < static_cast<int>(pages_.size())) pages_[static_cast<std::size_t>(index)]->showPage();
}

void CTwoToneDecodeDlg::closePages() {
    for (CTwoToneSetPage* page : pages_) page->closePage();
}

// ---------------------------------------------------------------------------
// CTwoToneDlg
// ---------------------------------------------------------------------------

CTwoToneDlg::CTwoToneDlg(vel::Image& image, vel::Lang lang, bool englishLanguageBase, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Tow Tone"));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("twoToneTabs"));
    encode_ = new CTwoToneEncodePage(image, lang, englishLanguageBase, tabs_);
    decode_ = new CTwoToneDecodeDlg(image, lang, tabs_);
    tabs_->addTab(encode_, EncodeCaption(lang));
    tabs_->addTab(decode_, DecodeCaption(lang));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);

    tabs_->setCurrentIndex(0);
    encode_->showPage();
    connect(tabs_, &QTabWidget::currentChanged, this, &CTwoToneDlg::selectTab);
}

CTwoToneDlg::~CTwoToneDlg() {
    encode_->closePage();
    decode_->closePages();
}

void CTwoToneDlg::selectTab(int index) {
    // Showing or hiding the Decode container leaves its pages alone.
    if (index == 0)
        encode_->showPage();
    else
        encode_->hidePage();
}

void CTwoToneDlg::done(int result) {
    encode_->closePage();
    decode_->closePages();
    QDialog::done(result);
}

}  // namespace velui
