#include "table/ui/cmsflexgrid.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr int kMinRowPixels = 18;

short ShiftState(Qt::KeyboardModifiers m) {
  short s = 0;
  if (m & Qt::ShiftModifier) s |= 1;
  if (m & Qt::ControlModifier) s |= 2;
  if (m & Qt::AltModifier) s |= 4;
  return s;
}

short ButtonCode(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

Qt::Alignment QtAlignment(short a) {
  switch (a) {
    case CMSFlexGrid::LeftTop: return Qt::AlignLeft | Qt::AlignTop;
    case CMSFlexGrid::LeftCenter: return Qt::AlignLeft | Qt::AlignVCenter;
    case CMSFlexGrid::LeftBottom: return Qt::AlignLeft | Qt::AlignBottom;
    case CMSFlexGrid::CenterTop: return Qt::AlignHCenter | Qt::AlignTop;
    case CMSFlexGrid::CenterCenter: return Qt::AlignCenter;
    case CMSFlexGrid::CenterBottom: return Qt::AlignHCenter | Qt::AlignBottom;
    case CMSFlexGrid::RightTop: return Qt::AlignRight | Qt::AlignTop;
    case CMSFlexGrid::RightCenter: return Qt::AlignRight | Qt::AlignVCenter;
    case CMSFlexGrid::RightBottom: return Qt::AlignRight | Qt::AlignBottom;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

}  // namespace

CMSFlexGrid::CMSFlexGrid(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setMouseTracking(true);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  horizontalScrollBar()->setSingleStep(1);
  verticalScrollBar()->setSingleStep(1);
  const int textHeight = fontMetrics().height() + 6;
  m_defaultRowHeight = twipsY(std::max(kMinRowPixels, textHeight));
  m_defaultColWidth = std::max(960L, twipsX(fontMetrics().horizontalAdvance(QStringLiteral("000000000")) + 8));
  resizeCells();
}

// ---------------------------------------------------------------------------
// Shape
// ---------------------------------------------------------------------------

void CMSFlexGrid::resizeCells() {
  m_text.resize(m_rows);
  for (auto& r : m_text) r.resize(m_cols);
  m_colWidth.resize(m_cols, m_defaultColWidth);
  m_align.resize(m_cols, General);
  m_rowHeight.resize(m_rows, m_defaultRowHeight);
  m_rowSelected.resize(m_rows, 0);
  m_fixedRows = std::min(m_fixedRows, std::max(0, m_rows - 1));
  m_fixedCols = std::min(m_fixedCols, std::max(0, m_cols - 1));
  m_row = clampRow(m_row);
  m_col = clampCol(m_col);
  m_rowSel = clampRow(m_rowSel);
  m_colSel = clampCol(m_colSel);
  updateScrollBars();
  viewport()->update();
}

void CMSFlexGrid::SetRows(int rows) {
  m_rows = std::max(1, rows);
  resizeCells();
}

void CMSFlexGrid::SetCols(int cols) {
  m_cols = std::max(1, cols);
  resizeCells();
}

void CMSFlexGrid::SetFixedRows(int n) {
  m_fixedRows = std::clamp(n, 0, m_rows - 1);
  resizeCells();
}

void CMSFlexGrid::SetFixedCols(int n) {
  m_fixedCols = std::clamp(n, 0, m_cols - 1);
  resizeCells();
}

int CMSFlexGrid::clampRow(int row) const { return std::clamp(row, m_fixedRows, std::max(m_fixedRows, m_rows - 1)); }
int CMSFlexGrid::clampCol(int col) const { return std::clamp(col, m_fixedCols, std::max(m_fixedCols, m_cols - 1)); }

// ---------------------------------------------------------------------------
// Texts
// ---------------------------------------------------------------------------

QString CMSFlexGrid::GetTextMatrix(int row, int col) const {
  if (row < 0 || row >= m_rows || col < 0 || col >= m_cols) return {};
  return m_text[row][col];
}

void CMSFlexGrid::SetTextMatrix(int row, int col, const QString& text) {
  if (row < 0 || row >= m_rows || col < 0 || col >= m_cols) return;
  if (m_text[row][col] == text) return;
  m_text[row][col] = text;
  const QRect r = cellRect(row, col);
  if (!r.isEmpty()) viewport()->update(r);
}

void CMSFlexGrid::Clear() {
  for (auto& r : m_text)
    for (auto& t : r) t.clear();
  viewport()->update();
}

// ---------------------------------------------------------------------------
// Current cell and selection
// ---------------------------------------------------------------------------

void CMSFlexGrid::SetRow(int row) {
  m_row = m_rowSel = clampRow(row);
  viewport()->update();
}

void CMSFlexGrid::SetCol(int col) {
  m_col = m_colSel = clampCol(col);
  viewport()->update();
}

void CMSFlexGrid::SetRowSel(int row) {
  m_rowSel = clampRow(row);
  viewport()->update();
}

void CMSFlexGrid::SetColSel(int col) {
  m_colSel = clampCol(col);
  viewport()->update();
}

std::vector<int> CMSFlexGrid::GetSelectedRows() const {
  std::vector<int> rows;
  for (int r = m_fixedRows; r < m_rows; ++r)
    if (m_rowSelected[r]) rows.push_back(r);
  return rows;
}

bool CMSFlexGrid::hasRowSelection() const {
  return std::any_of(m_rowSelected.begin(), m_rowSelected.end(), [](char c) { return c != 0; });
}

void CMSFlexGrid::SelectRows(const std::vector<int>& rows) {
  std::fill(m_rowSelected.begin(), m_rowSelected.end(), 0);
  for (int r : rows)
    if (r >= m_fixedRows && r < m_rows) m_rowSelected[r] = 1;
  m_rowAnchor = rows.empty() ? -1 : clampRow(rows.front());
  viewport()->update();
}

void CMSFlexGrid::selectRowRange(int from, int to) {
  std::fill(m_rowSelected.begin(), m_rowSelected.end(), 0);
  from = clampRow(from);
  to = clampRow(to);
  for (int r = std::min(from, to); r <= std::max(from, to); ++r) m_rowSelected[r] = 1;
  viewport()->update();
}

void CMSFlexGrid::userMoveTo(int row, int col, bool extend) {
  row = clampRow(row);
  col = clampCol(col);
  // Shift extends a row selection by rows; any other move ends it.
  if (hasRowSelection()) {
    if (extend && m_rowAnchor >= 0) selectRowRange(m_rowAnchor, row);
    else SelectRows({});
    emit RowSelectionChanged();
  }
  if (extend) {
    m_rowSel = row;
    m_colSel = col;
    ShowCell(row, col);
    viewport()->update();
    return;
  }
  if (row != m_row || col != m_col) {
    emit LeaveCell();
    m_row = row;
    m_col = col;
    m_rowSel = row;
    m_colSel = col;
    viewport()->update();
    emit EnterCell();
  } else {
    m_rowSel = row;
    m_colSel = col;
    viewport()->update();
  }
  ShowCell(m_row, m_col);
}

// ---------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------

long CMSFlexGrid::twipsX(int pixels) const { return static_cast<long>(pixels) * kTwipsPerInch / logicalDpiX(); }
long CMSFlexGrid::twipsY(int pixels) const { return static_cast<long>(pixels) * kTwipsPerInch / logicalDpiY(); }
int CMSFlexGrid::pixelsX(long twips) const { return static_cast<int>(twips * logicalDpiX() / kTwipsPerInch); }
int CMSFlexGrid::pixelsY(long twips) const { return static_cast<int>(twips * logicalDpiY() / kTwipsPerInch); }

int CMSFlexGrid::colPx(int col) const { return pixelsX(m_colWidth[col]); }
int CMSFlexGrid::rowPx(int row) const { return pixelsY(m_rowHeight[row]); }

int CMSFlexGrid::fixedWidthPx() const {
  int w = 0;
  for (int c = 0; c < m_fixedCols; ++c) w += colPx(c);
  return w;
}

int CMSFlexGrid::fixedHeightPx() const {
  int h = 0;
  for (int r = 0; r < m_fixedRows; ++r) h += rowPx(r);
  return h;
}

int CMSFlexGrid::colX(int col) const {
  if (col < m_fixedCols) {
    int x = 0;
    for (int c = 0; c < col; ++c) x += colPx(c);
    return x;
  }
  if (col < GetLeftCol()) return -1;
  int x = fixedWidthPx();
  for (int c = GetLeftCol(); c < col; ++c) x += colPx(c);
  return x;
}

int CMSFlexGrid::rowY(int row) const {
  if (row < m_fixedRows) {
    int y = 0;
    for (int r = 0; r < row; ++r) y += rowPx(r);
    return y;
  }
  if (row < GetTopRow()) return -1;
  int y = fixedHeightPx();
  for (int r = GetTopRow(); r < row; ++r) y += rowPx(r);
  return y;
}

QRect CMSFlexGrid::cellRect(int row, int col) const {
  if (row < 0 || row >= m_rows || col < 0 || col >= m_cols) return {};
  const int x = colX(col);
  const int y = rowY(row);
  if (x < 0 || y < 0) return {};
  return QRect(x, y, colPx(col), rowPx(row));
}

std::pair<int, int> CMSFlexGrid::cellAt(const QPoint& p) const {
  int row = -1;
  int col = -1;
  int y = 0;
  for (int r = 0; r < m_fixedRows && row < 0; ++r) {
    if (p.y() >= y && p.y() < y + rowPx(r)) row = r;
    y += rowPx(r);
  }
  for (int r = GetTopRow(); r < m_rows && row < 0 && y <= p.y(); ++r) {
    if (p.y() >= y && p.y() < y + rowPx(r)) row = r;
    y += rowPx(r);
  }
  int x = 0;
  for (int c = 0; c < m_fixedCols && col < 0; ++c) {
    if (p.x() >= x && p.x() < x + colPx(c)) col = c;
    x += colPx(c);
  }
  for (int c = GetLeftCol(); c < m_cols && col < 0 && x <= p.x(); ++c) {
    if (p.x() >= x && p.x() < x + colPx(c)) col = c;
    x += colPx(c);
  }
  if (row < 0 || col < 0) return {-1, -1};
  return {row, col};
}

long CMSFlexGrid::GetCellLeft() {
  ShowCell(m_row, m_col);
  return twipsX(colX(m_col));
}

long CMSFlexGrid::GetCellTop() {
  ShowCell(m_row, m_col);
  return twipsY(rowY(m_row));
}

long CMSFlexGrid::GetCellWidth() const { return m_colWidth[m_col]; }
long CMSFlexGrid::GetCellHeight() const { return m_rowHeight[m_row]; }

long CMSFlexGrid::GetColWidth(int col) const {
  if (col < 0 || col >= m_cols) return 0;
  return m_colWidth[col];
}

void CMSFlexGrid::SetColWidth(int col, long twips) {
  if (col < 0 || col >= m_cols) return;
  m_colWidth[col] = std::max(0L, twips);
  updateScrollBars();
  viewport()->update();
}

long CMSFlexGrid::GetRowHeight(int row) const {
  if (row < 0 || row >= m_rows) return 0;
  return m_rowHeight[row];
}

void CMSFlexGrid::SetRowHeight(int row, long twips) {
  if (row < 0 || row >= m_rows) return;
  m_rowHeight[row] = std::max(0L, twips);
  updateScrollBars();
  viewport()->update();
}

short CMSFlexGrid::GetColAlignment(int col) const {
  if (col < 0 || col >= m_cols) return General;
  return m_align[col];
}

void CMSFlexGrid::SetColAlignment(int col, short alignment) {
  if (col < 0 || col >= m_cols) return;
  m_align[col] = alignment;
  viewport()->update();
}

int CMSFlexGrid::widthForAllColumns() const {
  int w = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < m_cols; ++c) w += colPx(c);
  return w;
}

QSize CMSFlexGrid::sizeHint() const {
  const int w = widthForAllColumns();
  int h = 2 * frameWidth() + horizontalScrollBar()->sizeHint().height();
  for (int r = 0; r < std::min(m_rows, 17); ++r) h += rowPx(r);
  return {std::min(w, 1000), h};
}

QSize CMSFlexGrid::minimumSizeHint() const { return {120, 80}; }

// ---------------------------------------------------------------------------
// Scrolling
// ---------------------------------------------------------------------------

void CMSFlexGrid::updateScrollBars() {
  const int availH = viewport()->height() - fixedHeightPx();
  int maxV = 0;
  {
    int h = 0;
    int first = m_rows;
    while (first > m_fixedRows && h + rowPx(first - 1) <= availH) h += rowPx(--first);
    maxV = std::max(0, first - m_fixedRows);
  }
  const int availW = viewport()->width() - fixedWidthPx();
  int maxH = 0;
  {
    int w = 0;
    int first = m_cols;
    while (first > m_fixedCols && w + colPx(first - 1) <= availW) w += colPx(--first);
    maxH = std::max(0, first - m_fixedCols);
  }
  m_inScrollUpdate = true;
  verticalScrollBar()->setRange(0, maxV);
  verticalScrollBar()->setPageStep(std::max(1, availH / std::max(1, pixelsY(m_defaultRowHeight))));
  horizontalScrollBar()->setRange(0, maxH);
  horizontalScrollBar()->setPageStep(std::max(1, (m_cols - m_fixedCols) - maxH));
  m_inScrollUpdate = false;
  const int v = verticalScrollBar()->value();
  const int hz = horizontalScrollBar()->value();
  if (v != m_vOffset || hz != m_hOffset) {
    m_vOffset = v;
    m_hOffset = hz;
    viewport()->update();
    emit Scroll();
  }
}

void CMSFlexGrid::scrollContentsBy(int, int) {
  const int v = verticalScrollBar()->value();
  const int h = horizontalScrollBar()->value();
  if (v == m_vOffset && h == m_hOffset) return;
  m_vOffset = v;
  m_hOffset = h;
  viewport()->update();
  if (!m_inScrollUpdate) emit Scroll();
}

void CMSFlexGrid::SetTopRow(int row) { verticalScrollBar()->setValue(row - m_fixedRows); }
void CMSFlexGrid::SetLeftCol(int col) { horizontalScrollBar()->setValue(col - m_fixedCols); }

void CMSFlexGrid::ShowCell(int row, int col) {
  if (row >= m_fixedRows) {
    if (row < GetTopRow()) {
      SetTopRow(row);
    } else {
      const int availH = viewport()->height() - fixedHeightPx();
      int top = GetTopRow();
      auto spanH = [&](int from) {
        int h = 0;
        for (int r = from; r <= row; ++r) h += rowPx(r);
        return h;
      };
      while (top < row && spanH(top) > availH) ++top;
      if (top != GetTopRow()) SetTopRow(top);
    }
  }
  if (col >= m_fixedCols) {
    if (col < GetLeftCol()) {
      SetLeftCol(col);
    } else {
      const int availW = viewport()->width() - fixedWidthPx();
      int left = GetLeftCol();
      auto spanW = [&](int from) {
        int w = 0;
        for (int c = from; c <= col; ++c) w += colPx(c);
        return w;
      };
      while (left < col && spanW(left) > availW) ++left;
      if (left != GetLeftCol()) SetLeftCol(left);
    }
  }
}

void CMSFlexGrid::Refresh() { viewport()->repaint(); }

void CMSFlexGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------

void CMSFlexGrid::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  const QPalette& pal = palette();
  const QColor gridLine = pal.color(QPalette::Mid).lighter(125);
  const QColor fixedFill = pal.color(QPalette::Button);
  const QColor fixedLine = pal.color(QPalette::Dark);
  const bool focused = hasFocus();
  const int top = std::min(m_row, m_rowSel), bottom = std::max(m_row, m_rowSel);
  const int left = std::min(m_col, m_colSel), right = std::max(m_col, m_colSel);
  const int vw = viewport()->width(), vh = viewport()->height();

  auto drawCell = [&](int row, int col, const QRect& r) {
    const bool fixed = row < m_fixedRows || col < m_fixedCols;
    const bool selected = !fixed && ((row >= top && row <= bottom && col >= left && col <= right) || rowSelected(row));
    const bool current = row == m_row && col == m_col;
    QColor fill = fixed ? fixedFill : pal.color(QPalette::Base);
    QColor ink = fixed ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Text);
    if (fixed && ((row < m_fixedRows && col == m_col && col >= m_fixedCols) ||
                  (col < m_fixedCols && row == m_row && row >= m_fixedRows)))
      fill = fixedFill.darker(112);  // the current cell's header and row number
    if (fixed && col < m_fixedCols && rowSelected(row)) {
      fill = pal.color(QPalette::Highlight).darker(115);   // the number of a selected row
      ink = pal.color(QPalette::HighlightedText);
    }
    if (selected && !current) {
      fill = pal.color(QPalette::Highlight);
      ink = pal.color(QPalette::HighlightedText);
    } else if (current && !fixed) {
      fill = pal.color(QPalette::Highlight).lighter(focused ? 185 : 200);
    }
    p.fillRect(r, fill);
    if (fixed) {
      p.setPen(pal.color(QPalette::Light));
      p.drawLine(r.topLeft(), QPoint(r.right() - 1, r.top()));
      p.drawLine(r.topLeft(), QPoint(r.left(), r.bottom() - 1));
      p.setPen(fixedLine);
    } else {
      p.setPen(gridLine);
    }
    p.drawLine(r.topRight(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.bottomRight());
    const QString& text = m_text[row][col];
    if (!text.isEmpty()) {
      p.setPen(ink);
      const Qt::Alignment a = fixed ? Qt::Alignment(Qt::AlignCenter) : QtAlignment(m_align[col]);
      p.drawText(r.adjusted(3, 1, -4, -2), int(a) | Qt::TextSingleLine, text);
    }
    if (current && !fixed) {
      QPen pen(focused ? pal.color(QPalette::Highlight).darker(130) : pal.color(QPalette::Dark));
      pen.setWidth(2);
      p.setPen(pen);
      p.drawRect(r.adjusted(1, 1, -1, -1));
    }
  };

  auto visibleCols = [&]() {
    std::vector<int> cols;
    for (int c = 0; c < m_fixedCols; ++c) cols.push_back(c);
    int x = fixedWidthPx();
    for (int c = GetLeftCol(); c < m_cols && x < vw; ++c) {
      cols.push_back(c);
      x += colPx(c);
    }
    return cols;
  }();
  std::vector<int> visibleRows;
  for (int r = 0; r < m_fixedRows; ++r) visibleRows.push_back(r);
  {
    int y = fixedHeightPx();
    for (int r = GetTopRow(); r < m_rows && y < vh; ++r) {
      visibleRows.push_back(r);
      y += rowPx(r);
    }
  }
  // Scrolled cells first, fixed ones over them.
  for (int r : visibleRows)
    for (int c : visibleCols)
      if (r >= m_fixedRows && c >= m_fixedCols) drawCell(r, c, cellRect(r, c));
  for (int r : visibleRows)
    for (int c : visibleCols)
      if (r < m_fixedRows || c < m_fixedCols) drawCell(r, c, cellRect(r, c));
}

