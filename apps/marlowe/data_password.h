#pragma once
// Marlowe's data password: up to six ASCII digits at image bytes 0x000-0x005.

#include <string>

#include "image/image.h"

namespace vel {

/// The ASCII digits among image bytes 0x000-0x005, in order.
std::string DataPasswordFromImage(const Image& image);

/// Writes the password text into bytes 0x000-0x005: each character as its
/// digit value + 0x30 (a non-digit counts as 0), 0xFF past the end.
void StoreDataPassword(const std::string& text, Image& image);

/// Compares two passwords after removing trailing blanks from both.
bool PasswordsMatch(const std::string& a, const std::string& b);

}  // namespace vel
