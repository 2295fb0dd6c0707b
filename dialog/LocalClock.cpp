#include "dialog/LocalClock.h"

namespace dialog {

namespace {

std::function<instruments::LocalTime()>& Source() {
    static std::function<instruments::LocalTime()> source;
    return source;
}

}  // namespace

instruments::LocalTime ReadLocalTime() {
    return Source() ? Source()() : instruments::SystemLocalTime();
}

void SetLocalClockSource(std::function<instruments::LocalTime()> source) {
    Source() = std::move(source);
}

}  // namespace dialog
