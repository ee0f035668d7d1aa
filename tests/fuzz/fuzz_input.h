#pragma once
// Taking a fuzzer's bytes apart: single choices, texts up to a separator, and
// the rest. Every taker is total: past the end it gives zeros and empty texts,
// so a harness never reads outside the input.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "image/family.h"

namespace velfuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return pos_ >= size_; }
    std::size_t left() const { return size_ - pos_; }

    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    /// The text up to the next `separator` (which is dropped), or the rest.
    std::string text(char separator) {
        std::string out;
        while (pos_ < size_) {
            const char c = static_cast<char>(data_[pos_++]);
            if (c == separator) break;
            out += c;
        }
        return out;
    }

    std::string_view rest() {
        const std::string_view out(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
        pos_ = size_;
        return out;
    }

    /// One of the six families, chosen by one byte.
    const vel::Family& family() {
        const auto& all = vel::AllFamilies();
        return *all[byte() % all.size()];
    }

    vel::Lang lang() { return (byte() & 1) ? vel::Lang::Chinese : vel::Lang::English; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

/// Stops the fuzzer with a crash report when a property does not hold.
inline void Require(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace velfuzz
