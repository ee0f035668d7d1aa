#pragma once
// The text form of the memory image ("1.txt"): one line per 16-byte row, each
// byte written as "|" and its decimal value.

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

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

/// The line end the platform's text mode writes: "\r\n" on Windows, "\n" elsewhere.
extern const char* const kTextLineEnd;

/// The text form of `image` as a file holds it: ExportImageText with
/// kTextLineEnd after every line.
std::string ImageTextFileContents(const Image& image);

/// True when `text` is a text form of an image of `rows` rows: exactly `rows`
/// lines (the last line end may be missing), each made of one or more "|"
/// followed by a decimal byte value 0-255, and a line end of "\n" or "\r\n".
bool IsImageTextForm(std::string_view text, std::size_t rows);

struct ImageTextExportResult {
    bool ok = false;
    /// Why the file was not written (set exactly when `ok` is false).
    std::optional<Text> message;
    explicit operator bool() const { return ok; }
};

/// Writes the text form of `image` to `path`, replacing a file there. The
/// text goes to a temporary file beside `path` that then replaces it in one
/// rename, so the file is either the old one or the whole new one.
ImageTextExportResult ExportImageTextFile(const std::filesystem::path& path, const Image& image);

/// What the export after a store of the window did.
enum class StoreExportOutcome {
    Written,           // the text form replaced or created the file
    ForeignFileKept,   // a file there is not a text form and was left untouched
    Failed,            // the file could not be written
};

struct StoreExportResult {
    StoreExportOutcome outcome = StoreExportOutcome::Written;
    /// What to tell the user (set unless Written).
    std::optional<Text> note;
};

/// The export that ends every store of the window (save and write): the text
/// form of `image` into `path` ("1.txt" in the current directory). A file
/// already at `path` that is not a text form of an image (see
/// IsImageTextForm; an empty file holds nothing and is replaced) is left as it
/// is. Writes through a temporary file and a rename; never throws.
StoreExportResult ExportImageTextAfterStore(const Image& image,
                                            const std::filesystem::path& path = kImageTextFileName);

struct ImageTextImportResult {
    bool ok = false;
    /// Why the import failed (empty on success).
    Text message;
};

/// Imports the file at `path` into `image`. The text is read into a copy
/// of the image that replaces it only when the whole file was read; a
/// missing or unreadable file leaves `image` as it was and says so, naming
/// the file and the reason.
ImageTextImportResult ImportImageTextFile(const std::filesystem::path& path, Image& image);

}  // namespace vel
