#include "table/ui/vel_view.h"

#include <QFontMetrics>

#include <QAbstractItemView>
#include <QAction>
#include <QChildEvent>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>
#include <map>
#include <optional>

#include "image/encodings.h"
#include "shell/ui/message_box.h"
#include "table/edit_rules.h"
#include "table/row_operations.h"
#include "table/ui/cmsflexgrid.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

/// Windows virtual key code of a Qt key event, as far as the name editor's
/// filter needs it: digits, letters, keypad digits, minus and the keys at or
/// below the space bar. Every other key maps above 0x20.
int VirtualKeyOf(const QKeyEvent* e) {
  const int k = e->key();
  const bool keypad = e->modifiers() & Qt::KeypadModifier;
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return keypad ? vel::vk::Numpad0 + (k - Qt::Key_0) : k;
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;
  switch (k) {
    case Qt::Key_Minus: return keypad ? vel::vk::Subtract : vel::vk::OemMinus;
    case Qt::Key_Backspace: return vel::vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vel::vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vel::vk::Return;
    case Qt::Key_Shift: return vel::vk::Shift;
    case Qt::Key_Control: return vel::vk::Control;
    case Qt::Key_Alt: return vel::vk::Menu;
    case Qt::Key_Pause: return 0x13;
    case Qt::Key_CapsLock: return 0x14;
    case Qt::Key_Escape: return vel::vk::Escape;
    case Qt::Key_Space: return vel::vk::Space;
    default: return vel::vk::Unknown;
  }
}

/// The name editor's text: upper case, only characters a name can hold, and
/// no longer than the limit by typing. A longer name put there by the program
/// (a name of 7 or 8 characters read from a file) stays whole; it may be
/// shortened but not lengthened.
class NameValidator : public QValidator {
public:
  NameValidator(QLineEdit* edit, int limit) : QValidator(edit), m_limit(limit), m_allowed(limit) {
    // The length the edit may reach: the limit, or the length of a longer
    // text it already holds. Updated after every change the user makes.
    connect(edit, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_allowed = std::max(m_limit, int(text.size())); });
  }
  void setLimit(int limit) {
    m_limit = limit;
    m_allowed = limit;
  }
  /// Called before the program puts `text` into the edit.
  void prepare(const QString& text) { m_allowed = std::max(m_limit, int(text.size())); }
  State validate(QString& input, int& pos) const override {
    const QString fitted = Q(vel::NameEditText(S(input)));
    if (fitted != input) {
      const int removedBefore = int(input.left(pos).size()) - int(Q(vel::NameEditText(S(input.left(pos)))).size());
      input = fitted;
      pos = std::clamp(pos - removedBefore, 0, int(input.size()));
    }
    return input.size() > m_allowed ? Invalid : Acceptable;
  }

private:
  int m_limit;
  int m_allowed;
};

}  // namespace

struct CVelView::Impl {
  CVelView* q;
  const vel::Family& fam;
  vel::Lang lang;
  vel::Image* image = nullptr;

  CMSFlexGrid* grid = nullptr;
  std::map<int, QComboBox*> formLists;   // by control identifier
  std::map<int, QLineEdit*> formBoxes;   // by control identifier

  bool editorsCreated = false;
  long baseWidth = 0;   // w of the column layout
  QLineEdit* freqEdit = nullptr;
  QLineEdit* nameEdit = nullptr;
  NameValidator* nameValidator = nullptr;
  QComboBox* toneBox = nullptr;
  std::map<int, QComboBox*> listEditors;  // by grid column

  QWidget* open = nullptr;  // editor last begun; it belongs to cell (editRow, editCol)
  int editRow = 0;
  int editCol = 0;
  // What the open editor started with: an editor the user has not touched
  // commits nothing, so moving through a cell never edits it.
  QString startText;
  bool typedStart = false;

  QList<QAction*> contextActions;

  vel::ChannelTable snapshot;
  std::function<void(int)> dialogHandler;
  QString messageTitle;
  QString lastStoreNote;   // what the family's step after a store said last time

  Impl(CVelView* view, const vel::Family& f, vel::Lang l) : q(view), fam(f), lang(f.uiLang(l)) {}

  // --- Form -------------------------------------------------------------

  void buildForm();
  QWidget* makeField(const vel::FormField& field, QWidget* parent);
  void installFilters(QWidget* root);

  // --- Table <-> widgets ------------------------------------------------

  vel::ChannelTable currentTable() const;
  void writeRow(const vel::ChannelTable& t, int row);
  void writeAll(const vel::ChannelTable& t);
  void writeForm(const vel::ChannelTable& t);

  // --- Editors ----------------------------------------------------------

  void createEditors();
  void layoutColumns();
  QWidget* editorOf(int col) const;
  std::vector<std::string> entriesOf(int col) const;
  void loadEditor(int row, int col);
  void setEditorText(QLineEdit* edit, const QString& text);
  void beginEditing(vel::EditKey key);
  void commitOpenEditor(vel::CommitKey key = vel::CommitKey::LeaveCell);
  void hideEditor(QWidget* w);
  void hideAllEditors();
  void message(const std::string& text, QMessageBox::Icon icon = QMessageBox::Warning);
  void tabFrom(QWidget* from);
  QString editorText(QWidget* ed) const;
  bool untouched(QWidget* ed) const { return !typedStart && editorText(ed) == startText; }
  void cancelEditing();
  QString editLabel(int row) const { return CVelView::tr("Edit channel %1").arg(row); }

  // --- Edit commands ----------------------------------------------------

