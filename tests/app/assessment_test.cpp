#include "app/assessment.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace brivane;

namespace {

// An assessment whose reads fail from the given item on (none: never).
class TFakeQuery : public platform::IAssessmentQuery {
public:
    TFakeQuery(int aState, int aFailingItem = -1) : fState(aState), fFailingItem(aFailingItem) {}

    int AssessmentState() override { return fState; }
    TDateTime AssessmentDateTime() override { return 42501.5; }
    double SystemRating() override { return 5.125; }
    std::string RatingStateDesc() override { return "Valid"; }
    platform::TAssessmentItem GetAssessmentInfo(platform::TAssessmentType aType) override {
        const int type = static_cast<int>(aType);
        if (fReads++ == fFailingItem) {
            throw std::runtime_error("item failed");
        }
        return {"Title" + std::to_string(type), "Item " + std::to_string(type), 3.0 + type + 0.375};
    }

private:
    int fState;
    int fFailingItem;
    int fReads = 0;
};

} // namespace

TEST(AssessmentTest, NotAvailableWithoutTheService) {
    const TWinSAT sat; // no assessment service on this platform
    EXPECT_FALSE(sat.Available());
    EXPECT_EQ(sat.GraphicsInfo().Score, 0.0);
    EXPECT_EQ(sat.CheckingDateTime(), kZeroDate);
}

TEST(AssessmentTest, OnlyValidOrHardwareChangedStatesCount) {
    for (const int state : {0, 1, 2, 3, -1}) {
        const TWinSAT sat(std::make_shared<TFakeQuery>(state));
        const bool usable = state == 1 || state == 2;
        EXPECT_EQ(sat.Available(), usable) << state;
        EXPECT_DOUBLE_EQ(sat.GraphicsInfo().Score, usable ? 7.38 : 0.0)
            << state; // 7.375, half to even
        EXPECT_DOUBLE_EQ(sat.SystemInfo().Score, usable ? 5.12 : 0.0) << state; // 5.125
    }
    const TWinSAT sat(std::make_shared<TFakeQuery>(2));
    EXPECT_EQ(sat.SystemInfo().Title, "");
    EXPECT_EQ(sat.SystemInfo().Description, "Valid");
    EXPECT_EQ(sat.CheckingDateTime(), 42501.5);
    EXPECT_EQ(sat.CPUInfo().Title, "Title1");
    EXPECT_EQ(sat.MemoryInfo().Description, "Item 0");
    EXPECT_DOUBLE_EQ(sat.DiskInfo().Score, 5.38);
    EXPECT_DOUBLE_EQ(sat.D3DInfo().Score, 6.38);
}

TEST(AssessmentTest, FailedItemKeepsTheEarlierOnes) {
    // Items are read processor, memory, disk, Direct3D, graphics; the disk read fails.
    const TWinSAT sat(std::make_shared<TFakeQuery>(1, 2));
    EXPECT_TRUE(sat.Available());
    EXPECT_DOUBLE_EQ(sat.CPUInfo().Score, 4.38);
    EXPECT_DOUBLE_EQ(sat.MemoryInfo().Score, 3.38);
    EXPECT_EQ(sat.DiskInfo().Score, 0.0);
    EXPECT_EQ(sat.D3DInfo().Score, 0.0);
    EXPECT_EQ(sat.GraphicsInfo().Score, 0.0);
    EXPECT_EQ(sat.GraphicsInfo().Title, "");
}
