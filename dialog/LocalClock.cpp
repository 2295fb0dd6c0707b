#include "dialog/LocalClock.h"

namespace dialog {

namespace {

std::function<canvas::LocalTime()>& Source() {
    static std::function<canvas::LocalTime()> source;
    return source;
}

}  // namespace

canvas::LocalTime ReadLocalTime() {
    return Source() ? Source()() : canvas::SystemLocalTime();
}

void SetLocalClockSource(std::function<canvas::LocalTime()> source) {
    Source() = std::move(source);
}

}  // namespace dialog
