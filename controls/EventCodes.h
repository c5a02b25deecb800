#pragma once

// Key, shift and mouse-button codes as the program's own controls report them
// in their events.

#include <Qt>
#include <QtGlobal>

namespace eventCodes {

// Letters and digits are their upper-case character codes, Space 32, arrows
// 37 to 40, F1 112, ...; 0 for keys without one.
qint16 keyCode(int qtKey);
// 1 Shift, 2 Ctrl, 4 Alt.
qint16 shiftState(Qt::KeyboardModifiers modifiers);
// 1 left, 2 right, 4 middle; for several buttons held, their sum.
qint16 mouseButtons(Qt::MouseButtons buttons);

} // namespace eventCodes
