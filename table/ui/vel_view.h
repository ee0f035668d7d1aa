#pragma once
// The form view of every application: the radio-wide lists around the
// channel grid and the floating cell editors laid over the grid's cells.
// The form's layout, the columns and their lists come from the family
// descriptor; every editing rule comes from velcore (table/channel_table.h,
// table/edit_rules.h). The widgets only show texts and route events.

#include <QWidget>
#include <functional>
#include <memory>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"
#include "table/channel_table.h"

class CMSFlexGrid;
class QAction;

class CVelView : public QWidget {   // the form: lists + grid + floating editors
  Q_OBJECT
public:
  CVelView(const vel::Family&, vel::Lang displayLang, QWidget* parent = nullptr);
  ~CVelView() override;

  void setImage(vel::Image* image);      // the document's image (owned by the document)
  void initialUpdate();                   // after New/Open/first start (see the view's initial update)
  void fillChannelGrid();                 // image -> table
  void storeChannelGrid();                // table -> image
  vel::Image storedImage() const;         // what a store would give, without touching the image (unsaved-changes check)
  void commitCurrentCell();               // commit the open editor as LeaveCell does (before Read/Write/Save)
  void editData();                        // the Edit Data command
  const vel::ChannelTable& table() const;
  CMSFlexGrid* grid();
  void setChannelDialogHandler(std::function<void(int row)>);  // double-click hook (signalling dialog, a later issue)

  // Additions beyond the agreed interface.
  const vel::Family& family() const { return m_family; }
  vel::Lang displayLang() const { return m_lang; }
  /// Title of the view's message boxes (default: the main window's title,
  /// else the application's name).
  void setMessageTitle(const QString& title);
  /// Grid row of the channel whose signalling dialog was last opened (0: none).
  int signallingRow() const { return m_signallingRow; }
  /// w: the width in twips from which the column widths were laid out.
  long columnBaseWidth() const;
  /// Width in pixels at which the form shows every column of the grid and
  /// its lists, margins included.
  int widthForAllColumns() const;
  /// The text of the form's Data Password box (the form's digits box), as
  /// the view has taken it; empty for a family without one.
  std::string dataPasswordText() const;

  /// Shows `table` (cells and form) as it stands, editors closed: undo and redo.
  void setTable(const vel::ChannelTable& table);

  // Edit commands. They work on the whole rows selected on the channel
  // numbers, else on the cells selected (the current cell at least); an
  // open editor is committed first. A refused command says why and changes
  // nothing.
  void copySelection();                 // the selection to the clipboard as tab-separated text
  void cutSelection();                  // copy, then clear
  void pasteClipboard(bool inserted);   // over the selection, or inserted above it
  void insertEmptyChannels();
  void deleteChannels();
  void moveChannels(int delta);         // -1 up, +1 down
  void fillDown();
  void clearSelection();                // the Delete key: empty the selected cells
  void selectAllChannels();
  /// Actions of the grid's context menu (nullptr: a separator).
  void setContextMenuActions(const QList<QAction*>& actions);

signals:
  void statusHint(const QString& text);   // status-bar pane 0 text
  /// The user changed the table or the form; `what` names the change (an undo step).
  void documentChanged(const QString& what);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  struct Impl;
  const vel::Family& m_family;
  vel::Lang m_lang;
  int m_signallingRow = 0;
  std::unique_ptr<Impl> d;
};
