#include "app/assessment.h"

#include "base/rounding.h"

namespace brivane {

namespace {

TItemInfo Rounded(TItemInfo aItem) {
    aItem.Score = static_cast<double>(RoundToHundredths(aItem.Score));
    return aItem;
}

} // namespace

TWinSAT::TWinSAT() : TWinSAT(platform::CreateAssessmentQuery()) {}

TWinSAT::TWinSAT(std::shared_ptr<platform::IAssessmentQuery> aQuery) : fWinSAT(std::move(aQuery)) {
    // A failure part-way keeps what was read up to it; the rest stays at the defaults.
    try {
        Read();
    } catch (const std::exception&) {
    }
}

void TWinSAT::Read() {
    if (!fWinSAT) {
        return;
    }
    const int state = fWinSAT->AssessmentState();
    if (state != 1 && state != 2) { // 2: the hardware changed since, still usable
        return;
    }
    fAvailable = true;
    fSystemInfo = Rounded({{}, fWinSAT->RatingStateDesc(), fWinSAT->SystemRating()});
    fCheckingDateTime = fWinSAT->AssessmentDateTime();
    using platform::TAssessmentType;
    const std::pair<TAssessmentType, TItemInfo*> items[] = {
        {TAssessmentType::Processor, &fCPUInfo},     {TAssessmentType::Memory, &fMemoryInfo},
        {TAssessmentType::Disk, &fDiskInfo},         {TAssessmentType::Direct3D, &fD3DInfo},
        {TAssessmentType::Graphics, &fGraphicsInfo},
    };
    for (const auto& [type, item] : items) {
        *item = Rounded(fWinSAT->GetAssessmentInfo(type));
    }
}

} // namespace brivane
