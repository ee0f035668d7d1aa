#pragma once
// velprog export --family F [--lang en|ch] [--format native|common] FILE OUT.csv
// velprog import --family F [--lang en|ch] [--format native|common]
//                [--mode replace|merge|append] [--skip-bad] CSV FILE OUT
//
// Channel lists in and out of a channel data file as CSV text. export writes
// the channel table as the window shows it after opening FILE (native, the
// default) or in the common exchange layout. import reads CSV (its form
// recognised by the header unless --format says), puts its rows into FILE's
// table through the editing rules and saves the result as OUT. A summary
// goes to stdout as JSON; every refused row and every value left out goes to
// stderr. Exit codes: 0 done; 1 failed, or a row was refused (OUT is then
// not written, unless --skip-bad); 2 usage.

namespace CLI {
class App;
}

namespace velprog {

/// Registers "export" and "import" on `app`. They run from their callbacks
/// during parsing; a failure throws CLI::RuntimeError with its exit code
/// after printing its message.
void AddCsvCommands(CLI::App& app);

}  // namespace velprog
