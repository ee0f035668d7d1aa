#pragma once
// The document: the memory image of one radio, the file it came from, and
// what was last opened or saved, so that no work is lost silently.

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"

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

private:
    QString text(const vel::Text& t) const;

    const vel::Family& family_;
    vel::Lang lang_;
    vel::Image image_;
    QString path_;
    std::optional<vel::Image> clean_;
    std::function<vel::Image()> storedImage_;
};

}  // namespace velui
