// The window back-end of builds without a screen of their own (the browser):
// every window is refused with the reason, and the headless back-end remains.

#include <memory>

#include "canvas/window/Dialog.h"
#include "canvas/window/DialogBackend.h"

namespace instruments {

namespace {

class NoWindowBackend final : public DialogBackend {
  public:
    bool Create(const std::string&, int, int, int, int, std::string& error) override {
        error = "this build has no windows (paint surfaces, or use a headless window)";
        return false;
    }
    void Show() override {}
    std::int64_t Now() override { return 0; }
    BackendEvent Wait(std::int64_t) override { return {}; }
    void Present(const Surface&) override {}
    void Destroy() override {}
};

}  // namespace

std::unique_ptr<DialogBackend> MakeWindowBackend(int) {
    return std::make_unique<NoWindowBackend>();
}

}  // namespace instruments
