#pragma once
// The checks an image passes before it goes to a radio: what the family's
// rules allow in each channel in use (frequencies in the range and on the
// steps, tones of the tone table, list bytes with a meaning), in every name
// (characters a name can hold) and on the form (list bytes that name an
// item, password digits). Each problem is named by channel and setting, with
// the text the window shows for it. A frequency outside the band the "Field"
// list shows is a warning: the radio takes it, but it is rarely meant.

#include <string>
#include <vector>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"

namespace vel {

enum class Severity { Error, Warning };

struct ImageProblem {
    Severity severity = Severity::Error;
    int channel = 0;      ///< 1-based channel, 0 for a radio-wide setting
    int column = -1;      ///< grid column, -1 for a form field
    int fieldId = 0;      ///< form control, 0 for a cell
    std::string where;    ///< "Channel 12 Rx Tone", "Field"
    std::string value;    ///< what the window shows there
    std::string message;  ///< what is wrong, in the interface language
};

/// Every problem of `image` (of the family's size), channels first, then the
/// form, in `lang`.
std::vector<ImageProblem> CheckImage(const Family& family, Lang lang, const Image& image);

/// Problems that are errors (warnings do not count).
int ErrorCount(const std::vector<ImageProblem>& problems);

/// Errors from which on an opened file is said to be perhaps of another radio.
inline constexpr int kForeignFileErrors = 8;

/// True when `problems` hold so many errors that the image is probably not
/// one of this family's radio.
bool LooksLikeAnotherRadio(const std::vector<ImageProblem>& problems);

/// "error: Channel 12 Rx Tone: 798.1 is not a tone of the tone table".
std::string ProblemLine(const ImageProblem& problem, Lang lang);

/// The kind of a problem as a word: "error"/"warning" ("错误"/"警告").
std::string SeverityWord(Severity severity, Lang lang);

/// The first line of an opened file's warning: "<file> fails N checks: it may
/// not be a file of this program's radio."
std::string AnotherRadioWarning(const std::string& fileName, int errors, Lang lang);

}  // namespace vel
