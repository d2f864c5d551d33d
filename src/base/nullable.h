#pragma once
// Nullable<T>: a value that may be absent. Assigning a value makes it present;
// reading an absent one raises, so a forgotten check fails loudly instead of
// handing out a default.

#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

namespace brivane {

class ENullableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kNullValueError = "Attempted to get a null value";
inline constexpr const char* kUnsupportedTypeError =
    "Unsupported Type: Only supports Integer, Int64, Float, String, Record";

template <typename T>
class Nullable {
public:
    Nullable() = default;
    Nullable(T aValue) : fValue(std::move(aValue)), fHasValue(true) {}

    Nullable& operator=(T aValue) {
        fValue = std::move(aValue);
        fHasValue = true;
        return *this;
    }

    bool HasValue() const { return fHasValue; }
    void Clear() { *this = Nullable(); }

    // Raises ENullableError when there is no value, or when T is none of the kinds
    // the type is meant for (numbers, enumerations, texts and records).
    const T& Value() const {
        if constexpr (!kSupported) {
            throw ENullableError(kUnsupportedTypeError);
        }
        if (!fHasValue) {
            throw ENullableError(kNullValueError);
        }
        return fValue;
    }

private:
    static constexpr bool kSupported =
        std::is_arithmetic_v<T> || std::is_enum_v<T> || std::is_class_v<T>;

    T fValue{};
    bool fHasValue = false;
};

} // namespace brivane
