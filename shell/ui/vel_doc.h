#pragma once
// The document: the memory image of one radio, the file it came from, and
// what was last opened or saved, so that no work is lost silently.

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <optional>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"
#include "table/channel_table.h"
#include "table/document_state.h"

namespace velui {

class CVelDoc : public QObject {
    Q_OBJECT
public:
    CVelDoc(const vel::Family& family, vel::Lang messageLang, QObject* parent = nullptr);

    const vel::Family& family() const { return family_; }
    vel::Image& image() { return image_; }
    const vel::Image& image() const { return image_; }

    /// Full path of the document's file; empty while untitled.
    const QString& pathName() const { return path_; }
    /// The name the document goes by: its file name, or the family's new-file name.
    QString title() const;

    /// What saving now would write: the image with the channel table stored
    /// into it. The view provides it; without a view it is the image itself.
    void setStoredImageSource(std::function<vel::Image()> source) { storedImage_ = std::move(source); }
    vel::Image storedImage() const;

    /// A new untitled document with the family's defaults.
    void onNewDocument();

    struct Outcome {
        bool ok = false;
        QString message;   // why it failed (ok false)
        QString warning;   // something to tell although it worked
    };

    /// Reads `path`. On failure nothing of the document changes (image, path,
    /// what counts as saved).
    Outcome openDocument(const QString& path);
    /// Writes `image()` to `path` (the caller stores the table first) in one
    /// atomic replacement; on success the document takes the path.
    Outcome saveDocument(const QString& path);

    /// True when saving now would write something other than what the
    /// document held when it was last created, opened or saved.
    bool isModified() const;
    /// Takes what saving now would write as the saved state.
    void markClean();

    // --- Undo history ------------------------------------------------------
    //
    // One step per change of the document: the image and the channel table's
    // texts before and after it. recordChange() is the one way in: whatever
    // changed the document (a cell, a row operation, a dialog's OK, an import,
    // a Read), calling it afterwards makes the change one step. The main
    // window calls it after every command; code that changes the document
    // outside a command calls it itself. A change that was not recorded joins
    // the next step, so nothing is ever missing from the history.

    /// How the history reads and shows the view's channel table.
    void setTableAccess(std::function<vel::ChannelTable()> read, std::function<void(const vel::ChannelTable&)> write);
    /// When the document differs from the history's last step, pushes one
    /// step named `label` and returns true.
    bool recordChange(const QString& label);
    /// The history starts again with the document as it is now (New, Open).
    void startHistory();
    /// Undoes or redoes one step (a change not yet recorded becomes a step first).
    void undo();
    void redo();
    QUndoStack* undoStack() { return &undo_; }

private:
    friend class DocumentStep;
    void restore(const std::shared_ptr<const vel::DocumentState>& state);
    vel::DocumentState capture() const;
    QString text(const vel::Text& t) const;

    const vel::Family& family_;
    vel::Lang lang_;
    vel::Image image_;
    QString path_;
    std::optional<vel::Image> clean_;
    std::function<vel::Image()> storedImage_;
    std::function<vel::ChannelTable()> readTable_;
    std::function<void(const vel::ChannelTable&)> writeTable_;
    QUndoStack undo_;
    std::shared_ptr<const vel::DocumentState> current_;   // the document as the last step left it
};

}  // namespace velui