  struct EditSelection {
    vel::RowList rows;
    std::vector<int> cols;   // the selected columns (whole rows: every column after the number)
    bool wholeRows = false;
  };
  EditSelection editSelection() const;
  /// Runs a table operation on the grid's texts; on success the records move
  /// as it says, the grid shows the result and the change is announced.
  bool runOperation(const QString& label, const std::function<vel::RowOpResult(vel::ChannelTable&)>& op,
                    bool selectRows);
  void showContextMenu(const QPoint& pos);

  // --- Events -----------------------------------------------------------

  void onEnterCell();
  void onMouseDown(short button);
  void onKeyPress(int& key);
  void onScroll();
  void onDblClick();
  bool onEnterKey();
  vel::EnterFocus classifyFocus(QWidget* fw) const;
  QString hintFor(QObject* watched) const;
};

// ---------------------------------------------------------------------------
// Construction and form layout
// ---------------------------------------------------------------------------

CVelView::CVelView(const vel::Family& family, vel::Lang displayLang, QWidget* parent)
    : QWidget(parent), m_family(family), m_lang(family.uiLang(displayLang)), d(std::make_unique<Impl>(this, family, displayLang)) {
  d->buildForm();
  d->installFilters(this);
}

CVelView::~CVelView() = default;

QWidget* CVelView::Impl::makeField(const vel::FormField& field, QWidget* parent) {
  if (field.isEdit()) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QStringLiteral("field%1").arg(field.id));
    const auto& codec = std::get<vel::DigitsCodec>(field.codec);
    box->setMaxLength(codec.length);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    formBoxes[field.id] = box;
    const QString what = CVelView::tr("Change %1").arg(Q(field.label.in(lang)).trimmed());
    QObject::connect(box, &QLineEdit::editingFinished, q, [this, what] { emit q->documentChanged(what); });
    return box;
  }
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QStringLiteral("field%1").arg(field.id));
  for (const vel::ListItem& item : field.items) combo->addItem(Q(item.text.in(lang)));
  if (field.typingGuardIndex) {
    // A box with an edit field whose values come from its list only: any
    // typing puts the selection back to the fixed item.
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    const int guard = *field.typingGuardIndex;
    const QString what = CVelView::tr("Change %1").arg(Q(field.label.in(lang)).trimmed());
    QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo, [this, combo, guard, what] {
      combo->setCurrentIndex(guard);
      combo->setEditText(combo->itemText(guard));
      emit q->documentChanged(what);
    });
  }
  combo->setCurrentIndex(-1);
  formLists[field.id] = combo;
  const QString what = CVelView::tr("Change %1").arg(Q(field.label.in(lang)).trimmed());
  QObject::connect(combo, &QComboBox::activated, q, [this, what] { emit q->documentChanged(what); });
  return combo;
}

void CVelView::Impl::buildForm() {
  auto* main = new QVBoxLayout(q);
  main->setContentsMargins(8, 8, 8, 8);

  auto addGroup = [&](int group, const vel::Text& title) -> QGroupBox* {
    std::vector<const vel::FormField*> fields;
    for (const auto& f : fam.form)
      if (f.group == group) fields.push_back(&f);
    if (fields.empty()) return nullptr;
    auto* box = new QGroupBox(Q(title.in(lang)), q);
    box->setObjectName(group == 0 ? QStringLiteral("typeSetting") : QStringLiteral("functionSetting"));
    auto* grid = new QGridLayout(box);
    constexpr int kPerRow = 4;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const int row = static_cast<int>(i) / kPerRow;
      const int col = static_cast<int>(i) % kPerRow * 2;
      auto* label = new QLabel(Q(fields[i]->label.in(lang)), box);
      QWidget* control = makeField(*fields[i], box);
      label->setBuddy(control);
      grid->addWidget(label, row, col, Qt::AlignRight | Qt::AlignVCenter);
      grid->addWidget(control, row, col + 1);
      grid->setColumnStretch(col + 1, 1);
    }
    return box;
  };

  if (QGroupBox* top = addGroup(0, fam.texts.typeSettingGroup)) main->addWidget(top);
  if (!fam.texts.channelLabel.in(lang).empty()) {
    auto* label = new QLabel(Q(fam.texts.channelLabel.in(lang)), q);
    label->setObjectName(QStringLiteral("channelLabel"));
    main->addWidget(label);
  }
  grid = new CMSFlexGrid(q);
  grid->setObjectName(QStringLiteral("grid"));
  grid->setAccessibleName(CVelView::tr("Channel table"));
  grid->SetRows(fam.channelCount + 1);
  grid->SetCols(fam.columnCount());
  grid->SetFixedRows(1);
  grid->SetFixedCols(1);
  main->addWidget(grid, 1);
  if (QGroupBox* bottom = addGroup(1, fam.texts.functionSettingGroup)) {
    // A table short enough to show all its rows is as tall as its rows, with
    // the settings below it directly under the last row; the window's spare
    // height goes below the settings rather than into empty grid.
    grid->setSizePolicy(grid->sizePolicy().horizontalPolicy(), QSizePolicy::Maximum);
    main->setStretchFactor(grid, 0);
    main->addWidget(bottom);
    main->addStretch(1);
  }

  QObject::connect(grid, &CMSFlexGrid::EnterCell, q, [this] { onEnterCell(); });
  QObject::connect(grid, &CMSFlexGrid::LeaveCell, q, [this] { commitOpenEditor(); });
  QObject::connect(grid, &CMSFlexGrid::MouseDown, q, [this](short button, short, int, int) { onMouseDown(button); });
  QObject::connect(grid, &CMSFlexGrid::KeyPress, q, [this](int& key) { onKeyPress(key); });
  QObject::connect(grid, &CMSFlexGrid::Scroll, q, [this] { onScroll(); });
  QObject::connect(grid, &CMSFlexGrid::DblClick, q, [this] { onDblClick(); });
  grid->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(grid, &QWidget::customContextMenuRequested, q, [this](const QPoint& pos) { showContextMenu(pos); });
}

