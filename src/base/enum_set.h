#pragma once
// A small set of enumeration members stored as bits, member n at bit n. Option sets
// travel as numbers too (the command line's "--options 10"), hence FromBits/Bits.
// Values after kLast (by default: beyond the bits) belong to no set.

#include <initializer_list>
#include <limits>
#include <type_traits>

namespace brivane {

template <typename E, typename TBits,
          E kLast = static_cast<E>(std::numeric_limits<TBits>::digits - 1)>
class TEnumSet {
    static_assert(std::is_enum_v<E> && std::is_unsigned_v<TBits>);
    static_assert(static_cast<unsigned>(kLast) < std::numeric_limits<TBits>::digits);

public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> aMembers) {
        for (const E member : aMembers) {
            Include(member);
        }
    }

    static constexpr TEnumSet FromBits(TBits aBits) {
        TEnumSet result;
        result.fBits = aBits;
        return result;
    }
    constexpr TBits Bits() const { return fBits; }
    // Every member from the first value to kLast.
    static constexpr TEnumSet All() {
        return FromBits(static_cast<TBits>(Bit(kLast) | (Bit(kLast) - 1)));
    }

    constexpr bool Contains(E aMember) const { return (fBits & Bit(aMember)) != 0; }
    constexpr bool Empty() const { return fBits == 0; }
    constexpr TEnumSet& Include(E aMember) {
        fBits = static_cast<TBits>(fBits | Bit(aMember));
        return *this;
    }
    constexpr TEnumSet& Exclude(E aMember) {
        fBits = static_cast<TBits>(fBits & ~Bit(aMember));
        return *this;
    }

    friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

private:
    static constexpr TBits Bit(E aMember) {
        const auto index = static_cast<unsigned>(aMember);
        return index <= static_cast<unsigned>(kLast) ? static_cast<TBits>(TBits{1} << index)
                                                     : TBits{0};
    }

    TBits fBits = 0;
};

} // namespace brivane
