#include "controls/EventCodes.h"

namespace eventCodes {

qint16 keyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qint16(qtKey); // Qt's codes for these are their upper-case characters
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return qint16(112 + (qtKey - Qt::Key_F1));
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}

qint16 shiftState(Qt::KeyboardModifiers modifiers) {
    qint16 out = 0;
    if (modifiers & Qt::ShiftModifier)
        out |= 1;
    if (modifiers & Qt::ControlModifier)
        out |= 2;
    if (modifiers & Qt::AltModifier)
        out |= 4;
    return out;
}

qint16 mouseButtons(Qt::MouseButtons buttons) {
    qint16 out = 0;
    if (buttons & Qt::LeftButton)
        out |= 1;
    if (buttons & Qt::RightButton)
        out |= 2;
    if (buttons & Qt::MiddleButton)
        out |= 4;
    return out;
}

} // namespace eventCodes
