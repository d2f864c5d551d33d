#pragma once
// The operating system's own performance assessment of the machine.

#include "base/date_time.h"

#include <memory>
#include <string>

namespace brivane::platform {

// One assessed component as the platform reports it.
struct TAssessmentItem {
    std::string Title;
    std::string Description;
    double Score = 0.0;
};

// The component types of an assessment, with the platform's numbers.
enum class TAssessmentType { Memory = 0, Processor = 1, Disk = 2, Direct3D = 3, Graphics = 4 };

// The most recent assessment. Every read may throw std::runtime_error.
class IAssessmentQuery {
public:
    virtual ~IAssessmentQuery() = default;
    // 1: valid; 2: valid, but the hardware changed since; other values: unusable.
    virtual int AssessmentState() = 0;
    virtual TDateTime AssessmentDateTime() = 0;
    virtual double SystemRating() = 0;
    virtual std::string RatingStateDesc() = 0;
    virtual TAssessmentItem GetAssessmentInfo(TAssessmentType aType) = 0;
};

// A query on the calling thread, or null when the platform has no assessment service.
// The query must be released on the thread that created it.
std::shared_ptr<IAssessmentQuery> CreateAssessmentQuery();

} // namespace brivane::platform
