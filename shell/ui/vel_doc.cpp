#include "shell/ui/vel_doc.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <filesystem>

#include "image/document_file.h"

namespace velui {

/// One step of the history: the document before and after a change.
class DocumentStep : public QUndoCommand {
public:
    DocumentStep(CVelDoc& doc, std::shared_ptr<const vel::DocumentState> before,
                 std::shared_ptr<const vel::DocumentState> after, const QString& label)
        : QUndoCommand(label), doc_(doc), before_(std::move(before)), after_(std::move(after)) {}
    void undo() override { doc_.restore(before_); }
    void redo() override {
        // Pushing the step happens after the change: nothing to do then.
        if (pushed_) doc_.restore(after_);
        pushed_ = true;
    }

private:
    CVelDoc& doc_;
    std::shared_ptr<const vel::DocumentState> before_;
    std::shared_ptr<const vel::DocumentState> after_;
    bool pushed_ = false;
};

CVelDoc::CVelDoc(const vel::Family& family, vel::Lang messageLang, QObject* parent)
    : QObject(parent), family_(family), lang_(messageLang), image_(vel::NewDocumentImage(family)) {}

QString CVelDoc::text(const vel::Text& t) const { return QString::fromStdString(t.in(lang_)); }

QString CVelDoc::title() const {
    if (!path_.isEmpty()) return QFileInfo(path_).fileName();
    return QCoreApplication::translate("CVelDoc", "Untitled");
}

vel::Image CVelDoc::storedImage() const { return storedImage_ ? storedImage_() : image_; }

void CVelDoc::onNewDocument() {
    image_ = vel::NewDocumentImage(family_);
    path_.clear();
    clean_.reset();
}

CVelDoc::Outcome CVelDoc::openDocument(const QString& path) {
    Outcome out;
    const std::filesystem::path file = QFileInfo(path).absoluteFilePath().toStdU16String();
    vel::ChannelFileLoadResult loaded = vel::LoadChannelFile(file, static_cast<std::size_t>(family_.imageSize));
    if (!loaded.ok) {
        out.message = loaded.message ? text(*loaded.message)
                                     : QCoreApplication::translate("CVelDoc", "The file could not be read.");
        return out;
    }
    image_ = std::move(loaded.image);
    path_ = QFileInfo(path).absoluteFilePath();
    clean_.reset();
    out.ok = true;
    if (loaded.warning) out.warning = text(*loaded.warning);
    return out;
}

CVelDoc::Outcome CVelDoc::saveDocument(const QString& path) {
    Outcome out;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    vel::ChannelFileSaveResult saved = vel::SaveChannelFile(absolute.toStdU16String(), image_);
    if (!saved.ok) {
        out.message = saved.message ? text(*saved.message)
                                    : QCoreApplication::translate("CVelDoc", "The file could not be saved.");
        return out;
    }
    path_ = absolute;
    clean_ = image_;
    undo_.setClean();
    out.ok = true;
    return out;
}

bool CVelDoc::isModified() const {
    if (!clean_) return false;
    return storedImage() != *clean_;
}

void CVelDoc::markClean() {
    clean_ = storedImage();
    undo_.setClean();
}

void CVelDoc::setTableAccess(std::function<vel::ChannelTable()> read,
                             std::function<void(const vel::ChannelTable&)> write) {
    readTable_ = std::move(read);
    writeTable_ = std::move(write);
}

vel::DocumentState CVelDoc::capture() const {
    return vel::CaptureState(image_, readTable_ ? readTable_() : vel::ChannelTable{});
}

void CVelDoc::startHistory() {
    undo_.clear();
    current_ = std::make_shared<const vel::DocumentState>(capture());
    undo_.setClean();
}

bool CVelDoc::recordChange(const QString& label) {
    auto now = std::make_shared<const vel::DocumentState>(capture());
    if (!current_) {
        current_ = std::move(now);
        return false;
    }
    if (vel::SameDocument(family_, *current_, *now)) return false;
    auto before = current_;
    current_ = now;
    undo_.push(new DocumentStep(*this, std::move(before), std::move(now), label));
    return true;
}

void CVelDoc::undo() {
    recordChange(QCoreApplication::translate("CVelDoc", "Edit"));
    undo_.undo();
}

void CVelDoc::redo() {
    // A change not yet recorded becomes a step, which ends what could be redone.
    recordChange(QCoreApplication::translate("CVelDoc", "Edit"));
    undo_.redo();
}

void CVelDoc::restore(const std::shared_ptr<const vel::DocumentState>& state) {
    image_ = state->image;
    if (writeTable_) writeTable_(vel::TableOf(*state));
    current_ = state;
}

}  // namespace velui
