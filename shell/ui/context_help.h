#pragma once
// F1: the help page of the window in front. Every window of the application
// maps to a page of the help folder by its class (the main window to the
// channel table's page, the test-mode dialog to the test mode's page, …); a
// window may name its page itself in the dynamic property kHelpPageProperty
// (the progress dialog names the reading or writing page). A class may name
// several pages, for help folders that call the topic differently; a program
// whose help has none of them opens the contents page instead.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace velui {

/// Dynamic property through which a window names its help page ("reading.html").
inline constexpr const char* kHelpPageProperty = "helpPage";

/// The contents page of every help folder.
inline constexpr const char* kHelpContentsPage = "index.html";

/// The help pages of the window `window` belongs to, the most fitting
/// first: its own kHelpPageProperty, else its class's pages; a window with
/// neither (a message box, a drop-down list) takes the pages of the window it
/// was opened from. Empty when nothing names one.
QStringList HelpPagesFor(const QWidget* window);

/// The page F1 opens over `window`: the first of HelpPagesFor that exists in
/// the help folder `folder`, else the contents page. Without a folder, the
/// first page named (the contents page when none is).
QString HelpPageFor(const QWidget* window, const QString& folder = QString());

/// Watches every key press of the application: F1 without modifiers, in any
/// window, calls the handler with the window in front instead of reaching the
/// window. Shift+F1 and every other key go on as before.
class CHelpKeyFilter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(QWidget* window)>;
    explicit CHelpKeyFilter(Handler handler, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler handler_;
};

}  // namespace velui
