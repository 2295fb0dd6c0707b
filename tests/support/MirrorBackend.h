#pragma once

// A headless dialog back-end that also keeps what a real window would show: a
// screen updated only from what the dialog presents, the whole client area or
// just the changed rectangles. A present that is lost, or a rectangle left out,
// leaves the screen behind the client area.

#include <memory>
#include <span>
#include <string>

#include "canvas/window/Control.h"
#include "canvas/window/Dialog.h"
#include "instruments/Surface.h"

namespace testsupport {

class MirrorBackend final : public instruments::DialogBackend {
  public:
    explicit MirrorBackend(const instruments::HeadlessOptions& options, instruments::Surface& screen)
        : inner_(instruments::MakeHeadlessBackend(options)), screen_(screen) {}

    bool Create(const std::string& caption, int x, int y, int width, int height,
                std::string& error) override {
        screen_ = instruments::Surface(width, height);
        return inner_->Create(caption, x, y, width, height, error);
    }
    void Show() override { inner_->Show(); }
    bool Visible() const override { return inner_->Visible(); }
    std::int64_t Now() override { return inner_->Now(); }
    instruments::BackendEvent Wait(std::int64_t deadlineMs) override { return inner_->Wait(deadlineMs); }
    void Present(const instruments::Surface& clientArea) override {
        screen_ = clientArea;
        ++presents_;
    }
    void PresentChanged(const instruments::Surface& clientArea,
                        std::span<const instruments::ClientRect> changed) override {
        for (const instruments::ClientRect& r : changed) {
            screen_.Blit(r.x, r.y, clientArea, r.x, r.y, r.width, r.height);
        }
        ++presents_;
    }
    void Destroy() override { inner_->Destroy(); }
    int presents() const { return presents_; }

  private:
    std::unique_ptr<instruments::DialogBackend> inner_;
    instruments::Surface& screen_;
    int presents_ = 0;
};

// The client area as composing every live control afresh would make it: the
// button face, then each control in creation order.
template <typename Ids>
instruments::Surface FreshComposition(instruments::Dialog& dialog, int width, int height, const Ids& ids) {
    instruments::Surface fresh(width, height, instruments::PixelFromColour(instruments::kSystemButtonFace));
    for (const int id : ids) {
        if (const instruments::Control* control = dialog.FindControl(id)) {
            const instruments::Surface& face = control->canvas().surface();
            fresh.Blit(control->x(), control->y(), face, 0, 0, face.width(), face.height());
        }
    }
    return fresh;
}

}  // namespace testsupport
