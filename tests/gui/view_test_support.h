#pragma once
// Helpers of the form view tests: a view on a document image, real mouse and
// key input on its cells, and a catcher that reads and closes message boxes.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <memory>

#include "image/encodings.h"
#include "image/family.h"
#include "table/ui/cmsflexgrid.h"
#include "table/ui/vel_view.h"

/// Reads and closes every message box that comes up while it lives.
class MessageCatcher : public QObject {
public:
  QStringList texts;
  QStringList titles;

  MessageCatcher() {
    connect(&m_timer, &QTimer::timeout, this, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts << box->text();
        titles << box->windowTitle();
        box->done(QMessageBox::Ok);
      }
    });
    m_timer.start(5);
  }
  void clear() {
    texts.clear();
    titles.clear();
  }

private:
  QTimer m_timer;
};

/// A view of one family on a new document, shown and initially updated.
struct ViewHarness {
  const vel::Family& family;
  vel::Image image;
  std::unique_ptr<CVelView> view;

  ViewHarness(const vel::Family& f, vel::Lang lang) : family(f), image(vel::NewDocumentImage(f)) {
    view = std::make_unique<CVelView>(f, lang);
    view->setImage(&image);
    view->resize(1100, 700);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get())) qWarning("view not exposed");
    view->activateWindow();
    view->initialUpdate();
  }

  CMSFlexGrid* grid() { return view->grid(); }
  QString cell(int row, int col) { return grid()->GetTextMatrix(row, col); }

  template <class W>
  W* child(const char* name) {
    return view->findChild<W*>(QString::fromLatin1(name));
  }
  QLineEdit* freqEdit() { return child<QLineEdit>("frequencyEdit"); }
  QLineEdit* nameEdit() { return child<QLineEdit>("nameEdit"); }
  QComboBox* toneBox() { return child<QComboBox>("toneBox"); }
  QComboBox* list(int id) { return view->findChild<QComboBox*>(QStringLiteral("list%1").arg(id)); }
  QComboBox* field(int id) { return view->findChild<QComboBox*>(QStringLiteral("field%1").arg(id)); }

  /// The editors that are shown.
  QStringList visibleEditors() {
    QStringList names;
    for (QWidget* w : grid()->editorParent()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (w->isVisible()) names << w->objectName();
    return names;
  }

  QPoint centreOf(int row, int col) {
    grid()->ShowCell(row, col);
    return grid()->cellRect(row, col).center();
  }

  /// A left click on a cell, where the mouse really is (an editor lying over
  /// the cell gets it).
  void click(int row, int col) { QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, centreOf(row, col)); }

  /// The widget with the keyboard focus. After a message box the form's
  /// window is activated again by the window system, which takes a turn of
  /// the event loop, as it takes the user a moment to type on.
  QWidget* focus() {
    if (!QApplication::focusWidget()) (void)QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 2000);
    return QApplication::focusWidget();
  }

  /// Types `text` key by key into whatever has the keyboard focus.
  void type(const QString& text) {
    for (const QChar ch : text) {
      QWidget* w = focus();
      if (!w) {
        qWarning("no focus widget");
        return;
      }
      if (ch.unicode() < 0x80) QTest::keyClick(w, char(ch.unicode()));
      else QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), {});
    }
  }
  void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(focus(), k, m); }
  void enter() { key(Qt::Key_Return); }

  /// Writes a channel into the image (record and name), as a file or the
  /// radio would have it.
  void putChannel(int channel, std::int64_t rx, std::int64_t tx, const char* rxTone = "OFF",
                  const char* txTone = "OFF") {
    vel::Byte* rec = &image[static_cast<std::size_t>(family.recordAddr(channel))];
    vel::StoreFrequencyUnits(rec, rx);
    vel::StoreFrequencyUnits(rec + 4, tx);
    vel::StoreToneText(rxTone, rec[9], rec[8]);
    vel::StoreToneText(txTone, rec[11], rec[10]);
  }
};
