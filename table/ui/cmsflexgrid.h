#pragma once
// CMSFlexGrid: the cell grid of the channel table and of the two-tone encode
// page. It holds one text per cell, shows fixed rows at the top and fixed
// columns at the left that stay put while the rest scrolls by whole rows and
// columns, and tells its owner about cell changes, keys and clicks through the
// signals below. It never edits a cell by itself: owners lay their own editor
// widgets over the current cell (children of editorParent(), placed from the
// cell geometry in twips).
//
// Geometry is in twips, 1440 to the inch at the widget's logical resolution.
// Cell positions are relative to the grid's client area (editorParent()).
//
// Events:
//  - LeaveCell comes before the current cell changes, EnterCell after it;
//    both only for changes made by the user (mouse, keys). SetRow/SetCol move
//    the current cell silently.
//  - Scroll follows every change of the first scrolled row or column.
//  - KeyPress carries the character of a key press; a handler that sets the
//    code to 0 swallows it. Navigation keys never reach KeyPress.
//  - MouseDown(button, shift, x, y) follows a press after the current cell has
//    followed the click; button 1 left, 2 right, 4 middle; shift 1 Shift,
//    2 Ctrl, 4 Alt; x and y in pixels of the client area.
//  - DblClick follows a double click on a cell.

#include <QAbstractScrollArea>
#include <QString>
#include <vector>

class CMSFlexGrid : public QAbstractScrollArea {
  Q_OBJECT
public:
  /// Column alignments (the values callers pass to SetColAlignment).
  enum Alignment : short {
    LeftTop = 0, LeftCenter = 1, LeftBottom = 2,
    CenterTop = 3, CenterCenter = 4, CenterBottom = 5,
    RightTop = 6, RightCenter = 7, RightBottom = 8,
    General = 9,
  };

  static constexpr int kTwipsPerInch = 1440;

  explicit CMSFlexGrid(QWidget* parent = nullptr);

  // Shape.
  int GetRows() const { return m_rows; }
  int GetCols() const { return m_cols; }
  void SetRows(int rows);
  void SetCols(int cols);
  int GetFixedRows() const { return m_fixedRows; }
  int GetFixedCols() const { return m_fixedCols; }
  void SetFixedRows(int n);
  void SetFixedCols(int n);

  // Texts.
  QString GetTextMatrix(int row, int col) const;
  void SetTextMatrix(int row, int col, const QString& text);
  QString GetText() const { return GetTextMatrix(m_row, m_col); }
  void SetText(const QString& text) { SetTextMatrix(m_row, m_col, text); }
  /// Empties every cell, fixed ones included.
  void Clear();

  // Current cell and selection.
  int GetRow() const { return m_row; }
  int GetCol() const { return m_col; }
  void SetRow(int row);
  void SetCol(int col);
  int GetRowSel() const { return m_rowSel; }
  int GetColSel() const { return m_colSel; }
  void SetRowSel(int row);
  void SetColSel(int col);
  /// Whole rows selected on the fixed column (a click or drag there; Shift
  /// extends from the row clicked first, Ctrl adds or removes one row;
  /// Shift+Space selects the current row), ascending; empty when none. A
  /// move of the current cell by the user without Shift ends it.
  std::vector<int> GetSelectedRows() const;
  /// Selects whole rows from code (no events); an empty list ends the row selection.
  void SelectRows(const std::vector<int>& rows);
  /// Row and column under the mouse at the last press or move (-1 outside).
  int GetMouseRow() const { return m_mouseRow; }
  int GetMouseCol() const { return m_mouseCol; }

  // Geometry of the current cell, twips, as it lies in the client area.
  // Reading the position first scrolls the current cell into view.
  long GetCellLeft();
  long GetCellTop();
  long GetCellWidth() const;
  long GetCellHeight() const;

  /// Width in twips that every column has until it is set: room for nine
  /// digits of the grid's font, at least 960 twips.
  long GetDefaultColWidth() const { return m_defaultColWidth; }

  // Column widths, row heights (twips) and alignment.
  long GetColWidth(int col) const;
  void SetColWidth(int col, long twips);
  long GetRowHeight(int row) const;
  void SetRowHeight(int row, long twips);
  short GetColAlignment(int col) const;
  void SetColAlignment(int col, short alignment);

  // Scrolling.
  int GetTopRow() const { return m_fixedRows + m_vOffset; }
  int GetLeftCol() const { return m_fixedCols + m_hOffset; }
  void SetTopRow(int row);
  void SetLeftCol(int col);
  /// Scrolls as little as needed to bring cell (row, col) into view.
  void ShowCell(int row, int col);

  void Refresh();

  /// Parent for editor widgets laid over cells; cell geometry is relative to it.
  QWidget* editorParent() const { return viewport(); }
  /// Twips of `pixels` horizontally / vertically at the grid's resolution.
  long twipsX(int pixels) const;
  long twipsY(int pixels) const;
  int pixelsX(long twips) const;
  int pixelsY(long twips) const;
  /// Client-area rectangle of cell (row, col) in pixels; empty when it is not shown.
  QRect cellRect(int row, int col) const;
  /// Cell at client-area point `p`, or (-1, -1).
  std::pair<int, int> cellAt(const QPoint& p) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  /// Width in pixels at which every column shows beside the vertical scroll
  /// bar, frame included.
  int widthForAllColumns() const;

signals:
  void EnterCell();
  void LeaveCell();
  void Scroll();
  void KeyPress(int& keyAscii);
  void MouseDown(short button, short shift, int x, int y);
  void DblClick();
  /// The whole-row selection changed by the user.
  void RowSelectionChanged();

protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool viewportEvent(QEvent* event) override;

private:
  int colPx(int col) const;
  int rowPx(int row) const;
  int fixedWidthPx() const;
  int fixedHeightPx() const;
  /// x of the left edge of column `col` in client pixels (scrolled columns
  /// that are scrolled out of view give -1).
  int colX(int col) const;
  int rowY(int row) const;
  void updateScrollBars();
  /// Moves the current cell as the user does: LeaveCell, move, EnterCell.
  void userMoveTo(int row, int col, bool extend);
  void resizeCells();
  int clampRow(int row) const;
  int clampCol(int col) const;
  /// Selects rows `from`..`to` only.
  void selectRowRange(int from, int to);
  bool rowSelected(int row) const { return row >= 0 && row < int(m_rowSelected.size()) && m_rowSelected[row]; }
  bool hasRowSelection() const;

  int m_rows = 2;
  int m_cols = 2;
  int m_fixedRows = 1;
  int m_fixedCols = 1;
  int m_row = 1;
  int m_col = 1;
  int m_rowSel = 1;
  int m_colSel = 1;
  int m_mouseRow = -1;
  int m_mouseCol = -1;
  int m_vOffset = 0;   // scrolled rows below the fixed ones
  int m_hOffset = 0;   // scrolled columns right of the fixed ones
  bool m_inScrollUpdate = false;
  long m_defaultRowHeight = 0;
  long m_defaultColWidth = 960;
  std::vector<std::vector<QString>> m_text;
  std::vector<long> m_colWidth;   // twips
  std::vector<long> m_rowHeight;  // twips
  std::vector<short> m_align;
  std::vector<char> m_rowSelected;   // whole rows selected, by row
  int m_rowAnchor = -1;              // row a Shift-extension of the row selection starts from
  bool m_rowDrag = false;            // the left button went down on the fixed column
};
