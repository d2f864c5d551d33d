#pragma once
// Base of the thin C++ layer over PCRE2: each object remembers the result code of
// its last failing operation, so that operations report failure with a Boolean or
// an empty pointer and the caller words the error.

#include <string>

namespace brivane::pcre {

// PCRE2's own text for a result code, as UTF-8.
std::string ErrorMessage(int aErrorCode);

class TPCREObject {
public:
    virtual ~TPCREObject() = default;

    int ErrorCode() const { return fErrorCode; }
    // PCRE2's text for ErrorCode(), unless the failure was one PCRE2 has no code for.
    virtual std::string ErrorText() const;

protected:
    void SetError(int aErrorCode) { fErrorCode = aErrorCode, fErrorText.clear(); }
    void SetError(std::string aText) { fErrorCode = 0, fErrorText = std::move(aText); }

private:
    int fErrorCode = 0;
    std::string fErrorText;
};

} // namespace brivane::pcre
