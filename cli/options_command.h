#pragma once
// velprog options show --family F [--lang en|ch] [--dialog D] FILE
// velprog options set  --family F [--lang en|ch] [--dialog D] --values VALUES.json FILE OUT
//
// A settings dialog of a channel data file seen through its controls' texts.
// `show` prints {"family": F, "controls": {"<control id>": "<text>", …}}: what
// each control shows when the dialog opens on FILE (a list its selected
// item, "" for none; an edit box its text; a check box "1" or "0"; the
// time-out pair under its edit box 1013). `set` reads "controls" of
// VALUES.json (any subset of the identifiers), gives those controls their
// texts, does what OK does and saves OUT; an unknown or hidden control, or a
// text a control cannot take, is refused (exit 1) and OUT is not written.
// D is "optional-features" (the default) or "key-assignment".

namespace CLI {
class App;
}

namespace velprog {

/// Registers the "options" subcommand. It runs from its callback during
/// parsing; a failure prints its message and throws CLI::RuntimeError with
/// the exit code (1 failed, 2 usage).
void AddOptionsCommand(CLI::App& app);

}  // namespace velprog