void CVelView::Impl::installFilters(QWidget* root) {
  root->installEventFilter(q);
  for (QWidget* w : root->findChildren<QWidget*>()) w->installEventFilter(q);
}

// ---------------------------------------------------------------------------
// Table <-> widgets
// ---------------------------------------------------------------------------

vel::ChannelTable CVelView::Impl::currentTable() const {
  vel::ChannelTable t;
  t.cells.assign(static_cast<std::size_t>(grid->GetRows()),
                 std::vector<std::string>(static_cast<std::size_t>(grid->GetCols())));
  for (int r = 0; r < grid->GetRows(); ++r)
    for (int c = 0; c < grid->GetCols(); ++c) t.at(r, c) = S(grid->GetTextMatrix(r, c));
  for (const auto& [id, combo] : formLists) t.selection[id] = combo->currentIndex();
  for (const auto& [id, box] : formBoxes) t.text[id] = S(box->text());
  return t;
}

void CVelView::Impl::writeRow(const vel::ChannelTable& t, int row) {
  for (int c = 0; c < grid->GetCols() && c < static_cast<int>(t.cells.at(row).size()); ++c)
    grid->SetTextMatrix(row, c, Q(t.at(row, c)));
}

void CVelView::Impl::writeAll(const vel::ChannelTable& t) {
  for (int r = 0; r < grid->GetRows() && r < t.rows(); ++r) writeRow(t, r);
}

void CVelView::Impl::writeForm(const vel::ChannelTable& t) {
  for (const auto& [id, combo] : formLists) {
    const auto it = t.selection.find(id);
    const int index = it == t.selection.end() ? -1 : it->second;
    combo->setCurrentIndex(index);
    if (combo->isEditable()) combo->setEditText(index >= 0 ? combo->itemText(index) : QString());
  }
  for (const auto& [id, box] : formBoxes) {
    const auto it = t.text.find(id);
    box->setText(it == t.text.end() ? QString() : Q(it->second));
  }
}

// ---------------------------------------------------------------------------
// Editors
// ---------------------------------------------------------------------------

void CVelView::Impl::createEditors() {
  QWidget* host = grid->editorParent();
  freqEdit = new QLineEdit(host);
  freqEdit->setObjectName(QStringLiteral("frequencyEdit"));
  freqEdit->setAccessibleName(CVelView::tr("Frequency"));

  nameEdit = new QLineEdit(host);
  nameEdit->setObjectName(QStringLiteral("nameEdit"));
  nameEdit->setAccessibleName(CVelView::tr("Channel name"));
  nameValidator = new NameValidator(nameEdit, fam.nameEditLimit);
  nameEdit->setValidator(nameValidator);

  for (int c = 1; c < fam.columnCount(); ++c) {
    const vel::Column& column = fam.columns[static_cast<std::size_t>(c)];
    if (column.kind != vel::ColumnKind::List) continue;
    auto* list = new QComboBox(host);
    list->setObjectName(QStringLiteral("list%1").arg(column.editorId));
    list->setAccessibleName(Q(column.header.in(lang)).trimmed());
    for (const vel::ListItem& item : column.items) list->addItem(Q(item.text.in(lang)));
    listEditors[c] = list;
  }

  toneBox = new QComboBox(host);
  toneBox->setObjectName(QStringLiteral("toneBox"));
  toneBox->setAccessibleName(CVelView::tr("Tone"));
  toneBox->setEditable(true);
  toneBox->setInsertPolicy(QComboBox::NoInsert);
  toneBox->setCompleter(nullptr);  // typed text stands as typed; Enter decides
  for (const std::string& t : vel::ToneTable()) toneBox->addItem(Q(t));
  toneBox->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  std::vector<QWidget*> all = {freqEdit, nameEdit, toneBox};
  for (const auto& [c, list] : listEditors) all.push_back(list);
  for (QWidget* w : all) {
    w->setFont(q->font());
    w->hide();
  }
  installFilters(host);
}

void CVelView::Impl::layoutColumns() {
  // w: the width column 2 has before the first layout. Our form's stored
  // layout gives column 2 a width at which every header of the table, in
  // either language, fits its column at the fixed ratios.
  int w = static_cast<int>(grid->GetColWidth(2));
  const QFontMetrics metrics(grid->font());
  const double twipsPerPixel = 1440.0 / grid->logicalDpiX();
  const auto fitsAll = [&](int width) {
    for (int c = 0; c < fam.columnCount(); ++c) {
      const vel::Column& column = fam.columns[static_cast<std::size_t>(c)];
      for (const std::string* text : {&column.header.en, &column.header.ch}) {
        const int needed = static_cast<int>((metrics.horizontalAdvance(QString::fromStdString(*text)) + 10) * twipsPerPixel);
        if (vel::ColumnWidth(fam, c, width) < needed) return false;
      }
    }
    return true;
  };
  while (w < 6000 && !fitsAll(w)) w += 15;
  grid->SetColWidth(2, w);
  baseWidth = w;
  for (int c = 0; c < fam.columnCount(); ++c) {
    const vel::Column& column = fam.columns[static_cast<std::size_t>(c)];
    short align;
    if (column.centred) align = column.alignTop ? CMSFlexGrid::CenterTop : CMSFlexGrid::CenterCenter;
    else align = column.alignTop ? CMSFlexGrid::LeftTop : CMSFlexGrid::LeftCenter;
    grid->SetColAlignment(c, align);
  }
  for (int c = 0; c < fam.columnCount(); ++c) grid->SetColWidth(c, vel::ColumnWidth(fam, c, w));
  if (fam.rowHeightFactor > 0) {
    const long h = static_cast<long>(static_cast<double>(grid->GetRowHeight(2)) * fam.rowHeightFactor);
    for (int r = 0; r <= fam.channelCount; ++r) grid->SetRowHeight(r, h);
  }
}

