#pragma once

// How this program's widgets read to screen readers where Qt's own reading
// falls short on Linux: a list box (QComboBox) says the name it was given
// rather than its current item, which stays its value; a tab says it has
// the focus only while its bar holds it, not whenever it is the current
// tab of a view closed long ago; a window of its own reads as a frame; the
// announcer reads as a notification. Installed once,
// before the window is built, so that every widget meets it from its first
// event on.
namespace accessiblewidgets {

void install();

} // namespace accessiblewidgets
