#include "platform/windows/random_name.h"

#include <random>

namespace brivane::platform::windows {

std::string RandomNameSuffix() {
    static constexpr char kCharacters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kCharacters - 2);
    std::string suffix;
    for (int i = 0; i < 6; ++i) {
        suffix += kCharacters[pick(generator)];
    }
    return suffix;
}

} // namespace brivane::platform::windows
