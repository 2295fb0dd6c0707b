// The demo's twelve instruments for a page: the demo's own start-up and tick
// on the headless back-end, with the clock the page gives each tick.

#include <emscripten/bind.h>

#include "app/Demo.h"
#include "dialog/Dialogs.h"
#include "dialog/LocalClock.h"
#include "web/module/Bindings.h"

namespace instruments::web {

namespace {

class DemoPanel {
  public:
    DemoPanel() {
        if (live_) {
            Refuse("DemoPanel: one demo panel at a time (delete() the other first)");
        }
        dialog::SetLocalClockSource([this] { return app::TimeOfDayAt(clockMs_); });
        instruments::HeadlessOptions headless;
        headless.spanMs = 0;
        dialog::UseHeadlessDialogs(headless);
        if (app::StartUp() == 0) {
            dialog::SetLocalClockSource({});
            Refuse("DemoPanel: " + dialog::LastDialogError());
        }
        live_ = true;
    }
    ~DemoPanel() {
        dialog::DialogEnd(app::mainDialog, 0);
        dialog::SetLocalClockSource({});
        app::levelCounter = 0;
        live_ = false;
    }
    DemoPanel(const DemoPanel&) = delete;
    DemoPanel& operator=(const DemoPanel&) = delete;

    // One timer tick reading the clock at `timeOfDayMs` after midnight: the
    // twelve paint calls and the compose of what changed, as the program's tick.
    void Tick(double timeOfDayMs) {
        if (!(timeOfDayMs >= 0 && timeOfDayMs < app::kDayMs)) {
            Refuse("DemoPanel tick: the time of day is 0..86399999 ms after midnight");
        }
        clockMs_ = static_cast<long long>(timeOfDayMs);
        app::Tick(app::mainDialog);
        dialog::ComposeClientArea(app::mainDialog);
    }
    emscripten::val Render() const {
        const Surface* client = dialog::ComposeClientArea(app::mainDialog);
        return client == nullptr ? emscripten::val::null() : ImageDataOf(*client);
    }
    int Width() const { return Client().width(); }
    int Height() const { return Client().height(); }

  private:
    const Surface& Client() const {
        static const Surface kEmpty;
        const Surface* client = dialog::ComposeClientArea(app::mainDialog);
        return client == nullptr ? kEmpty : *client;
    }

    static inline bool live_ = false;
    long long clockMs_ = 0;
};

}  // namespace

void BindDemo() {
    emscripten::class_<DemoPanel>("DemoPanel")
        .constructor<>()
        .function("tick", &DemoPanel::Tick)
        .function("render", &DemoPanel::Render)
        .property("width", &DemoPanel::Width)
        .property("height", &DemoPanel::Height)
        .class_property("tickMs", &app::kTickMs);
}

}  // namespace instruments::web
