#include "x11_keys.h"

#include <X11/keysym.h>

namespace standin::x11 {

WPARAM VirtualKeyOf(unsigned long keysym) {
    if (keysym >= XK_a && keysym <= XK_z) return 'A' + (keysym - XK_a);
    if (keysym >= XK_A && keysym <= XK_Z) return 'A' + (keysym - XK_A);
    if (keysym >= XK_0 && keysym <= XK_9) return '0' + (keysym - XK_0);
    if (keysym >= XK_F1 && keysym <= XK_F12) return VK_F1 + (keysym - XK_F1);
    // VK_NUMPAD0 onwards.
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return 0x60 + (keysym - XK_KP_0);
    switch (keysym) {
        case XK_Return:
        case XK_KP_Enter:
            return VK_RETURN;
        case XK_Escape:
            return VK_ESCAPE;
        case XK_space:
            return VK_SPACE;
        case XK_BackSpace:
            return VK_BACK;
        case XK_Tab:
        case XK_ISO_Left_Tab:
            return VK_TAB;
        case XK_Prior:
        case XK_KP_Prior:
            return VK_PRIOR;
        case XK_Next:
        case XK_KP_Next:
            return VK_NEXT;
        case XK_End:
        case XK_KP_End:
            return VK_END;
        case XK_Home:
        case XK_KP_Home:
            return VK_HOME;
        case XK_Left:
        case XK_KP_Left:
            return VK_LEFT;
        case XK_Up:
        case XK_KP_Up:
            return VK_UP;
        case XK_Right:
        case XK_KP_Right:
            return VK_RIGHT;
        case XK_Down:
        case XK_KP_Down:
            return VK_DOWN;
        case XK_Insert:
        case XK_KP_Insert:
            return VK_INSERT;
        case XK_Delete:
        case XK_KP_Delete:
            return VK_DELETE;
        case XK_Shift_L:
        case XK_Shift_R:
            return VK_SHIFT;
        case XK_Control_L:
        case XK_Control_R:
            return VK_CONTROL;
        case XK_Alt_L:
        case XK_Alt_R:
        case XK_Meta_L:
        case XK_Meta_R:
        case XK_ISO_Level3_Shift:
            return VK_MENU;
        default:
            return 0;
    }
}

unsigned long KeySymOf(WORD virtualKey) {
    switch (virtualKey) {
        case VK_SHIFT:
        case VK_LSHIFT:
            return XK_Shift_L;
        case VK_RSHIFT:
            return XK_Shift_R;
        case VK_CONTROL:
            return XK_Control_L;
        case VK_MENU:
            return XK_Alt_L;
        case VK_RETURN:
            return XK_Return;
        case VK_ESCAPE:
            return XK_Escape;
        case VK_SPACE:
            return XK_space;
        default:
            return 0;
    }
}

}  // namespace standin::x11
