#include "app/assessment.h"

#include "base/rounding.h"

namespace brivane {

TItemInfo TItemInfo::Create(std::string aTitle, std::string aDescription, double aScore) {
    return {std::move(aTitle), std::move(aDescription),
            static_cast<double>(RoundToHundredths(aScore))};
}

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
    fSystemInfo = TItemInfo::Create({}, fWinSAT->RatingStateDesc(), fWinSAT->SystemRating());
    fCheckingDateTime = fWinSAT->AssessmentDateTime();
    using platform::TAssessmentType;
    const std::pair<TAssessmentType, TItemInfo*> items[] = {
        {TAssessmentType::Processor, &fCPUInfo},     {TAssessmentType::Memory, &fMemoryInfo},
        {TAssessmentType::Disk, &fDiskInfo},         {TAssessmentType::Direct3D, &fD3DInfo},
        {TAssessmentType::Graphics, &fGraphicsInfo},
    };
    for (const auto& [type, item] : items) {
        auto info = fWinSAT->GetAssessmentInfo(type);
        *item = TItemInfo::Create(std::move(info.Title), std::move(info.Description), info.Score);
    }
}

} // namespace brivane