QWidget* CVelView::Impl::editorOf(int col) const {
  switch (vel::EditorOf(fam, col)) {
    case vel::EditorKind::FrequencyEdit: return freqEdit;
    case vel::EditorKind::NameEdit: return nameEdit;
    case vel::EditorKind::ToneBox: return toneBox;
    case vel::EditorKind::List: {
      const auto it = listEditors.find(col);
      return it == listEditors.end() ? nullptr : it->second;
    }
    case vel::EditorKind::None: return nullptr;
  }
  return nullptr;
}

std::vector<std::string> CVelView::Impl::entriesOf(int col) const {
  if (vel::EditorOf(fam, col) == vel::EditorKind::ToneBox) return vel::ToneTable();
  std::vector<std::string> entries;
  for (const vel::ListItem& item : fam.columns.at(static_cast<std::size_t>(col)).items)
    entries.push_back(item.text.in(lang));
  return entries;
}

void CVelView::Impl::loadEditor(int row, int col) {
  if (!editorsCreated) return;
  QWidget* ed = editorOf(col);
  if (!ed) return;
  const std::string text = S(grid->GetTextMatrix(row, col));
  if (auto* combo = qobject_cast<QComboBox*>(ed)) {
    const int index = vel::ComboIndexForText(entriesOf(col), text);
    combo->setCurrentIndex(index);
    if (combo->isEditable()) combo->setEditText(combo->itemText(index));
  } else if (auto* edit = qobject_cast<QLineEdit*>(ed)) {
    setEditorText(edit, Q(text));
  }
}

void CVelView::Impl::setEditorText(QLineEdit* edit, const QString& text) {
  if (edit == nameEdit) nameValidator->prepare(text);
  edit->setText(text);
}

void CVelView::Impl::hideEditor(QWidget* w) {
  if (!w || !w->isVisible()) return;
  // The grid keeps the keyboard focus the editor had, so hiding never sends
  // it to some unrelated control.
  if (w->hasFocus() || w->isAncestorOf(QApplication::focusWidget())) grid->setFocus();
  w->hide();
}

void CVelView::Impl::hideAllEditors() {
  if (!editorsCreated) return;
  hideEditor(freqEdit);
  hideEditor(nameEdit);
  hideEditor(toneBox);
  for (const auto& [c, list] : listEditors) hideEditor(list);
}

void CVelView::Impl::message(const std::string& text, QMessageBox::Icon icon) {
  // The application's title: as set, else the main window's title, else
  // the application's name.
  QString title = messageTitle;
  if (title.isEmpty()) title = q->window()->windowTitle();
  if (title.isEmpty()) title = QGuiApplication::applicationDisplayName();
  velui::ShowMessage(q, icon, title, Q(text));
  // The form's window takes the keyboard back at once, so that the editor
  // that is shown next gets the keys that follow.
  q->window()->activateWindow();
}

void CVelView::Impl::beginEditing(vel::EditKey key) {
  if (!editorsCreated) return;
  const int row = grid->GetRow();
  const int col = grid->GetCol();
  if (row < 1 || col < 1) return;
  QWidget* ed = editorOf(col);
  // A click beside the editor on its own cell keeps what is being typed.
  if (key == 0 && ed && ed == open && ed->isVisible() && editRow == row && editCol == col) {
    ed->setFocus(Qt::MouseFocusReason);
    return;
  }
  // An editor still open on another cell is committed there first.
  if (open && open != ed && open->isVisible()) commitOpenEditor();
  if (!ed) {
    grid->setFocus();
    grid->Refresh();
    return;
  }
  const vel::EditorKind kind = vel::EditorOf(fam, col);
  // The editor always starts from this cell, also when the current cell was
  // moved in code (which raises no EnterCell).
  loadEditor(row, col);
  const vel::EditorStart start = vel::StartEditor(kind, S(grid->GetTextMatrix(row, col)), key);
  if (start.numberMessage) message(vel::PleaseInputNumberText(fam).in(lang));
  if (start.refused) {
    // A key that cannot start the value never replaces it.
    grid->setFocus();
    grid->Refresh();
    return;
  }
  grid->SelectRows({});

  // Reading the position brings the cell into view first.
  const long left = grid->GetCellLeft();
  const long top = grid->GetCellTop();
  const bool combo = qobject_cast<QComboBox*>(ed) != nullptr;
  const vel::EditorRect r = vel::PlaceEditor(left, top, grid->GetCellWidth(), grid->GetCellHeight(),
                                             grid->logicalDpiX(), grid->logicalDpiY(), combo);
  // A combo box is as high as the cell; its list drops below by its own height.
  ed->setGeometry(r.left, r.top, r.width, r.height);
  if (auto* box = qobject_cast<QComboBox*>(ed)) {
    const int itemHeight = std::max(1, box->view()->sizeHintForRow(0));
    box->setMaxVisibleItems(std::max(1, r.dropHeight / itemHeight));
    if (box->isEditable()) {
      if (start.replaceText) {
        box->lineEdit()->setText(Q(start.text));
        box->lineEdit()->end(false);
      } else {
        box->lineEdit()->selectAll();  // what is typed next replaces the entry
      }
    }
  } else if (auto* edit = qobject_cast<QLineEdit*>(ed)) {
    setEditorText(edit, Q(start.text));
    if (start.selectAll) edit->selectAll();
    else edit->end(false);
  }
  editRow = row;
  editCol = col;
  open = ed;
  startText = editorText(ed);
  typedStart = start.replaceText && key != 0 && key != 13;
  ed->show();
  ed->raise();
  ed->setFocus(Qt::OtherFocusReason);
  grid->Refresh();
}

