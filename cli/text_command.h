#pragma once
// velprog text export --family F FILE OUT.txt
// velprog text import --family F [--password DIGITS] TEXT.txt FILE OUT
//
// The text form of an image ("1.txt") from the command line, for families
// that have one (Marlowe). export writes the text form of FILE's bytes as
// they are; import reads TEXT.txt into FILE's image and saves it as OUT. The
// imported data password is compared with --password, or without it with the
// password FILE's form shows; a mismatch prints "Password incorrect" and OUT
// still gets the imported bytes (exit 0). An unreadable TEXT.txt or FILE
// exits 1 and writes nothing. velprog never writes "1.txt" on its own.

namespace CLI {
class App;
}

namespace vel {

/// Registers the "text" subcommand with its "export" and "import"
/// subcommands. A run that fails throws CLI::RuntimeError with its exit code
/// after printing its message.
void AddTextCommand(CLI::App& app);

}  // namespace vel
