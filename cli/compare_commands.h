#pragma once
// velprog diff --family F [--lang en|ch] [--json] A.sin B.sin
//   The differences between two channel data files by channel and setting,
//   one line each ("Channel 12 Rx Tone: 88.5 | OFF"). Exit 0 when the files
//   are the same, 1 when they differ, 2 when one cannot be read or on a usage
//   error.
//
// velprog check --family F [--lang en|ch] [--raw] [--json] FILE
//   The checks a write makes before it sends FILE, one line per problem
//   ("error: Channel 3 Rx Tone: 798.1: not a tone of the tone table").
//   FILE is checked as a write would send it (the table stored first) unless
//   --raw. Exit 0 without errors (warnings are printed and leave 0), 1 with
//   errors, 2 when the file cannot be checked or on a usage error.

namespace CLI {
class App;
}

namespace velprog {

/// Registers "diff" and "check" on `app`. They run from their callbacks; a
/// non-zero exit code is thrown as CLI::RuntimeError after their output.
void AddCompareCommands(CLI::App& app);

}  // namespace velprog
