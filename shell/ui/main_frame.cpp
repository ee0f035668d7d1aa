#include "shell/ui/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

// Resources of a static library must be registered by name from outside any namespace.
static void InitShellResources() { Q_INIT_RESOURCE(shell); }

namespace velui {

void EnsureShellResources() {
    static const bool done = (InitShellResources(), true);
    (void)done;
}

namespace {
QString Tr(const char* text) { return QCoreApplication::translate("CMainFrame", text); }
}  // namespace

CMainFrame::CMainFrame(const FrameProfile& profile, const FrameLook& look, QWidget* parent)
    : QMainWindow(parent), profile_(profile) {
    EnsureShellResources();
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(look.title);
    setWindowIcon(QIcon(QStringLiteral(":/shell/icons/app.svg")));
    buildActions();
    if (!look.aboutItem.isEmpty()) action(ID_APP_ABOUT)->setText(look.aboutItem);
    buildMenus();
    buildToolBar();
    buildStatusBar();
    partSize_ = look.size;
    resize(look.size);
    if (look.position) move(*look.position);
    setAcceptDrops(true);
}

QString CMainFrame::commandText(int id, const char* literal) const {
    if (literal) return QString::fromUtf8(literal);
    const CommandSpec* command = FindCommand(id);
    return command ? Tr(command->text) : QString();
}

void CMainFrame::buildActions() {
    // One action per command; a command that is both a menu item and a
    // toolbar button is one action, so its check mark and handler are shared.
    for (const CommandSpec& command : AllCommands()) {
        auto* act = new QAction(Tr(command.text), this);
        act->setObjectName(QStringLiteral("command_%1").arg(command.id));
        act->setData(command.id);
        if (*command.prompt) act->setStatusTip(Tr(command.prompt));
        if (*command.tip) act->setToolTip(Tr(command.tip));
        if (*command.icon) act->setIcon(QIcon(QString::fromLatin1(command.icon)));
        act->setCheckable(command.checkable);
        // Menu texts carry their shortcut labels after a tab; the only working
        // shortcuts are the profile's accelerators, set below.
        act->setShortcuts({});
        const int id = command.id;
        connect(act, &QAction::triggered, this, [this, id] { execute(id); });
        actions_[id] = act;
        addAction(act);   // accelerators work wherever the focus is in the window
    }
    for (const Accelerator& acc : profile_.accelerators) {
        if (QAction* act = action(acc.id)) {
            QList<QKeySequence> keys = act->shortcuts();
            keys.append(acc.key);
            act->setShortcuts(keys);
        }
    }

    portGroup_ = new QActionGroup(this);
    portGroup_->setExclusive(true);
    for (int id : SelectablePortCommands()) {
        QAction* act = action(id);
        portGroup_->addAction(act);
        const QString name = PortNameOf(id);
        setHandler(id, [this, name] { selectPort(name); });
    }
    selectPort(port_);

    // F1 has a handler that does nothing; F6 and Shift+F6 look for panes and find none.
    setHandler(ID_HELP, [] {});
    setHandler(ID_NEXT_PANE, [] {});
    setHandler(ID_PREV_PANE, [] {});
}

void CMainFrame::buildMenus() {
    for (const MenuSpec& menu : profile_.menus) {
        const QString title = menu.literalTitle ? QString::fromUtf8(menu.literalTitle) : Tr(menu.title);
        QMenu* m = menuBar()->addMenu(title);
        menus_.append(m);
        for (const MenuItem& item : menu.items) {
            if (item.id == ID_SEPARATOR) {
                m->addSeparator();
                continue;
            }
            QAction* act = action(item.id);
            if (!act) continue;
            if (item.literal) act->setText(commandText(item.id, item.literal));
            if (item.literalPrompt) {
                const QStringList parts = QString::fromUtf8(item.literalPrompt).split(QLatin1Char('\n'));
                act->setStatusTip(parts.front());
                act->setToolTip(parts.size() > 1 ? parts[1] : QString());
            }
            m->addAction(act);
            if (item.id == ID_FILE_MRU_FILE1) fileMenu_ = m;
        }
    }
    setRecentFiles({});

    QAction* toolbarToggle = action(ID_VIEW_TOOLBAR);
    QAction* statusToggle = action(ID_VIEW_STATUS_BAR);
    toolbarToggle->setChecked(true);
    statusToggle->setChecked(true);
    setHandler(ID_VIEW_TOOLBAR, [this] { toolBar_->setVisible(!toolBar_->isVisible()); });
    setHandler(ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
}

void CMainFrame::buildToolBar() {
    toolBar_ = new QToolBar(Tr(QT_TRANSLATE_NOOP("CMainFrame", "Standard")), this);
    toolBar_->setObjectName(QStringLiteral("commandBar"));
    toolBar_->setIconSize(QSize(18, 18));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (int id : profile_.toolbar) {
        if (id == ID_SEPARATOR) {
            toolBar_->addSeparator();
            continue;
        }
        if (QAction* act = action(id)) toolBar_->addAction(act);
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
    connect(toolBar_, &QToolBar::visibilityChanged, this,
            [this](bool visible) { action(ID_VIEW_TOOLBAR)->setChecked(visible); });
}

void CMainFrame::buildStatusBar() {
    QStatusBar* bar = statusBar();
    pane0_ = new QLabel(idleText(), bar);
    pane0_->setObjectName(QStringLiteral("pane0"));
    bar->addWidget(pane0_, 1);
    // The lock-key state is not reported by every platform; the indicators
    // show their names, as the panes of a keyboard in its usual state.
    for (const char* name : {QT_TRANSLATE_NOOP("CMainFrame", "CAP"), QT_TRANSLATE_NOOP("CMainFrame", "NUM"),
                             QT_TRANSLATE_NOOP("CMainFrame", "SCRL")}) {
        auto* label = new QLabel(Tr(name), bar);
        label->setObjectName(QString::fromLatin1(name));
        label->setAlignment(Qt::AlignCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(label->text()) + 12);
        label->setEnabled(false);
        bar->addPermanentWidget(label);
        indicators_.append(label);
    }
}

QAction* CMainFrame::action(int id) const {
    // A recent-file entry stands in for the "Recent File" placeholder.
    for (QAction* act : recentActions_)
        if (act->data().toInt() == id) return act;
    auto it = actions_.find(id);
    return it != actions_.end() ? it->second : nullptr;
}

QMenu* CMainFrame::menu(const QString& title) const {
    for (QMenu* m : menus_)
        if (m->title() == title) return m;
    return nullptr;
}

void CMainFrame::setHandler(int id, Handler handler) { handlers_[id] = std::move(handler); }

void CMainFrame::execute(int id) {
    auto it = handlers_.find(id);
    if (it != handlers_.end() && it->second) it->second();
    if (id == ID_VIEW_STATUS_BAR) action(id)->setChecked(statusBar()->isVisible());
    if (id == ID_VIEW_TOOLBAR) action(id)->setChecked(toolBar_->isVisible());
    if (afterCommand_) afterCommand_(id);
}

QString CMainFrame::commandLabel(int id) const {
    QAction* act = action(id);
    QString text = act ? act->text() : QString();
    text = text.section(QLatin1Char('\t'), 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));   // "读频(&U)"
    text.remove(QLatin1Char('&'));
    return text.trimmed();
}

void CMainFrame::selectPort(const QString& name) {
    port_ = name;
    for (int id : SelectablePortCommands()) action(id)->setChecked(PortNameOf(id) == name);
}

void CMainFrame::setPortDevices(const std::map<QString, QString>& devices) {
    portDevices_ = devices;
    refreshPortPrompts();
}

void CMainFrame::refreshPortPrompts() {
    for (int id : SelectablePortCommands()) {
        const CommandSpec* command = FindCommand(id);
        QString prompt = Tr(command->prompt);
        auto it = portDevices_.find(PortNameOf(id));
        if (it != portDevices_.end() && !it->second.isEmpty())
            prompt = Tr(QT_TRANSLATE_NOOP("CMainFrame", "%1 (device %2)")).arg(prompt, it->second);
        action(id)->setStatusTip(prompt);
    }
}

QString CMainFrame::idleText() const { return Tr(QT_TRANSLATE_NOOP("CMainFrame", "For Help，Please Press F1")); }

QString CMainFrame::paneText() const { return pane0_->text(); }

void CMainFrame::setPaneText(const QString& text) { pane0_->setText(text); }

void CMainFrame::setRecentFiles(const QStringList& paths) {
    if (!fileMenu_) return;
    QAction* placeholder = actions_.at(ID_FILE_MRU_FILE1);
    for (QAction* act : recentActions_) {
        fileMenu_->removeAction(act);
        act->deleteLater();
    }
    recentActions_.clear();
    // With no recent files the placeholder "Recent File" stands greyed in the
    // menu; otherwise the entries take its place, each with its own command.
    const int count = std::min<int>(paths.size(), kRecentFileCount);
    placeholder->setVisible(count == 0);
    placeholder->setEnabled(false);
    for (int i = 0; i < count; ++i) {
        const int id = ID_FILE_MRU_FILE1 + i;
        auto* act = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(paths[i])), this);
        act->setData(id);
        act->setObjectName(QStringLiteral("command_%1").arg(id));
        act->setStatusTip(Tr(FindCommand(ID_FILE_MRU_FILE1)->prompt));
        connect(act, &QAction::triggered, this, [this, id] { execute(id); });
        fileMenu_->insertAction(placeholder, act);
        recentActions_.append(act);
    }
}

