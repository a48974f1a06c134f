#include "tests/wine_tsf/key_route.h"

#include "tests/wine/harness.h"

namespace tsfharness {

namespace {

void send(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

} // namespace

bool KeyRoute::route(const MSG& message) {
    if (!sink_) {
        return false;
    }
    BOOL eaten = FALSE;
    if (message.message == WM_KEYDOWN) {
        sink_->OnTestKeyDown(context_, message.wParam, message.lParam, &eaten);
        if (eaten) {
            sink_->OnKeyDown(context_, message.wParam, message.lParam, &eaten);
        }
    } else if (message.message == WM_KEYUP) {
        sink_->OnTestKeyUp(context_, message.wParam, message.lParam, &eaten);
        if (eaten) {
            sink_->OnKeyUp(context_, message.wParam, message.lParam, &eaten);
        }
    } else {
        return false;
    }
    passed_ += eaten ? 0 : 1;
    return eaten != FALSE;
}

void KeyRoute::pump(DWORD milliseconds) {
    harness::pump(milliseconds, [this](const MSG& message) { return route(message); });
}

void KeyRoute::tapKey(WORD vk) {
    send(vk, false);
    send(vk, true);
    pump(40);
}

void KeyRoute::press(WORD vk) {
    send(vk, false);
    pump(40);
}

void KeyRoute::release(WORD vk) {
    send(vk, true);
    pump(40);
}

void KeyRoute::tapShift() {
    tapKey(VK_SHIFT);
    pump(60);
}

void KeyRoute::type(const char* text) {
    for (const char* p = text; *p != '\0'; ++p) {
        const harness::KeyStroke stroke = harness::strokeFor(*p);
        if (stroke.vk == 0) {
            continue;
        }
        if (stroke.shift) {
            send(VK_SHIFT, false);
        }
        send(static_cast<WORD>(stroke.vk), false);
        send(static_cast<WORD>(stroke.vk), true);
        if (stroke.shift) {
            send(VK_SHIFT, true);
        }
        pump(40);
    }
    pump(150);
}

} // namespace tsfharness
