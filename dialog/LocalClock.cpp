#include "dialog/LocalClock.h"

#include "dialog/AdapterState.h"

namespace dialog {

instruments::LocalTime ReadLocalTime() {
    const auto& source = TheAdapterState().clockSource;
    return source ? source() : instruments::SystemLocalTime();
}

void SetLocalClockSource(std::function<instruments::LocalTime()> source) {
    TheAdapterState().clockSource = std::move(source);
}

}  // namespace dialog
