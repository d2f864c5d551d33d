#pragma once
// The clock that drives every animation of the windows: fades, slides, the check
// marks and the progress bars. One timer ticks while at least one animation runs and
// stops with the last one; with animations off no timer runs at all and every
// animation jumps to its end at once. Main thread only.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

namespace brivane::ui {

enum class TEasing { OutCubic, Linear };

class TAnimationClock : public QObject {
    Q_OBJECT

public:
    using TSetter = std::function<void(double)>;
    using TFinish = std::function<void()>;

    // The process's clock, made on first use; animations start off.
    static TAnimationClock& Instance();

    bool Enabled() const { return fEnabled; }
    // Turning them off ends every running animation at its end value.
    void SetEnabled(bool aValue);

    // Animates one value of aOwner, named by aChannel: aSetter gets values from aFrom to
    // aTo over aSeconds, then aOnFinish runs. A new animation of the same owner and
    // channel replaces the running one, whose finish then never runs. With animations
    // off, or a duration of 0 or less, aSetter(aTo) and aOnFinish run at once. An
    // animation whose owner is destroyed ends silently.
    void Animate(QObject* aOwner, int aChannel, double aFrom, double aTo, double aSeconds,
                 TSetter aSetter, TFinish aOnFinish = {}, TEasing aEasing = TEasing::OutCubic);
    bool IsAnimating(const QObject* aOwner, int aChannel) const;
    // Ends the animation where it is, without its finish.
    void Stop(const QObject* aOwner, int aChannel);
    // Ends every running animation at its end value, finishes included.
    void FinishAll();

    bool TimerActive() const { return fTimer.isActive(); }
    int RunningCount() const;
    // Seconds since the clock was made, monotonic.
    double Now() const;

private:
    TAnimationClock();

    struct TAnimation {
        QPointer<QObject> Owner;
        const QObject* Key = nullptr;
        int Channel = 0;
        double From = 0;
        double To = 0;
        double Start = 0;
        double Duration = 0;
        TSetter Setter;
        TFinish OnFinish;
        TEasing Easing = TEasing::OutCubic;
        bool Done = false;
    };
    using TAnimationPtr = std::shared_ptr<TAnimation>;

    void Tick();
    // Runs every animation to aNow (or to its end); removes the finished ones.
    void Advance(bool aToEnd);

    bool fEnabled = false;
    QTimer fTimer;
    QElapsedTimer fElapsed;
    std::vector<TAnimationPtr> fAnimations;
};

} // namespace brivane::ui
