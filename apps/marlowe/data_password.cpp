#include "apps/marlowe/data_password.h"

#include <algorithm>
#include <string_view>

namespace vel {

namespace {

constexpr std::size_t kPasswordBytes = 6;

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

std::string_view WithoutTrailingBlanks(std::string_view s) {
    const auto last = s.find_last_not_of(" \t\r\n\v\f");
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

}  // namespace

std::string DataPasswordFromImage(const Image& image) {
    std::string password;
    const std::size_t n = std::min(kPasswordBytes, image.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (IsDigit(image[i])) password.push_back(static_cast<char>(image[i]));
    }
    return password;
}

void StoreDataPassword(const std::string& text, Image& image) {
    const std::size_t n = std::min(kPasswordBytes, image.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (i < text.size()) {
            const auto c = static_cast<unsigned char>(text[i]);
            image[i] = static_cast<Byte>(IsDigit(c) ? c : '0');
        } else {
            image[i] = 0xFF;
        }
    }
}

bool PasswordsMatch(const std::string& a, const std::string& b) {
    return WithoutTrailingBlanks(a) == WithoutTrailingBlanks(b);
}

}  // namespace vel
