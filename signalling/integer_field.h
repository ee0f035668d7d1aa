#pragma once
// Integer boxes of the dialogs (tone interval, rise delay, channel number):
// the text a box holds read as an integer within a range, the way a dialog's
// data transfer reads it.

#include <string>

namespace vel {

enum class IntegerFieldStatus {
    Ok,          ///< an integer within the range
    NotInteger,  ///< empty, or not a whole number ("Please enter an integer.")
    OutOfRange,  ///< a whole number outside the range ("Please enter an integer between lo and hi.")
};

struct IntegerField {
    IntegerFieldStatus status = IntegerFieldStatus::NotInteger;
    int value = 0;   ///< valid when status is Ok
};

/// Reads `text` as a decimal integer in lo..hi: blanks around it and one sign
/// are allowed, anything else makes it no integer. Numbers too large for an
/// int count as out of range.
IntegerField ReadIntegerField(const std::string& text, int lo, int hi);

}  // namespace vel