// ---------------------------------------------------------------------------
// Input
// ---------------------------------------------------------------------------

void CMSFlexGrid::keyPressEvent(QKeyEvent* event) {
  const bool extend = event->modifiers() & Qt::ShiftModifier;
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const int pageRows = std::max(1, verticalScrollBar()->pageStep());
  const int row = extend ? m_rowSel : m_row;
  const int col = extend ? m_colSel : m_col;
  switch (event->key()) {
    case Qt::Key_Up: userMoveTo(row - 1, col, extend); return;
    case Qt::Key_Down: userMoveTo(row + 1, col, extend); return;
    case Qt::Key_Left: userMoveTo(row, col - 1, extend); return;
    case Qt::Key_Right: userMoveTo(row, col + 1, extend); return;
    case Qt::Key_PageUp: userMoveTo(row - pageRows, col, extend); return;
    case Qt::Key_PageDown: userMoveTo(row + pageRows, col, extend); return;
    case Qt::Key_Home: userMoveTo(ctrl ? m_fixedRows : row, m_fixedCols, extend); return;
    case Qt::Key_End: userMoveTo(ctrl ? m_rows - 1 : row, m_cols - 1, extend); return;
    case Qt::Key_Space:
      if (extend && !ctrl) {
        SelectRows({m_row});
        emit RowSelectionChanged();
        event->accept();
        return;
      }
      break;
    default: break;
  }
  const QString text = event->text();
  if (!text.isEmpty()) {
    int code = text.at(0).unicode();
    emit KeyPress(code);
    event->accept();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

bool CMSFlexGrid::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Wheel) {
    auto* we = static_cast<QWheelEvent*>(event);
    const int steps = we->angleDelta().y() / 120 * 3;
    if (steps != 0) verticalScrollBar()->setValue(verticalScrollBar()->value() - steps);
    else if (we->angleDelta().x() != 0)
      horizontalScrollBar()->setValue(horizontalScrollBar()->value() - we->angleDelta().x() / 120);
    event->accept();
    return true;
  }
  return QAbstractScrollArea::viewportEvent(event);
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  const QPoint pos = event->position().toPoint();
  const auto [row, col] = cellAt(pos);
  m_mouseRow = row;
  m_mouseCol = col;
  const bool movesCell = event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton;
  if (event->button() == Qt::LeftButton && row >= m_fixedRows && col >= 0 && col < m_fixedCols) {
    // A press on a row's number selects the whole row: the current cell
    // moves to that row (its column kept), then the row selection follows.
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const std::vector<char> before = m_rowSelected;
    const int anchor = m_rowAnchor;
    userMoveTo(row, m_col, false);
    if (ctrl) {
      m_rowSelected = before;
      m_rowSelected[row] = !m_rowSelected[row];
      m_rowAnchor = row;
    } else if (shift && anchor >= 0) {
      selectRowRange(anchor, row);
      m_rowAnchor = anchor;
    } else {
      SelectRows({row});
    }
    m_rowDrag = !ctrl;
    viewport()->update();
    emit RowSelectionChanged();
  } else if (movesCell && row >= m_fixedRows && col >= m_fixedCols) {
    userMoveTo(row, col, event->modifiers() & Qt::ShiftModifier);
  }
  emit MouseDown(ButtonCode(event->button()), ShiftState(event->modifiers()), pos.x(), pos.y());
}

