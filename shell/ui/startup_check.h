#pragma once
// "<program> --startup-check": runs the start-up without showing the window,
// says which files the program found and where, and ends. It lets a dealer
// (and the installation test) see whether an installed or copied program
// finds its configuration file, language library, help pages and icon.

#include <QStringList>

namespace vel {
struct Family;
}

namespace velui {

class CVelApp;

/// The option that asks for the check.
inline constexpr const char* kStartupCheckOption = "--startup-check";

/// True when `arguments` (after the program name) ask for the check.
bool WantsStartupCheck(const QStringList& arguments);

/// Answers every message box of the check by writing it to the error
/// output, so that nothing waits for a person.
void InstallStartupCheckMessages();

/// Writes one "<what>: <path>" line per file of `app`, a started
/// application, to the standard output; returns 0 when every file the
/// program needs was found, 1 otherwise (with a line on the error output).
int ReportStartupCheck(const CVelApp& app);

}  // namespace velui