void CVelView::Impl::commitOpenEditor(vel::CommitKey key) {
  if (!editorsCreated) return;
  if (!open || !open->isVisible()) {
    // The "More" column has no editor: leaving it recomputes its mark.
    const int row = grid->GetRow(), col = grid->GetCol();
    if (row >= 1 && col >= 1 && col < fam.columnCount() &&
        fam.columns[static_cast<std::size_t>(col)].kind == vel::ColumnKind::More) {
      vel::ChannelTable t = currentTable();
      vel::CommitMoreCell(t, row, col);
      writeRow(t, row);
    }
    return;
  }
  QWidget* ed = open;
  const int row = editRow, col = editCol;
  open = nullptr;
  if (untouched(ed)) {
    hideEditor(ed);
    return;
  }
  vel::ChannelTable t = currentTable();
  const std::vector<std::string> rowBefore = t.cells.at(static_cast<std::size_t>(row));
  std::optional<std::string> msg;
  switch (vel::EditorOf(fam, col)) {
    case vel::EditorKind::ToneBox:
      // The tone box's text, which is the selected entry unless something
      // else was typed: a typed text that names a tone-table entry is taken,
      // any other is refused with a message and the cell keeps its tone.
      msg = vel::CommitToneCell(t, row, col, S(toneBox->currentText()), lang);
      break;
    case vel::EditorKind::List:
      vel::CommitListCell(t, row, col, S(static_cast<QComboBox*>(ed)->currentText()));
      break;
    case vel::EditorKind::NameEdit:
      vel::CommitNameCell(t, row, col, S(nameEdit->text()));
      break;
    case vel::EditorKind::FrequencyEdit:
      msg = vel::CommitFrequency(fam, lang, t, row, col, S(freqEdit->text()), key).message;
      break;
    case vel::EditorKind::None:
      break;
  }
  writeRow(t, row);
  hideEditor(ed);
  if (msg) message(*msg);
  if (t.cells.at(static_cast<std::size_t>(row)) != rowBefore) emit q->documentChanged(editLabel(row));
}

QString CVelView::Impl::editorText(QWidget* ed) const {
  if (auto* combo = qobject_cast<QComboBox*>(ed)) return combo->currentText();
  if (auto* edit = qobject_cast<QLineEdit*>(ed)) return edit->text();
  return {};
}

void CVelView::Impl::cancelEditing() {
  // Esc: the editor goes away and the cell keeps what it had.
  QWidget* ed = open;
  open = nullptr;
  hideEditor(ed);
  loadEditor(editRow, editCol);
  grid->setFocus(Qt::OtherFocusReason);
  grid->Refresh();
}

void CVelView::Impl::tabFrom(QWidget* from) {
  // Tab: the next control of the form that takes the focus by Tab; the cell
  // editors inside the grid are skipped.
  QWidget* w = from;
  for (int guard = 0; guard < 1000; ++guard) {
    w = w->nextInFocusChain();
    if (!w || w == from) return;
    if (!q->isAncestorOf(w)) continue;
    if (grid->isAncestorOf(w)) continue;
    if (!w->isVisibleTo(q) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus)) continue;
    if (w->focusProxy()) continue;
    w->setFocus(Qt::TabFocusReason);
    return;
  }
}

// ---------------------------------------------------------------------------
// Grid events
// ---------------------------------------------------------------------------

void CVelView::Impl::onEnterCell() {
  const int row = grid->GetRow();
  if (row == 0) return;
  loadEditor(row, grid->GetCol());
}

void CVelView::Impl::onMouseDown(short button) {
  if (button == 2) return;
  // Only a press on a channel cell begins editing (not one on a header or
  // below the last row).
  if (grid->GetMouseRow() < 1 || grid->GetMouseCol() < 1) return;
  if (grid->GetRow() < 1 || grid->GetCol() < 1) return;
  beginEditing(0);
}

void CVelView::Impl::onKeyPress(int& key) {
  const int row = grid->GetRow(), col = grid->GetCol();
  const int typed = key;
  key = 0;
  if (row < 1 || col < 1) return;
  if (vel::EditorOf(fam, col) == vel::EditorKind::None) return;
  if (!vel::KeyBeginsEditing(static_cast<vel::EditKey>(typed))) return;
  beginEditing(static_cast<vel::EditKey>(typed));
}

void CVelView::Impl::onScroll() {
  if (!editorsCreated) return;
  // An editor that scrolling takes away commits what it holds first, so that
  // typed text is not lost; the name editor stays where it is.
  if (open && open != nameEdit && open->isVisible()) commitOpenEditor();
  hideEditor(freqEdit);
  hideEditor(toneBox);
  for (const auto& [c, list] : listEditors) hideEditor(list);
  grid->Refresh();
}

void CVelView::Impl::onDblClick() {
  const int row = grid->GetRow(), col = grid->GetCol();
  if (row < 1 || col < 1) return;
  const int rx = fam.columnOf(vel::ColumnKind::RxFrequency);
  const int tx = fam.columnOf(vel::ColumnKind::TxFrequency);
  if (rx < 0 || tx < 0 || grid->GetTextMatrix(row, rx).isEmpty() || grid->GetTextMatrix(row, tx).isEmpty()) return;
  commitOpenEditor();
  q->storeChannelGrid();
  q->m_signallingRow = row;
  if (dialogHandler) dialogHandler(row);
  emit q->documentChanged(editLabel(row));
  beginEditing(0);
}

