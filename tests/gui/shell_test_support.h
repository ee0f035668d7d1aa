#pragma once
// Helpers of the shell's window tests: a program directory of their own,
// scripted answers to message boxes and file dialogs.

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

#include "image/family.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/message_box.h"
#include "shell/ui/vel_app.h"

namespace shelltest {

/// Records every message box and answers from a queue (default: the first
/// button offered among OK, Discard, Cancel).
class MessageScript {
public:
    MessageScript() {
        velui::setMessageHook([this](const velui::MessageRequest& r) {
            shown.push_back(r);
            if (!answers.empty()) {
                const QMessageBox::StandardButton b = answers.front();
                answers.pop_front();
                return b;
            }
            for (QMessageBox::StandardButton b : {QMessageBox::Ok, QMessageBox::Discard, QMessageBox::Cancel})
                if (r.buttons & b) return b;
            return QMessageBox::Ok;
        });
    }
    ~MessageScript() { velui::setMessageHook({}); }
    MessageScript(const MessageScript&) = delete;
    MessageScript& operator=(const MessageScript&) = delete;

    std::vector<velui::MessageRequest> shown;
    std::deque<QMessageBox::StandardButton> answers;

    int questions() const {
        int n = 0;
        for (const auto& r : shown) n += (r.buttons & QMessageBox::Discard) ? 1 : 0;
        return n;
    }
};

/// Answers file dialogs from a queue ("" = Cancel) and records the requests.
class FileDialogScript {
public:
    FileDialogScript() {
        velui::setFileDialogHook([this](const velui::FileDialogRequest& r) {
            requests.push_back(r);
            if (answers.empty()) return QString();
            const QString a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    ~FileDialogScript() { velui::setFileDialogHook({}); }
    FileDialogScript(const FileDialogScript&) = delete;
    FileDialogScript& operator=(const FileDialogScript&) = delete;

    std::vector<velui::FileDialogRequest> requests;
    std::deque<QString> answers;
};

/// A program directory with the language libraries and help pages the build
/// puts beside the programs, and a settings file for the recent-file list.
/// It is also the user's data folder (XDG_DATA_HOME) while it lives, so the
/// backups a write makes stay inside it.
class ProgramDir {
public:
    explicit ProgramDir(bool withLanguages = true) {
        qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toLocal8Bit());
        if (withLanguages) {
            for (const char* qm : {"Velmar_V_CH.qm", "Velmar_V_EN.qm"})
                QFile::copy(QDir(QStringLiteral(VEL_QM_DIR)).filePath(QString::fromLatin1(qm)), path(QString::fromLatin1(qm)));
            // The Chinese 16-channel program has the Chinese library under its own name.
            QFile::copy(QDir(QStringLiteral(VEL_QM_DIR)).filePath(QStringLiteral("Velmar_V_CH.qm")),
                        path(QStringLiteral("VM_CH16_CN_CH.qm")));
        }
    }
    QString path(const QString& name = QString()) const { return name.isEmpty() ? dir.path() : dir.filePath(name); }
    QString program(const QString& name = QStringLiteral("Velmar_V")) const { return path(name); }
    void writeFile(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readFile(const QString& name) const {
        QFile f(path(name));
        if (!f.open(QIODevice::ReadOnly)) return {};
        return f.readAll();
    }
    /// Start-up options of a program named `name` in this directory.
    velui::StartupOptions options(const QString& locale = QStringLiteral("en_US"),
                                  const QString& name = QStringLiteral("Velmar_V")) const {
        velui::StartupOptions o;
        o.programPath = program(name);
        o.localeName = locale;
        o.settingsFile = path(QStringLiteral("settings.ini"));
        o.userConfigDir = path(QStringLiteral("user-config"));   // never the real user's folder
        o.show = false;
        return o;
    }

    QTemporaryDir dir;
};

/// Copies the help pages the build puts beside the programs into `dir`,
/// every program's folder, leaving out the pages named `without`.
inline void CopyHelp(const ProgramDir& dir, const QString& without = QString()) {
    const QDir source(QStringLiteral(VEL_HELP_DIR));
    for (const QString& folder : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QDir().mkpath(dir.path(QStringLiteral("help/") + folder));
        for (const QString& f : QDir(source.filePath(folder)).entryList(QDir::Files))
            if (f != without)
                QFile::copy(source.filePath(folder + QLatin1Char('/') + f), dir.path(QStringLiteral("help/%1/%2").arg(folder, f)));
    }
}

/// Runs `act` on the modal dialog once one is shown (call it before the
/// command that opens the dialog).
inline void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) {
            WhenModal(act);
            return;
        }
        act(w);
    });
}

/// Runs `command` and closes the first modal dialog it opens; returns that
/// dialog's window title, or "" when none opened.
inline QString TitleOfDialogOpenedBy(velui::CVelApp& app, int command) {
    QString title;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            title = modal->windowTitle();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
            else modal->close();
        }
    });
    app.mainFrame()->execute(command);
    return title;
}

inline QByteArray Bytes(const vel::Image& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size()));
}

}  // namespace shelltest
