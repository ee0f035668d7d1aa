#pragma once
// The text form of the memory image ("1.txt"): one line per 16-byte row, each
// byte written as "|" and its decimal value.

#include <iosfwd>
#include <string>

#include "image/image.h"
#include "image/language.h"

namespace vel {

/// The name the application always uses for the text form, in the current
/// directory.
inline constexpr const char* kImageTextFileName = "1.txt";

/// Writes one line per 16-byte row (a shorter last row gives a shorter
/// line): "|" and the decimal value of each byte, then "\n". A 1024-byte
/// image gives 64 lines. Open file streams in text mode so that the platform
/// writes its own line end.
void ExportImageText(const Image& image, std::ostream& out);

/// Reads one line per row of `image`, row 0 first; a missing line counts as
/// empty. Each line is split at every "|": the text before the first "|" is
/// ignored; field k (k >= 1) is read as a leading decimal number (blanks
/// skipped, optional sign, stops at the first non-digit, no number gives 0)
/// and its low 8 bits go to byte k-1 of the row. Bytes without a field keep
/// their value; fields beyond the sixteenth run on into the following bytes,
/// but nothing is stored past the image's end. Lines of any length are read
/// without being held in memory.
void ImportImageText(std::istream& in, Image& image);

/// Creates (or empties) the file at `path` and writes the text form of
/// `image` to it. False when the file could not be created or written.
bool ExportImageTextFile(const std::string& path, const Image& image);

struct ImageTextImportResult {
    bool ok = false;
    /// Why the import failed (empty on success).
    Text message;
};

/// Imports the file at `path` into `image`. The text is read into a copy
/// of the image that replaces it only when the whole file was read; a
/// missing or unreadable file leaves `image` as it was and says so.
ImageTextImportResult ImportImageTextFile(const std::string& path, Image& image);

}  // namespace vel