vel::EnterFocus CVelView::Impl::classifyFocus(QWidget* fw) const {
  if (!fw) return vel::EnterFocus::Other;
  if (fw == freqEdit) return vel::EnterFocus::FrequencyEdit;
  if (fw == nameEdit) return vel::EnterFocus::NameEdit;
  // The tone box and its edit field take the keyboard focus together here:
  // Enter there is Enter in the edit field.
  if (fw == toneBox || (toneBox && toneBox->isAncestorOf(fw))) return vel::EnterFocus::Other;
  for (const auto& [c, list] : listEditors)
    if (fw == list || list->isAncestorOf(fw)) return vel::EnterFocus::List;
  if (fw == grid || grid->isAncestorOf(fw)) return vel::EnterFocus::Grid;
  return vel::EnterFocus::Other;
}

bool CVelView::Impl::onEnterKey() {
  QWidget* fw = QApplication::focusWidget();
  const vel::EnterFocus focus = classifyFocus(fw);
  int row = grid->GetRow(), col = grid->GetCol();
  if (open && open->isVisible()) {
    row = editRow;
    col = editCol;
  }
  const bool toneVisible = toneBox && toneBox->isVisible();
  const vel::EnterRoute route = vel::RouteEnter(focus, toneVisible, row, col, fam.channelCount);

  if (route.commit != vel::EnterCommit::None && open && open->isVisible() && untouched(open)) {
    QWidget* ed = open;
    open = nullptr;
    hideEditor(ed);
  } else if (route.commit != vel::EnterCommit::None && open && open->isVisible()) {
    QWidget* ed = open;
    open = nullptr;
    vel::ChannelTable t = currentTable();
    const std::vector<std::string> rowBefore = t.cells.at(static_cast<std::size_t>(row));
    std::optional<std::string> msg;
    switch (route.commit) {
      case vel::EnterCommit::List:
        if (auto* list = qobject_cast<QComboBox*>(ed)) vel::CommitListCell(t, row, col, S(list->currentText()));
        break;
      case vel::EnterCommit::Name:
        // Kept whether or not the row is in use, as on leaving the cell.
        hideEditor(ed);
        vel::CommitNameCell(t, row, col, S(nameEdit->text()));
        break;
      case vel::EnterCommit::Frequency:
        msg = vel::CommitFrequency(fam, lang, t, row, col, S(freqEdit->text()), vel::CommitKey::Enter).message;
        break;
      case vel::EnterCommit::ToneExactOrOff:
        msg = vel::CommitToneCell(t, row, col, S(toneBox->currentText()), lang);
        break;
      case vel::EnterCommit::None:
        break;
    }
    writeRow(t, row);
    hideEditor(ed);
    if (msg) message(*msg);
    if (t.cells.at(static_cast<std::size_t>(row)) != rowBefore) emit q->documentChanged(editLabel(row));
  }
  if (route.hideToneBox) {
    if (open == toneBox) open = nullptr;
    hideEditor(toneBox);
  }
  switch (route.move) {
    case vel::EnterMove::NextColumn:
      grid->SetRow(row);
      grid->SetCol(std::min(col + 1, grid->GetCols() - 1));
      beginEditing(13);
      break;
    case vel::EnterMove::NextRowFirstColumn:
      grid->SetRow(row + 1);
      grid->SetCol(1);
      beginEditing(13);
      break;
    case vel::EnterMove::None:
      break;
  }
  switch (route.passOn) {
    case vel::EnterPassOn::Tab:
      tabFrom(focus == vel::EnterFocus::Other && fw ? fw : grid);
      break;
    case vel::EnterPassOn::Right: {
      QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
      QCoreApplication::sendEvent(grid, &right);
      break;
    }
    case vel::EnterPassOn::None:
      break;
  }
  return true;
}

QString CVelView::Impl::hintFor(QObject* watched) const {
  const vel::FamilyTexts& t = fam.texts;
  for (QObject* o = watched; o && o != q; o = o->parent()) {
    if (qobject_cast<QComboBox*>(o)) return Q(t.hintOverList.in(lang));
    if (qobject_cast<QLineEdit*>(o) && !qobject_cast<QComboBox*>(o->parent())) return Q(t.hintElsewhere.in(lang));
    if (o == grid) return Q(t.hintOverGrid.in(lang));
  }
  return Q(t.hintElsewhere.in(lang));
}

// ---------------------------------------------------------------------------
// Edit commands
// ---------------------------------------------------------------------------

CVelView::Impl::EditSelection CVelView::Impl::editSelection() const {
  EditSelection sel;
  const std::vector<int> rows = grid->GetSelectedRows();
  if (!rows.empty()) {
    sel.rows = rows;
    sel.wholeRows = true;
    for (int c = 1; c < fam.columnCount(); ++c) sel.cols.push_back(c);
    return sel;
  }
  const int r0 = std::max(1, std::min(grid->GetRow(), grid->GetRowSel()));
  const int r1 = std::max(grid->GetRow(), grid->GetRowSel());
  const int c0 = std::max(1, std::min(grid->GetCol(), grid->GetColSel()));
  const int c1 = std::max(grid->GetCol(), grid->GetColSel());
  for (int r = r0; r <= r1; ++r) sel.rows.push_back(r);
  for (int c = c0; c <= c1; ++c) sel.cols.push_back(c);
  return sel;
}

bool CVelView::Impl::runOperation(const QString& label,
                                  const std::function<vel::RowOpResult(vel::ChannelTable&)>& op, bool selectRows) {
  if (!editorsCreated) return false;
  commitOpenEditor();
  vel::ChannelTable t = currentTable();
  const vel::RowOpResult r = op(t);
  if (!r.ok) {
    if (!r.errors.empty())
      message(S(CVelView::tr("Nothing was changed:")) + "\n\n" + vel::ErrorReport(r.errors, lang));
    return false;
  }
  // Channels that move take their whole records along: the bytes the table
  // does not show stay with their channel.
  if (image) vel::ApplyRecordMap(fam, r.recordFrom, *image);
  writeAll(t);
  if (selectRows) grid->SelectRows(r.selection);
  grid->Refresh();
  emit q->documentChanged(label);
  return true;
}

