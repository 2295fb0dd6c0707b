#pragma once

namespace instruments {

// The keys a window reports to its program. Others (letters, digits, function
// keys) are not reported; Alt+F4 closes the window and Ctrl+plus / Ctrl+minus
// zoom it.
enum class Key { Escape, Enter, Space, Tab, Backspace, Left, Right, Up, Down };

}  // namespace instruments
