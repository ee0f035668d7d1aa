#pragma once
// Values quoted in messages. A message names the value it refuses (a file
// name, a cell text, a configuration value), but a value can be a megabyte
// long or hold terminal control sequences: a message shows a bounded,
// printable excerpt instead.

#include <cstddef>
#include <string>
#include <string_view>

namespace vel {

/// Characters of a value a message shows at most.
inline constexpr std::size_t kQuotedValueLimit = 200;

/// `value` as a message shows it: control characters written as \n, \t or
/// \xNN; a value longer than `limit` bytes cut at a character boundary and
/// followed by "… (N bytes)" with its full length. Invalid UTF-8 bytes are
/// written as \xNN too, so the excerpt is always valid UTF-8.
std::string QuoteForMessage(std::string_view value, std::size_t limit = kQuotedValueLimit);

}  // namespace vel