void CVelView::Impl::showContextMenu(const QPoint& pos) {
  if (contextActions.isEmpty()) return;
  // A right click on a channel number outside the selection selects that row.
  const auto [row, col] = grid->cellAt(pos);
  if (row >= 1 && col == 0) {
    const std::vector<int> rows = grid->GetSelectedRows();
    if (std::find(rows.begin(), rows.end(), row) == rows.end()) {
      commitOpenEditor();
      grid->SetRow(row);
      grid->SelectRows({row});
    }
  }
  QMenu menu(q);
  menu.setObjectName(QStringLiteral("gridContextMenu"));
  for (QAction* a : contextActions) {
    if (a) menu.addAction(a);
    else menu.addSeparator();
  }
  menu.exec(grid->editorParent()->mapToGlobal(pos));
}

void CVelView::copySelection() {
  d->commitOpenEditor();
  const Impl::EditSelection sel = d->editSelection();
  std::vector<int> cols = sel.cols;
  if (sel.wholeRows) cols.insert(cols.begin(), 0);   // whole rows carry their channel numbers
  const std::string text = vel::CopyText(m_family, d->currentTable(), sel.rows, cols);
  QGuiApplication::clipboard()->setText(Q(text));
}

void CVelView::cutSelection() {
  copySelection();
  const Impl::EditSelection sel = d->editSelection();
  d->runOperation(tr("Cut"), [&](vel::ChannelTable& t) {
    return vel::ClearCells(m_family, m_lang, t, sel.rows, sel.cols);
  }, sel.wholeRows);
}

void CVelView::pasteClipboard(bool inserted) {
  d->commitOpenEditor();
  const Impl::EditSelection sel = d->editSelection();
  vel::PasteTarget target;
  target.rows = sel.wholeRows ? sel.rows : vel::RowList{};
  target.firstRow = sel.rows.empty() ? 1 : sel.rows.front();
  target.firstCol = sel.wholeRows || sel.cols.empty() ? 1 : sel.cols.front();
  target.insert = inserted;
  const std::string text = S(QGuiApplication::clipboard()->text());
  d->runOperation(inserted ? tr("Paste Inserted") : tr("Paste"), [&](vel::ChannelTable& t) {
    return vel::PasteText(m_family, m_lang, t, text, target);
  }, sel.wholeRows || inserted);
}

void CVelView::insertEmptyChannels() {
  d->commitOpenEditor();
  const Impl::EditSelection sel = d->editSelection();
  d->runOperation(tr("Insert Empty Channel"), [&](vel::ChannelTable& t) {
    return vel::InsertEmptyRows(m_family, m_lang, t, sel.rows);
  }, sel.wholeRows);
}

void CVelView::deleteChannels() {
  d->commitOpenEditor();
  const Impl::EditSelection sel = d->editSelection();
  d->runOperation(tr("Delete Channel"), [&](vel::ChannelTable& t) {
    return vel::DeleteChannels(m_family, t, sel.rows);
  }, sel.wholeRows);
}

void CVelView::moveChannels(int delta) {
  d->commitOpenEditor();
  const Impl::EditSelection sel = d->editSelection();
  CMSFlexGrid* g = d->grid;
  const int row = g->GetRow(), rowSel = g->GetRowSel(), colSel = g->GetColSel();
  const bool moved = d->runOperation(delta < 0 ? tr("Move Up") : tr("Move Down"), [&](vel::ChannelTable& t) {
    return vel::MoveRows(m_family, t, sel.rows, delta);
  }, false);
  if (!moved) return;
  // The selection moves with the channels.
  g->SetRow(row + delta);
  if (sel.wholeRows) {
    std::vector<int> rows;
    for (int r : sel.rows) rows.push_back(r + delta);
    g->SelectRows(rows);
  } else {
    g->SetRowSel(rowSel + delta);
    g->SetColSel(colSel);
  }
  g->ShowCell(g->GetRow(), g->GetCol());
}

void CVelView::fillDown() {
  d->commitOpenEditor();
  const Impl::EditSelection sel = d->editSelection();
  d->runOperation(tr("Fill Down"), [&](vel::ChannelTable& t) {
    return vel::FillDown(m_family, m_lang, t, sel.rows, sel.wholeRows ? vel::EditableColumns(m_family) : sel.cols);
  }, sel.wholeRows);
}

void CVelView::clearSelection() {
  d->commitOpenEditor();
  const Impl::EditSelection sel = d->editSelection();
  d->runOperation(tr("Clear"), [&](vel::ChannelTable& t) {
    return vel::ClearCells(m_family, m_lang, t, sel.rows, sel.cols);
  }, sel.wholeRows);
}

void CVelView::selectAllChannels() {
  d->commitOpenEditor();
  std::vector<int> rows;
  for (int r = 1; r <= m_family.channelCount; ++r) rows.push_back(r);
  d->grid->SelectRows(rows);
  d->grid->setFocus(Qt::OtherFocusReason);
}

void CVelView::setContextMenuActions(const QList<QAction*>& actions) { d->contextActions = actions; }

void CVelView::setTable(const vel::ChannelTable& table) {
  d->open = nullptr;
  d->hideAllEditors();
  d->writeAll(table);
  d->writeForm(table);
  d->grid->Refresh();
}

// ---------------------------------------------------------------------------
// Public interface
// ---------------------------------------------------------------------------

void CVelView::setImage(vel::Image* image) { d->image = image; }

