#pragma once
// The command-line options both benchmarks share: which families, which
// directions, how many runs and the radio's reply latency.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "image/family.h"
#include "link/programming_session.h"

namespace benchsupport {

struct SessionOptions {
    std::vector<const vel::Family*> families;   // empty: every family
    std::vector<vel::Direction> directions{vel::Direction::Read, vel::Direction::Write};
    int repeat = 1;
    std::optional<std::int64_t> latencyUs;      // unset: the radio as it comes
};

enum class OptionRead { NotOurs, Taken, Bad };

/// Reads the option at argv[i] (and its value, moving i past it) when it is
/// one of the shared ones.
inline OptionRead ReadSessionOption(int& i, int argc, char** argv, SessionOptions& o) {
    const std::string a = argv[i];
    if (a != "--family" && a != "--direction" && a != "--repeat" && a != "--latency-us") return OptionRead::NotOurs;
    if (i + 1 >= argc) return OptionRead::Bad;
    const std::string value = argv[++i];
    if (a == "--family") {
        const vel::Family* f = vel::FindFamily(value);
        if (f == nullptr) return OptionRead::Bad;
        o.families.push_back(f);
    } else if (a == "--direction") {
        if (value == "read") o.directions = {vel::Direction::Read};
        else if (value == "write") o.directions = {vel::Direction::Write};
        else return OptionRead::Bad;
    } else if (a == "--repeat") {
        o.repeat = std::max(1, std::atoi(value.c_str()));
    } else {
        o.latencyUs = std::atoll(value.c_str());
    }
    return OptionRead::Taken;
}

}  // namespace benchsupport
