#pragma once
// What the benchmarks put in a radio or a document: bytes that differ from
// block to block, so that a session that carried the wrong bytes shows.

#include <cstddef>

#include "image/image.h"

namespace benchsupport {

/// `size` bytes from a simple generator started at `seed`, with no digits in
/// the first six (the data password bytes): the password check passes with
/// an empty password.
inline vel::Image Pattern(int size, unsigned seed) {
    vel::Image img(static_cast<std::size_t>(size));
    unsigned x = seed * 2654435761u + 1u;
    for (vel::Byte& b : img) {
        x = x * 1103515245u + 12345u;
        b = static_cast<vel::Byte>(x >> 16);
    }
    for (std::size_t i = 0; i < 6 && i < img.size(); ++i) img[i] = 0xFF;
    return img;
}

}  // namespace benchsupport
