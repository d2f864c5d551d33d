#pragma once
// The small progress window as the controller sees it: it takes the main window's place
// while installers are downloaded and run, with a download line and an install line,
// each with its bar, and a Cancel link. Every member is called on the main thread only.

#include <cstdint>
#include <functional>
#include <string>

namespace brivane {

// A window event; an empty one is not raised.
using TViewEvent = std::function<void()>;

class IProgressView {
public:
    virtual ~IProgressView() = default;

    virtual void SetVisible(bool aValue) = 0;
    virtual void SetDownloadText(const std::string& aValue) = 0;
    // 0 to 100.
    virtual void SetDownloadProgress(float aValue) = 0;
    // The bytes behind the download percentage, for views that show them.
    virtual void SetDownloadedBytes(std::int64_t /*aPosition*/, std::int64_t /*aMax*/) {}
    virtual void SetInstallText(const std::string& aValue) = 0;
    // 0 to InstallProgressMax: the installers started so far.
    virtual void SetInstallProgress(float aValue) = 0;
    virtual void SetInstallProgressMax(float aValue) = 0;
    virtual void SetOnCancel(TViewEvent aHandler) = 0;
};

} // namespace brivane
