// A dialog back-end without a window: virtual time that jumps straight to the
// next timer deadline, and a client area that tests and tools read as pixels.

#include "canvas/DialogEngine.h"
#include "canvas/surface/Surface.h"

namespace canvas {

namespace {

class HeadlessBackend final : public DialogBackend {
  public:
    explicit HeadlessBackend(HeadlessOptions options) : options_(std::move(options)) {}

    bool Create(const std::string&, int, int, int, int, std::string&) override { return true; }
    void Show() override {}
    std::int64_t Now() override { return now_; }

    BackendEvent Wait(std::int64_t deadlineMs) override {
        if (deadlineMs < 0 || deadlineMs > options_.spanMs) {
            now_ = std::max(now_, options_.spanMs);
            return {BackendEventKind::SpanElapsed};
        }
        now_ = std::max(now_, deadlineMs);
        return {BackendEventKind::None};
    }

    void Present(const Surface& clientArea) override {
        if (options_.onPresent) {
            options_.onPresent(clientArea, now_);
        }
    }
    void Destroy() override {}

  private:
    HeadlessOptions options_;
    std::int64_t now_ = 0;
};

}  // namespace

std::unique_ptr<DialogBackend> MakeHeadlessBackend(const HeadlessOptions& options) {
    return std::make_unique<HeadlessBackend>(options);
}

}  // namespace canvas
