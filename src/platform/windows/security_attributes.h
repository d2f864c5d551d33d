#pragma once
// Security attributes holding a security descriptor that LocalFree releases, as
// GetNamedSecurityInfoW and the SDDL conversion hand them out.

#include <windows.h>

namespace brivane::platform::windows {

class TSecurityAttributes {
public:
    TSecurityAttributes() = default;
    ~TSecurityAttributes() { LocalFree(fDescriptor); }
    TSecurityAttributes(const TSecurityAttributes&) = delete;
    TSecurityAttributes& operator=(const TSecurityAttributes&) = delete;

    // Takes aDescriptor, or none (null).
    void Reset(PSECURITY_DESCRIPTOR aDescriptor) {
        LocalFree(fDescriptor);
        fDescriptor = aDescriptor;
        fAttributes.lpSecurityDescriptor = aDescriptor;
    }
    // Null without a descriptor: what is made gets its folder's defaults.
    SECURITY_ATTRIBUTES* Get() { return fDescriptor != nullptr ? &fAttributes : nullptr; }

private:
    PSECURITY_DESCRIPTOR fDescriptor = nullptr;
    SECURITY_ATTRIBUTES fAttributes{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
};

} // namespace brivane::platform::windows
