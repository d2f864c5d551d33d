#pragma once
// TTuple: an immutable pair handed around by value, such as the date and size of
// a remote file or a program with its download parameters. ITuple names the same
// value where a caller only reads it.

#include <utility>

namespace brivane {

template <typename T1, typename T2>
class TTuple {
public:
    TTuple() = default;
    TTuple(T1 aItem1, T2 aItem2) : fItem1(std::move(aItem1)), fItem2(std::move(aItem2)) {}

    static TTuple Make(T1 aItem1, T2 aItem2) {
        return TTuple(std::move(aItem1), std::move(aItem2));
    }

    const T1& Item1() const { return fItem1; }
    const T2& Item2() const { return fItem2; }

    bool operator==(const TTuple&) const = default;

private:
    T1 fItem1{};
    T2 fItem2{};
};

template <typename T1, typename T2>
using ITuple = TTuple<T1, T2>;

} // namespace brivane
