#pragma once
// The main window: menus, toolbar, accelerators and status bar, all built
// from the application's FrameProfile. Every command runs the handler that
// the application installed for its identifier (setHandler), so later
// features replace a handler instead of editing the window.

#include <QMainWindow>

#include <functional>
#include <map>

#include "shell/ui/command_table.h"
#include "shell/window_placement.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QToolBar;

namespace velui {

/// Registers the shell's icons (once); the frame does it when it is built.
void EnsureShellResources();

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    /// `look` carries the resolved window title (the document's name is never
    /// added to it), the about item's text, the size and the position.
    CMainFrame(const FrameProfile& profile, const FrameLook& look, QWidget* parent = nullptr);

    const FrameProfile& profile() const { return profile_; }

    /// The action of command `id` (menu item, toolbar button or accelerator), or nullptr.
    QAction* action(int id) const;
    /// The menu titled `title` (its text as shown, with "&"), or nullptr.
    QMenu* menu(const QString& title) const;
    QToolBar* commandBar() const { return toolBar_; }

    using Handler = std::function<void()>;
    /// Installs the handler of command `id`; a later call replaces it.
    void setHandler(int id, Handler handler);
    bool hasHandler(int id) const { return handlers_.count(id) != 0; }
    /// Runs command `id` as if the user had chosen it, then the after-command hook.
    void execute(int id);
    /// Called with the identifier of every command after its handler ran
    /// (the application records the command's change of the document there).
    void setAfterCommand(std::function<void(int)> hook) { afterCommand_ = std::move(hook); }
    /// The command's menu text without its "&" marks and shortcut label.
    QString commandLabel(int id) const;

    /// The selected serial port, "COM1" to "COM4"; "COM1" at start.
    QString portName() const { return port_; }
    void selectPort(const QString& name);
    /// Tells each port command's status prompt which device the port stands for.
    void setPortDevices(const std::map<QString, QString>& devices);

    /// Text of status-bar pane 0.
    QString paneText() const;
    void setPaneText(const QString& text);
    /// Pane 0 text while nothing else is shown: "For Help，Please Press F1".
    QString idleText() const;
    /// The indicator panes after pane 0 ("CAP", "NUM", "SCRL").
    QList<QLabel*> indicatorPanes() const { return indicators_; }

    /// Shows the recent-file entries in the File menu (at most four).
    void setRecentFiles(const QStringList& paths);

    /// Asked before the window closes; returning false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }
    /// Called with the first ".sin" file dropped on the window.
    void setDropHandler(std::function<void(const QString&)> handler) { dropHandler_ = std::move(handler); }

    /// The files among `urls` that the window opens when dropped: local ".sin" files.
    static QStringList DroppableFiles(const QList<QUrl>& urls);

    /// Centres the window on its screen.
    void centreOnScreen();

    /// Start-up placement on a screen whose available area is `available`
    /// (without panels): `saved` when it fits there, else the program's size
    /// (at least `contentWidth` wide) cut to the area and centred. After the
    /// window is shown, the placement is checked once more with the frame the
    /// window system really draws, and cut again when that frame sticks out.
    void placeAtStart(const QRect& available, int contentWidth,
                      const std::optional<vel::WindowPlacement>& saved = std::nullopt);
    /// The placement to remember: the frame's corner and the client size of
    /// the window in its normal (not maximised) state.
    vel::WindowPlacement placement() const;
    /// The frame the window system draws around the window (none on a bare
    /// X server); an assumed one while the window is not shown.
    vel::FrameMargins frameMargins() const;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildActions();
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    QString commandText(int id, const char* literal) const;
    void refreshPortPrompts();
    void keepOnScreen();

    FrameProfile profile_;
    std::map<int, QAction*> actions_;
    std::map<int, Handler> handlers_;
    QList<QMenu*> menus_;
    QMenu* fileMenu_ = nullptr;
    QList<QAction*> recentActions_;
    QToolBar* toolBar_ = nullptr;
    QLabel* pane0_ = nullptr;
    QList<QLabel*> indicators_;
    QActionGroup* portGroup_ = nullptr;
    QString port_ = QStringLiteral("COM1");
    std::map<QString, QString> portDevices_;
    std::function<bool()> closeGuard_;
    std::function<void(const QString&)> dropHandler_;
    QSize partSize_;                 // the program's own window size
    int contentWidth_ = 0;           // width that shows every column
    QRect startArea_;                // available area of the start-up placement; null: none
    int frameChecks_ = 0;            // frame checks left after the first show
    std::function<void(int)> afterCommand_;
};

}  // namespace velui
