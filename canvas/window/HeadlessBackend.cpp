// A dialog back-end without a window: virtual time that jumps straight to the
// next timer deadline (or a set time after it), scripted input, resizes and
// hiding, and a client area that tests and tools read as pixels.

#include <algorithm>
#include <limits>

#include "canvas/window/Dialog.h"
#include "instruments/Surface.h"

namespace instruments {

namespace {

// Bounds the late wake-up; virtual time saturates at the end of its range.
constexpr std::int64_t kMaxLateWakeMs = 3'600'000;

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? std::numeric_limits<std::int64_t>::max() : sum;
}

class HeadlessBackend final : public DialogBackend {
  public:
    explicit HeadlessBackend(HeadlessOptions options) : options_(std::move(options)) {}

    bool Create(const std::string&, int, int, int, int, std::string&) override { return true; }
    void Show() override {}
    std::int64_t Now() override { return now_; }
    bool Visible() const override {
        return !hidden_ && std::none_of(
            options_.hidden.begin(), options_.hidden.end(),
            [&](const HeadlessOptions::Hidden& span) { return now_ >= span.fromMs && now_ < span.untilMs; });
    }

    BackendEvent Wait(std::int64_t deadlineMs) override {
        const bool timed = deadlineMs >= 0 && deadlineMs <= options_.spanMs;
        const std::int64_t until = timed ? deadlineMs : options_.spanMs;
        if (nextResize_ < options_.resizes.size() && options_.resizes[nextResize_].atMs <= until) {
            const HeadlessOptions::Resize& resize = options_.resizes[nextResize_++];
            now_ = std::max(now_, resize.atMs);
            return {BackendEventKind::Resized, resize.width, resize.height};
        }
        if (nextInput_ < options_.inputs.size() && options_.inputs[nextInput_].atMs <= until) {
            const HeadlessOptions::Input& input = options_.inputs[nextInput_++];
            now_ = std::max(now_, input.atMs);
            return Delivered(input);
        }
        if (nextShow_ < options_.hidden.size() && options_.hidden[nextShow_].untilMs <= until) {
            now_ = std::max(now_, options_.hidden[nextShow_++].untilMs);
            return {BackendEventKind::Exposed};
        }
        if (!timed) {
            now_ = std::max(now_, options_.spanMs);
            return {BackendEventKind::SpanElapsed};
        }
        // Time always moves on to the deadline or past it, so the loop's timers
        // come due and no wait can leave the loop where it was.
        now_ = std::max(now_, SaturatingAdd(deadlineMs, std::clamp<std::int64_t>(options_.lateWakeMs, 0,
                                                                                 kMaxLateWakeMs)));
        return {BackendEventKind::None};
    }

    void Present(const Surface& clientArea) override {
        const ClientRect whole{0, 0, clientArea.width(), clientArea.height()};
        PresentChanged(clientArea, std::span<const ClientRect>(&whole, 1));
    }
    void PresentChanged(const Surface& clientArea, std::span<const ClientRect> changed) override {
        // A hidden window shows nothing, as on screen.
        if (!Visible()) {
            return;
        }
        if (options_.onPresentParts) {
            options_.onPresentParts(clientArea, now_, changed);
        } else if (options_.onPresent) {
            options_.onPresent(clientArea, now_);
        }
    }
    void Destroy() override {}

  private:
    BackendEvent Delivered(const HeadlessOptions::Input& input) {
        using Kind = HeadlessOptions::Input::Kind;
        switch (input.kind) {
            case Kind::Click:
                return {BackendEventKind::Click, input.x, input.y};
            case Kind::Escape:
                return {.kind = BackendEventKind::KeyPressed, .key = Key::Escape};
            case Kind::Key:
                return {.kind = BackendEventKind::KeyPressed, .key = input.key};
            case Kind::Resize:
                return {BackendEventKind::Resized, input.width, input.height};
            case Kind::Close:
                return {BackendEventKind::Close};
            case Kind::Hide:
                hidden_ = true;
                return {};
            case Kind::Show:
                hidden_ = false;
                return {BackendEventKind::Exposed};
        }
        return {};
    }

    HeadlessOptions options_;
    bool hidden_ = false;
    std::int64_t now_ = 0;
    std::size_t nextResize_ = 0;
    std::size_t nextInput_ = 0;
    std::size_t nextShow_ = 0;
};

}  // namespace

std::unique_ptr<DialogBackend> MakeHeadlessBackend(const HeadlessOptions& options) {
    return std::make_unique<HeadlessBackend>(options);
}

}  // namespace instruments
