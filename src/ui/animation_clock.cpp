#include "ui/animation_clock.h"

#include <algorithm>

namespace brivane::ui {

namespace {

constexpr int kFrameMilliseconds = 16;

double Ease(TEasing aEasing, double aT) {
    if (aEasing == TEasing::Linear) {
        return aT;
    }
    const double rest = 1.0 - aT;
    return 1.0 - rest * rest * rest;
}

} // namespace

TAnimationClock& TAnimationClock::Instance() {
    static TAnimationClock* clock = new TAnimationClock(); // lives until the process ends
    return *clock;
}

TAnimationClock::TAnimationClock() {
    fElapsed.start();
    fTimer.setInterval(kFrameMilliseconds);
    fTimer.setTimerType(Qt::PreciseTimer);
    connect(&fTimer, &QTimer::timeout, this, [this] { Tick(); });
}

void TAnimationClock::SetEnabled(bool aValue) {
    fEnabled = aValue;
    if (!fEnabled) {
        FinishAll();
    }
}

double TAnimationClock::Now() const {
    return static_cast<double>(fElapsed.nsecsElapsed()) / 1e9;
}

void TAnimationClock::Animate(QObject* aOwner, int aChannel, double aFrom, double aTo,
                              double aSeconds, TSetter aSetter, TFinish aOnFinish,
                              TEasing aEasing) {
    Stop(aOwner, aChannel);
    if (!fEnabled || aSeconds <= 0) {
        aSetter(aTo);
        if (aOnFinish) {
            aOnFinish();
        }
        return;
    }
    auto animation = std::make_shared<TAnimation>();
    animation->Owner = aOwner;
    animation->Key = aOwner;
    animation->Channel = aChannel;
    animation->From = aFrom;
    animation->To = aTo;
    animation->Start = Now();
    animation->Duration = aSeconds;
    animation->Setter = std::move(aSetter);
    animation->OnFinish = std::move(aOnFinish);
    animation->Easing = aEasing;
    animation->Setter(aFrom);
    fAnimations.push_back(std::move(animation));
    if (!fTimer.isActive()) {
        fTimer.start();
    }
}

bool TAnimationClock::IsAnimating(const QObject* aOwner, int aChannel) const {
    return std::any_of(fAnimations.begin(), fAnimations.end(), [&](const TAnimationPtr& aItem) {
        return !aItem->Done && aItem->Key == aOwner && aItem->Channel == aChannel;
    });
}

void TAnimationClock::Stop(const QObject* aOwner, int aChannel) {
    for (const auto& animation : fAnimations) {
        if (animation->Key == aOwner && animation->Channel == aChannel) {
            animation->Done = true;
        }
    }
    std::erase_if(fAnimations, [](const TAnimationPtr& aItem) { return aItem->Done; });
    if (fAnimations.empty()) {
        fTimer.stop();
    }
}

void TAnimationClock::FinishAll() {
    // A finish may start new animations; with animations off they end at once, and
    // otherwise the next round ends them.
    for (int round = 0; round < 8 && !fAnimations.empty(); ++round) {
        Advance(true);
    }
}

int TAnimationClock::RunningCount() const {
    return static_cast<int>(std::count_if(fAnimations.begin(), fAnimations.end(),
                                          [](const TAnimationPtr& aItem) { return !aItem->Done; }));
}

void TAnimationClock::Tick() {
    Advance(false);
}

void TAnimationClock::Advance(bool aToEnd) {
    const double now = Now();
    // Setters and finishes may add or stop animations: walk a copy.
    const auto snapshot = fAnimations;
    for (const auto& animation : snapshot) {
        if (animation->Done) {
            continue;
        }
        if (!animation->Owner) {
            animation->Done = true;
            continue;
        }
        const double t =
            aToEnd ? 1.0 : std::clamp((now - animation->Start) / animation->Duration, 0.0, 1.0);
        animation->Setter(animation->From +
                          (animation->To - animation->From) * Ease(animation->Easing, t));
        if (t >= 1.0) {
            animation->Done = true;
            if (animation->OnFinish) {
                animation->OnFinish();
            }
        }
    }
    std::erase_if(fAnimations, [](const TAnimationPtr& aItem) { return aItem->Done; });
    if (fAnimations.empty()) {
        fTimer.stop();
    }
}

} // namespace brivane::ui