QStringList CMainFrame::DroppableFiles(const QList<QUrl>& urls) {
    QStringList files;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).suffix().compare(QLatin1String("sin"), Qt::CaseInsensitive) == 0) files.append(path);
    }
    return files;
}

void CMainFrame::centreOnScreen() {
    QScreen* scr = screen();
    if (!scr) return;
    QRect frame = frameGeometry();
    frame.moveCenter(scr->availableGeometry().center());
    move(frame.topLeft());
}

namespace {
vel::ScreenRect ToScreenRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }
}  // namespace

vel::FrameMargins CMainFrame::frameMargins() const {
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    if (!isVisible()) return vel::kAssumedFrameMargins;
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

void CMainFrame::placeAtStart(const QRect& available, int contentWidth,
                              const std::optional<vel::WindowPlacement>& saved) {
    startArea_ = available;
    contentWidth_ = contentWidth;
    const vel::FrameMargins margins = frameMargins();
    vel::WindowPlacement p;
    if (saved && vel::PlacementFits(*saved, margins, ToScreenRect(available)))
        p = *saved;
    else
        p = vel::FitMainWindow({partSize_.width(), partSize_.height(), contentWidth, margins, ToScreenRect(available)});
    resize(p.width, p.height);
    move(p.x, p.y);
    // The window system's own frame is known once the window is shown; until
    // then it is assumed. A few looks after showing catch a larger one.
    frameChecks_ = 3;
}

vel::WindowPlacement CMainFrame::placement() const {
    const QRect normal = isMaximized() || isMinimized() || isFullScreen() ? normalGeometry() : geometry();
    const vel::FrameMargins m = frameMargins();
    return {normal.x() - m.left, normal.y() - m.top, normal.width(), normal.height()};
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (frameChecks_ > 0) QTimer::singleShot(0, this, &CMainFrame::keepOnScreen);
}

void CMainFrame::keepOnScreen() {
    if (frameChecks_ <= 0 || startArea_.isNull() || !isVisible() || isMaximized() || isFullScreen()) return;
    --frameChecks_;
    if (!startArea_.contains(frameGeometry())) {
        const vel::FrameMargins margins = frameMargins();
        const vel::ScreenRect area = ToScreenRect(startArea_);
        vel::WindowPlacement p{pos().x(), pos().y(), width(), height()};
        if (!vel::PlacementFits(p, margins, area))
            p = vel::FitMainWindow({partSize_.width(), partSize_.height(), contentWidth_, margins, area});
        resize(p.width, p.height);
        move(p.x, p.y);
    }
    // Window systems add their frame a little after showing: look again.
    if (frameChecks_ > 0) QTimer::singleShot(200, this, &CMainFrame::keepOnScreen);
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // Prompts of menu items and toolbar buttons show in pane 0; when the
        // pointer leaves them the pane returns to the idle text.
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        setPaneText(tip.isEmpty() ? idleText() : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (closeGuard_ && !closeGuard_()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !DroppableFiles(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList files = DroppableFiles(event->mimeData()->urls());
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    // One document at a time: the first dropped file is opened.
    if (dropHandler_) dropHandler_(files.front());
}

}  // namespace velui
