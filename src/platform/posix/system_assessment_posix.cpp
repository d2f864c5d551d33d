#include "platform/system_assessment.h"

namespace brivane::platform {

// The assessment service exists only on Windows.
std::shared_ptr<IAssessmentQuery> CreateAssessmentQuery() {
    return nullptr;
}

} // namespace brivane::platform