void CMSFlexGrid::mouseMoveEvent(QMouseEvent* event) {
  const auto [row, col] = cellAt(event->position().toPoint());
  m_mouseRow = row;
  m_mouseCol = col;
  if (m_rowDrag && (event->buttons() & Qt::LeftButton)) {
    // Dragging down the row numbers selects the rows passed over.
    const int to = clampRow(row >= 0 ? row : event->position().y() < fixedHeightPx() ? m_fixedRows : m_rows - 1);
    if (m_rowAnchor >= 0) {
      const std::vector<char> before = m_rowSelected;
      selectRowRange(m_rowAnchor, to);
      if (before != m_rowSelected) emit RowSelectionChanged();
    }
    return;
  }
  if ((event->buttons() & Qt::LeftButton) && row >= m_fixedRows && col >= m_fixedCols &&
      (row != m_rowSel || col != m_colSel))
    userMoveTo(row, col, true);
}

void CMSFlexGrid::mouseReleaseEvent(QMouseEvent* event) {
  m_rowDrag = false;
  event->accept();
}

void CMSFlexGrid::inputMethodEvent(QInputMethodEvent* event) {
  // Characters composed by an input method arrive here rather than as keys.
  // The first starts like a typed key; the rest follows it to whatever
  // widget the owner gave the focus to.
  const QString text = event->commitString();
  event->accept();
  if (text.isEmpty()) return;
  int code = text.at(0).unicode();
  emit KeyPress(code);
  QWidget* focus = QApplication::focusWidget();
  if (text.size() > 1 && focus && focus != this) {
    QInputMethodEvent rest;
    rest.setCommitString(text.mid(1));
    QCoreApplication::sendEvent(focus, &rest);
  }
}

void CMSFlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  const auto [row, col] = cellAt(event->position().toPoint());
  m_mouseRow = row;
  m_mouseCol = col;
  if (event->button() == Qt::LeftButton && row >= m_fixedRows && col >= m_fixedCols) {
    if (row != m_row || col != m_col) userMoveTo(row, col, false);
    emit DblClick();
  }
}

void CMSFlexGrid::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void CMSFlexGrid::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}
