#pragma once
// TWinSAT: the most recent performance assessment of the machine, as the operating
// system keeps it. Where the system has none (Linux) it reports not available.

#include "base/date_time.h"
#include "platform/system_assessment.h"

#include <memory>
#include <string>

namespace brivane {

// One assessed component; the score rounded to two decimal places.
using TItemInfo = platform::TAssessmentItem;

class TWinSAT {
public:
    // Reads the platform's assessment on the calling thread; destroy it on the same one.
    TWinSAT();
    // Reads from the given query (none: not available).
    explicit TWinSAT(std::shared_ptr<platform::IAssessmentQuery> aQuery);

    const TItemInfo& SystemInfo() const { return fSystemInfo; }
    const TItemInfo& MemoryInfo() const { return fMemoryInfo; }
    const TItemInfo& CPUInfo() const { return fCPUInfo; }
    const TItemInfo& DiskInfo() const { return fDiskInfo; }
    const TItemInfo& D3DInfo() const { return fD3DInfo; }
    const TItemInfo& GraphicsInfo() const { return fGraphicsInfo; }
    TDateTime CheckingDateTime() const { return fCheckingDateTime; }
    bool Available() const { return fAvailable; }

private:
    void Read();

    std::shared_ptr<platform::IAssessmentQuery> fWinSAT;
    TItemInfo fSystemInfo;
    TItemInfo fMemoryInfo;
    TItemInfo fCPUInfo;
    TItemInfo fDiskInfo;
    TItemInfo fD3DInfo;
    TItemInfo fGraphicsInfo;
    TDateTime fCheckingDateTime = kZeroDate;
    bool fAvailable = false;
};

} // namespace brivane
