#include "shell/ui/vel_doc.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <filesystem>

#include "image/document_file.h"

namespace velui {

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
    out.ok = true;
    return out;
}

bool CVelDoc::isModified() const {
    if (!clean_) return false;
    return storedImage() != *clean_;
}

void CVelDoc::markClean() { clean_ = storedImage(); }

}  // namespace velui
