#include "shell/ui/branding.h"

#include <QEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QWidget>
#include <QWindow>

#include <functional>

namespace velui {

CBrandingIcon::CBrandingIcon(QStringList candidates) : candidates_(std::move(candidates)) { refresh(); }

QList<CBrandingIcon::Stamp> CBrandingIcon::stamps() const {
    QList<Stamp> list;
    for (const QString& path : candidates_) {
        const QFileInfo info(path);
        Stamp s;
        s.path = path;
        if (info.isFile()) {
            s.size = info.size();
            s.modified = info.lastModified();
        }
        list.append(s);
    }
    return list;
}

void CBrandingIcon::refresh() {
    const QList<Stamp> now = stamps();
    if (now == seen_ && generation_ > 0) return;
    seen_ = now;
    ++generation_;
    icon_ = QIcon();
    picture_ = QPixmap();
    path_.clear();
    for (const Stamp& s : now) {
        if (s.size < 0) continue;
        QImageReader reader(s.path);
        const QImage first = reader.read();
        if (first.isNull()) continue;   // unreadable: the next candidate, or none
        // Every image the file holds, so the platform picks the size it needs.
        QIcon icon;
        QImageReader all(s.path);
        do {
            const QImage image = all.read();
            if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
        } while (all.jumpToNextImage());
        icon_ = icon;
        picture_ = QPixmap::fromImage(first);
        path_ = s.path;
        return;
    }
}

namespace {

// Shows the icon file on a widget: once at once, then again at each of
// `events` when the file has changed since it was last shown.
class IconFollower : public QObject {
public:
    using Show = std::function<void(const CBrandingIcon&)>;
    IconFollower(QWidget* widget, std::shared_ptr<CBrandingIcon> icon, QList<QEvent::Type> events, Show show)
        : QObject(widget), icon_(std::move(icon)), events_(std::move(events)), show_(std::move(show)) {
        widget->installEventFilter(this);
        apply();
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (events_.contains(event->type())) apply();
        return false;
    }

private:
    void apply() {
        icon_->refresh();
        if (shown_ == icon_->generation()) return;
        shown_ = icon_->generation();
        show_(*icon_);
    }

    std::shared_ptr<CBrandingIcon> icon_;
    QList<QEvent::Type> events_;
    Show show_;
    int shown_ = -1;
};

class BlankTitle : public QObject {
public:
    explicit BlankTitle(QWidget* window) : QObject(window), window_(window) { window->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::WinIdChange:
            case QEvent::Show:
            case QEvent::WindowTitleChange:
                apply();
                break;
            default:
                break;
        }
        return false;
    }

private:
    void apply() {
        // An empty title makes the platform show the program's name; a blank
        // is shown as it is.
        QWindow* handle = window_->windowHandle();
        if (handle && window_->windowTitle().isEmpty() && handle->title() != QStringLiteral(" "))
            handle->setTitle(QStringLiteral(" "));
    }

    QWidget* window_;
};

}  // namespace

void ShowBrandingIconOn(QWidget* window, std::shared_ptr<CBrandingIcon> icon) {
    new IconFollower(window, std::move(icon), {QEvent::Paint, QEvent::Show, QEvent::WindowActivate},
                     [window](const CBrandingIcon& file) { window->setWindowIcon(file.icon()); });
}

void ShowBrandingPictureIn(QLabel* label, std::shared_ptr<CBrandingIcon> icon) {
    new IconFollower(label, std::move(icon), {QEvent::Paint, QEvent::Show},
                     [label](const CBrandingIcon& file) { label->setPixmap(file.picture()); });
}

void KeepEmptyTitleEmpty(QWidget* window) { new BlankTitle(window); }

}  // namespace velui
