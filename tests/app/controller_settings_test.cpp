#include "app/localization.h"
#include "support/controller_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <optional>

namespace brivane::test {
namespace {

using TControllerSettingsTest = TControllerTest;
using TNames = std::vector<std::string>;

// An assessment with the given graphics score.
class TScoredAssessment final : public platform::IAssessmentQuery {
public:
    explicit TScoredAssessment(double aGraphics) : fGraphics(aGraphics) {}
    int AssessmentState() override { return 1; }
    TDateTime AssessmentDateTime() override { return 42501.5; }
    double SystemRating() override { return 5.0; }
    std::string RatingStateDesc() override { return "Valid"; }
    platform::TAssessmentItem GetAssessmentInfo(platform::TAssessmentType aType) override {
        return {"", "", aType == platform::TAssessmentType::Graphics ? fGraphics : 9.9};
    }

private:
    double fGraphics;
};

TEST_F(TControllerSettingsTest, LoadsTheStoredSettingsIntoTheView) {
    struct Case {
        std::optional<bool> beta, shareware, checkForUpdate;
        bool viewBeta, viewShareware, viewCheckForUpdate;
    };
    const Case cases[] = {
        {{}, {}, {}, false, false, true},
        {true, true, false, true, true, false},
        {false, false, true, false, false, true},
    };
    for (const auto& c : cases) {
        TConfig config(fData / "Case.dat");
        for (const auto& [key, value] : {std::pair{kAllowBeta, c.beta},
                                         {kAllowShareware, c.shareware},
                                         {kCheckForUpdate, c.checkForUpdate}}) {
            if (value) {
                config.SetBoolean(key, *value);
            }
        }
        TRecordingView view;
        TControllerOptions options;
        options.Config = std::make_shared<TConfig>(config.File());
        MakeController(std::move(options));
        ASSERT_TRUE(CallOnStart(view));
        RunUntil([this] { return fController->Idle(); });
        EXPECT_EQ(view.AllowBeta(), c.viewBeta);
        EXPECT_EQ(view.AllowShareware(), c.viewShareware);
        EXPECT_EQ(view.CheckForUpdate(), c.viewCheckForUpdate);
        fController.reset();
        std::filesystem::remove(config.File());
    }
}

TEST_F(TControllerSettingsTest, ABetaChangeChecksEverythingAgain) {
    SetInstalled("Player", "1.0");
    SetPage("Player", "2.0", "2.1-beta");
    SetPage("Lib", "1.0", "1.1-beta");
    auto* player = AddEntry("Player");
    auto* lib = AddEntry("Lib");
    Start();
    ASSERT_EQ(fView.Updates().size(), 1u);
    EXPECT_EQ(fView.Updates()[0].Item.AvailableVersion, "2.0");
    fView.ClearCalls();

    fView.SetAllowBeta(true);
    fView.ConfigChanged();
    EXPECT_EQ(fView.DisplayMode(), dmSplash); // at once, until the refresh is done
    WaitIdle();

    EXPECT_EQ(fConfig->FindBoolean(kAllowBeta), true);
    EXPECT_EQ(player->Checks(), 2);
    EXPECT_EQ(lib->Checks(), 2);
    ASSERT_EQ(fView.Updates().size(), 1u);
    EXPECT_EQ(fView.Updates()[0].Item.AvailableVersion, "2.1-beta");
    ASSERT_EQ(fView.Programs().size(), 1u);
    EXPECT_EQ(fView.Programs()[0].Item.AvailableVersion, "1.1-beta");
    EXPECT_EQ(fView.DisplayMode(), dmList);
}

TEST_F(TControllerSettingsTest, SharewareIsHiddenAndOnlyRelistedWhenAllowed) {
    for (const char* name : {"Free", "Paid"}) {
        SetInstalled(name, "1.0");
        SetPage(name, "2.0");
    }
    SetPage("PaidLib", "3.0");
    auto* free = AddEntry("Free");
    auto* paid = AddEntry("Paid", slShareware);
    auto* paidLib = AddEntry("PaidLib", slShareware);
    Start();

    EXPECT_EQ(Names(fView.Updates()), TNames{"Free"});
    EXPECT_TRUE(fView.Programs().empty());
    EXPECT_EQ(paid->Checks(), 0);    // not checked by the update pass
    EXPECT_EQ(paidLib->Checks(), 1); // the library pass checks it all the same

    fView.SetAllowShareware(true);
    fView.ConfigChanged();
    EXPECT_EQ(fView.DisplayMode(), dmProgress);
    EXPECT_EQ(fView.ProgressText(), Localize("gc.listupdating"));
    EXPECT_FALSE(fView.CancelVisible());
    WaitIdle();

    EXPECT_EQ(fConfig->FindBoolean(kAllowShareware), true);
    EXPECT_EQ(fView.DisplayMode(), dmList);
    // Rebuilt from what is known: the paid program was never checked, so it is current.
    EXPECT_EQ(Names(fView.Updates()), TNames{"Free"});
    EXPECT_EQ(Names(fView.Actuals()), TNames{"Paid"});
    ASSERT_EQ(Names(fView.Programs()), TNames{"PaidLib"});
    EXPECT_EQ(fView.Programs()[0].Item.AvailableVersion, "3.0");
    EXPECT_EQ(free->Checks(), 1);
    EXPECT_EQ(paid->Checks(), 0);
    EXPECT_EQ(paidLib->Checks(), 1);
}

TEST_F(TControllerSettingsTest, OtherSettingsAreStoredWithoutARefresh) {
    SetInstalled("Free", "1.0");
    SetPage("Free", "2.0");
    auto* free = AddEntry("Free");
    Start();
    fView.ClearCalls();

    fView.SetEnableAnimations(true);
    fView.SetCheckForUpdate(false);
    fView.ConfigChanged();
    WaitIdle();
    EXPECT_EQ(fConfig->FindBoolean(kEnableAnimations), true);
    EXPECT_EQ(fConfig->FindBoolean(kCheckForUpdate), false);
    EXPECT_EQ(fView.Count("DisplayMode 0"), 0);
    EXPECT_EQ(fView.Count("DisplayMode 2"), 0);
    EXPECT_EQ(free->Checks(), 1);

    CurrentLanguage = lRussian;
    fView.LanguageChanged();
    EXPECT_EQ(fConfig->FindInteger(kLanguage), static_cast<int>(lRussian));
    CurrentLanguage = lEnglish;
}

TEST_F(TControllerSettingsTest, AnimationsFollowTheStoredValueElseTheAssessment) {
    struct Case {
        std::optional<bool> stored;
        std::optional<double> graphicsScore; // none: no assessment available
        bool enabled;
        std::optional<bool> storedAfter;
    };
    const Case cases[] = {
        {true, 1.0, true, true}, {false, 9.0, false, false}, {{}, 4.0, true, true},
        {{}, 3.9, false, false}, {{}, {}, false, {}},
    };
    for (const auto& c : cases) {
        auto config = std::make_shared<TConfig>(fData / "Animations.dat");
        if (c.stored) {
            config->SetBoolean(kEnableAnimations, *c.stored);
        }
        std::atomic<int> asked{0};
        TControllerOptions options;
        options.Config = config;
        options.CreateAssessmentQuery =
            [&asked, score = c.graphicsScore]() -> std::shared_ptr<platform::IAssessmentQuery> {
            ++asked;
            if (!score) {
                return nullptr;
            }
            return std::make_shared<TScoredAssessment>(*score);
        };
        TRecordingView view;
        MakeController(std::move(options));
        ASSERT_TRUE(CallOnStart(view));
        RunUntil([this] { return fController->Idle(); });
        EXPECT_EQ(view.EnableAnimations(), c.enabled);
        EXPECT_EQ(config->FindBoolean(kEnableAnimations), c.storedAfter);
        EXPECT_EQ(asked.load(), c.stored ? 0 : 1);
        fController.reset();
        std::filesystem::remove(config->File());
    }
}

TEST_F(TControllerSettingsTest, ABetaChangeWaitsForTheLibraryChecksBeforeInit) {
    SetPage("Slow", "1.0", "1.1-beta");
    auto* slow = AddEntry("Slow");
    std::promise<void> release;
    HoldPage("Slow", release.get_future().share());
    MakeController();
    ASSERT_TRUE(CallOnStart(fView));
    // The lists show while the library check of Slow waits for its page (on a loaded
    // machine the check may start after the lists show: wait until it has).
    RunUntil([this, slow] { return fView.DisplayMode() == dmList && slow->Checks() == 1; });
    EXPECT_FALSE(fController->Idle());

    // The page is given once the refresh began: its Init must wait for that check.
    bool released = false;
    fView.OnProgressState = [&](TProgressState aState) {
        if (aState == psIndeterminate && !released) {
            released = true;
            release.set_value();
        }
    };
    fView.SetAllowBeta(true);
    fView.ConfigChanged();
    WaitIdle();
    fView.OnProgressState = nullptr;

    EXPECT_TRUE(released);
    EXPECT_FALSE(slow->Overlapped());
    EXPECT_EQ(slow->Checks(), 2);
    ASSERT_EQ(fView.Programs().size(), 1u);
    EXPECT_EQ(fView.Programs()[0].Item.AvailableVersion, "1.1-beta");
}

} // namespace
} // namespace brivane::test
