#include "dialog/AdapterState.h"

namespace dialog {

AdapterState& TheAdapterState() {
    static AdapterState state;
    return state;
}

}  // namespace dialog
