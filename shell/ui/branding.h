#pragma once
// Branding of a program whose seller names it in files beside it: the window
// icon and the about box's picture from "<program base name>.ico", and
// window titles that stay empty when the configuration leaves them empty.

#include <QDateTime>
#include <QIcon>
#include <QPixmap>
#include <QStringList>

#include <memory>

class QLabel;
class QWidget;

namespace velui {

/// The icon file of a branded program. The candidates are looked at in
/// order and the first that loads wins: the caller lists the file beside the
/// program (where the configuration file is) before the one in the current
/// directory. The file is read again whenever it changes on disk.
class CBrandingIcon {
public:
    explicit CBrandingIcon(QStringList candidates);

    /// Looks at the candidates again and reloads when a file changed.
    void refresh();
    /// Counts the changes refresh() has seen; a shown icon is current when
    /// it was taken at the same generation.
    int generation() const { return generation_; }

    /// Null when no candidate loads.
    QIcon icon() const { return icon_; }
    /// The file's first image at the size stored in it; null when none loads.
    QPixmap picture() const { return picture_; }
    /// The file in use, or empty.
    QString path() const { return path_; }

private:
    struct Stamp {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    QList<Stamp> stamps() const;

    QStringList candidates_;
    QList<Stamp> seen_;
    int generation_ = 0;
    QIcon icon_;
    QPixmap picture_;
    QString path_;
};

/// Gives `window` the icon file as its large and small icon, and no icon of
/// ours when there is none; looked at again whenever the window is shown,
/// activated or painted.
void ShowBrandingIconOn(QWidget* window, std::shared_ptr<CBrandingIcon> icon);

/// Shows the icon file's picture in `label` (empty without a file), looked
/// at again whenever the label paints.
void ShowBrandingPictureIn(QLabel* label, std::shared_ptr<CBrandingIcon> icon);

/// A window whose title is empty shows an empty title bar: the windowing
/// system is given a blank title instead of the program name it would put
/// in the place of an empty one. windowTitle() stays empty.
void KeepEmptyTitleEmpty(QWidget* window);

}  // namespace velui