void CVelView::initialUpdate() {
  if (!d->editorsCreated) {
    d->createEditors();
    d->layoutColumns();
    d->grid->updateGeometry();   // the rows' new heights make a new size hint
    for (const vel::FormField& f : m_family.form) {
      const auto it = d->formLists.find(f.id);
      if (it == d->formLists.end() || !f.presetIndex) continue;
      it->second->setCurrentIndex(*f.presetIndex);
      if (it->second->isEditable()) it->second->setEditText(it->second->itemText(*f.presetIndex));
    }
    d->editorsCreated = true;
  }
  d->open = nullptr;
  d->hideAllEditors();
  d->nameValidator->setLimit(m_family.nameEditLimit);
  d->freqEdit->clear();
  d->nameEdit->clear();
  fillChannelGrid();
  // The keyboard starts in the grid on channel 1's receive frequency, so
  // that no key changes a setting the user has not looked at (a list of the
  // form would take the first arrow key as a new selection).
  d->grid->SetRow(1);
  d->grid->SetCol(1);
  d->grid->ShowCell(1, 1);
  d->grid->setFocus(Qt::OtherFocusReason);
}

void CVelView::fillChannelGrid() {
  // Whatever an editor still shows belongs to the old contents.
  d->open = nullptr;
  d->hideAllEditors();
  vel::ChannelTable t = d->currentTable();
  if (d->image) vel::FillChannelGrid(m_family, m_lang, *d->image, t);
  else t = vel::NewChannelTable(m_family, m_lang);
  d->writeAll(t);
  d->writeForm(t);
  d->grid->Refresh();
}

void CVelView::storeChannelGrid() {
  if (!d->image) return;
  vel::StoreChannelGrid(m_family, d->currentTable(), *d->image);
  if (!m_family.afterWindowStore) return;
  // The family's own last step (Marlowe's text form). What it has to say
  // goes to the status bar once: the same note after the next store stays
  // unsaid, so a save does not repeat it every time.
  const std::optional<vel::Text> note = m_family.afterWindowStore(*d->image);
  const QString text = note ? QString::fromStdString(note->in(d->lang)) : QString();
  if (!text.isEmpty() && text != d->lastStoreNote) emit statusHint(text);
  d->lastStoreNote = text;
}

vel::Image CVelView::storedImage() const {
  if (!d->image) return {};
  vel::Image copy = *d->image;
  vel::StoreChannelGrid(m_family, d->currentTable(), copy);
  return copy;
}

void CVelView::commitCurrentCell() { d->commitOpenEditor(); }

long CVelView::columnBaseWidth() const { return d->baseWidth; }

int CVelView::widthForAllColumns() const {
  const QMargins margins = layout()->contentsMargins();
  return std::max(layout()->sizeHint().width(), d->grid->widthForAllColumns() + margins.left() + margins.right());
}

std::string CVelView::dataPasswordText() const {
  const vel::ChannelTable t = d->currentTable();
  for (const vel::FormField& field : m_family.form) {
    if (!field.isEdit()) continue;
    const auto it = t.text.find(field.id);
    return it != t.text.end() ? it->second : std::string();
  }
  return {};
}

void CVelView::editData() {
  d->commitOpenEditor();
  d->message(m_family.texts.editDataMessage.in(m_lang), QMessageBox::Information);
  d->grid->SetRow(1);
  d->grid->SetCol(1);
  d->grid->ShowCell(1, 1);
  d->grid->setFocus(Qt::OtherFocusReason);
}

const vel::ChannelTable& CVelView::table() const {
  d->snapshot = d->currentTable();
  return d->snapshot;
}

CMSFlexGrid* CVelView::grid() { return d->grid; }

void CVelView::setMessageTitle(const QString& title) { d->messageTitle = title; }

void CVelView::setChannelDialogHandler(std::function<void(int row)> handler) { d->dialogHandler = std::move(handler); }

bool CVelView::eventFilter(QObject* watched, QEvent* event) {
  // Message boxes and the combo boxes' drop-down lists are windows of their
  // own: their keys and hints are none of the form's business.
  auto* w = qobject_cast<QWidget*>(watched);
  if (!w || w->window() != window()) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* ke = static_cast<QKeyEvent*>(event);
      if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) return d->onEnterKey();
      if (ke->key() == Qt::Key_Escape && d->open && d->open->isVisible() &&
          (watched == d->open || d->open->isAncestorOf(w))) {
        d->cancelEditing();
        return true;
      }
      const bool plain = (ke->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
      if (watched == d->grid && plain && ke->key() == Qt::Key_Delete) {
        clearSelection();
        return true;
      }
      if (watched == d->grid && plain && ke->key() == Qt::Key_Insert) {
        insertEmptyChannels();
        return true;
      }
      if (watched == d->nameEdit && !vel::NameEditKeyAllowed(VirtualKeyOf(ke))) return true;
      break;
    }
    case QEvent::Enter:
      emit statusHint(d->hintFor(watched));
      break;
    case QEvent::Leave: {
      // Moving from a control back onto the form itself enters nothing new:
      // the hint follows the widget now under the cursor.
      QWidget* now = QApplication::widgetAt(QCursor::pos());
      if (now && now != w && (now == this || isAncestorOf(now))) emit statusHint(d->hintFor(now));
      break;
    }
    case QEvent::ChildAdded: {
      auto* ce = static_cast<QChildEvent*>(event);
      if (ce->child()->isWidgetType()) ce->child()->installEventFilter(this);
      break;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void CVelView::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  // The tone box lies over the grid; it is kept above it and redrawn.
  if (d->toneBox && d->toneBox->isVisible()) {
    d->toneBox->raise();
    d->toneBox->update();
  }
}
