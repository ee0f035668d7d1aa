#include "shell/ui/startup_check.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include "image/family.h"
#include "shell/ui/branding.h"
#include "shell/ui/message_box.h"
#include "shell/ui/vel_app.h"

namespace velui {

bool WantsStartupCheck(const QStringList& arguments) {
    return arguments.contains(QString::fromLatin1(kStartupCheckOption));
}

void InstallStartupCheckMessages() {
    setMessageHook([](const MessageRequest& request) {
        QTextStream(stderr) << request.title << ": " << request.text << '\n';
        for (QMessageBox::StandardButton b : {QMessageBox::Ok, QMessageBox::Discard, QMessageBox::Cancel})
            if (request.buttons & b) return b;
        return QMessageBox::Ok;
    });
}

int ReportStartupCheck(const CVelApp& app) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto shown = [](const QString& path) { return path.isEmpty() ? QStringLiteral("(none)") : QDir::toNativeSeparators(path); };
    int status = 0;
    out << "program folder: " << shown(app.programDirectory()) << '\n';
    out << "configuration: " << shown(app.configPath()) << '\n';
    out << "language library: " << shown(app.languageFile()) << '\n';
    // The help pages are part of every program; missing ones are a fault of
    // the installation.
    const QString help = app.helpFolder();
    out << "help: " << shown(help) << '\n';
    if (!QFileInfo::exists(QDir(help).filePath(QStringLiteral("index.html")))) {
        err << "help pages missing: " << shown(help) << '\n';
        status = 1;
    }
    // A branding icon is optional: a missing one leaves the window without it.
    if (const CBrandingIcon* icon = app.brandingIcon()) out << "icon: " << shown(icon->path()) << '\n';
    return status;
}

}  // namespace velui
