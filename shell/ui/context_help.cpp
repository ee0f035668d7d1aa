#include "shell/ui/context_help.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QWidget>

#include <initializer_list>

namespace velui {

namespace {

/// The help pages of each window class (without its namespace), the most
/// fitting first: the programs' help folders name their topics differently
/// (Velmar_V's "optional.html" is the 16-channel programs' "settings.html").
struct ClassPages {
    const char* className;
    std::initializer_list<const char*> pages;
};

const ClassPages kClassPages[] = {
    {"CMainFrame", {"editing.html"}},                    // the channel table and its form
    {"ProgressDialog", {"reading.html"}},                // unless the dialog names its page
    {"CTestModeDlg", {"testmode.html"}},
    {"COptionalFeaturesDlg", {"optional.html", "settings.html"}},
    {"CKeyAssignmentDlg", {"settings.html"}},
    {"CSettingsDlg", {"settings.html", "optional.html"}},   // a family's dialog over its model
    {"CTwoToneDlg", {"twotone.html"}},
    {"CChannelEditDlg", {"channeledit.html"}},
    {"CCheckResultDlg", {"safety.html", "writing.html"}},
    {"CDifferenceListDlg", {"safety.html", "writing.html"}},
    {"CImportChannelsDlg", {"editing.html"}},
    {"QPrintDialog", {"printing.html", "report.html"}},
    {"QPrintPreviewDialog", {"printing.html", "report.html"}},
    {"QPageSetupDialog", {"printing.html", "report.html"}},
    {"QFileDialog", {"saving.html"}},
    {"CAboutDlg", {kHelpContentsPage}},
    {"CHelpWindow", {kHelpContentsPage}},
};

/// True for windows that belong to the window they were opened from: message
/// boxes, drop-down lists, menus and tips.
bool BelongsToParent(const QWidget* w) {
    const Qt::WindowType type = w->windowType();
    return qobject_cast<const QMessageBox*>(w) != nullptr || type == Qt::Popup || type == Qt::ToolTip;
}

}  // namespace

QStringList HelpPagesFor(const QWidget* window) {
    for (const QWidget* w = window ? window->window() : nullptr; w;) {
        const QVariant own = w->property(kHelpPageProperty);
        if (own.isValid() && !own.toString().isEmpty()) return {own.toString()};
        // The class itself or one it is derived from (a family's own dialog
        // derived from a shared one keeps the shared page).
        for (const QMetaObject* meta = w->metaObject(); meta; meta = meta->superClass()) {
            QString name = QString::fromLatin1(meta->className());
            if (const auto sep = name.lastIndexOf(QLatin1String("::")); sep >= 0) name = name.mid(sep + 2);
            for (const ClassPages& entry : kClassPages) {
                if (name != QLatin1String(entry.className)) continue;
                QStringList pages;
                for (const char* page : entry.pages) pages << QString::fromLatin1(page);
                return pages;
            }
        }
        if (!BelongsToParent(w) || !w->parentWidget()) break;
        w = w->parentWidget()->window();
    }
    return {};
}

QString HelpPageFor(const QWidget* window, const QString& folder) {
    const QStringList pages = HelpPagesFor(window);
    if (folder.isEmpty()) return pages.isEmpty() ? QString::fromLatin1(kHelpContentsPage) : pages.front();
    for (const QString& page : pages)
        if (QFileInfo(QDir(folder).filePath(page)).isFile()) return page;
    return QString::fromLatin1(kHelpContentsPage);
}

CHelpKeyFilter::CHelpKeyFilter(Handler handler, QObject* parent) : QObject(parent), handler_(std::move(handler)) {}

bool CHelpKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    // The key reaches the window system's window first, then the widget that
    // has the keyboard: the widget tells the window in front.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return QObject::eventFilter(watched, event);
    if (type == QEvent::ShortcutOverride) {
        // Claim the key before the main window's accelerator takes it, so
        // that a window in front of the main window gets its own page.
        event->accept();
        return true;
    }
    if (handler_) handler_(widget->window());
    return true;
}

}  // namespace velui
