// Holders for every GDI resource the windows create or borrow, and the system cursors by number.
// Each holder releases what it holds when it goes out of scope (Windows only).
#pragma once

#include <windows.h>

#include <utility>

namespace revaze {

// The system cursors by number: IDC_* expand to narrow resource names in a build without UNICODE.
inline constexpr WORD kCursorArrow = 32512; // IDC_ARROW
inline constexpr WORD kCursorCross = 32515; // IDC_CROSS
inline constexpr WORD kCursorHand = 32649;  // IDC_HAND

inline HCURSOR systemCursor(WORD id) {
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
}

inline void setCursor(WORD id) {
    SetCursor(systemCursor(id));
}

// Owns a font, pen, brush or bitmap and deletes it.
template <typename Handle> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
        }
        handle_ = handle;
    }
    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

// Selects a GDI object into a device context for one scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), old_(dc != nullptr && object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (old_ != nullptr) {
            SelectObject(dc_, old_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// BeginPaint and EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// GetDC and ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A device context for the whole display (CreateDC "DISPLAY"), deleted with DeleteDC.
class DisplayDC {
public:
    DisplayDC() : dc_(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)) {}
    ~DisplayDC() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    DisplayDC(const DisplayDC&) = delete;
    DisplayDC& operator=(const DisplayDC&) = delete;
    HDC dc() const { return dc_; }

private:
    HDC dc_;
};

// A memory device context compatible with `dc`, with `bitmap` selected while it lives.
class MemoryDC {
public:
    MemoryDC(HDC dc, HBITMAP bitmap) : dc_(dc != nullptr ? CreateCompatibleDC(dc) : nullptr) {
        if (dc_ != nullptr && bitmap != nullptr) {
            old_ = SelectObject(dc_, bitmap);
        }
    }
    ~MemoryDC() {
        if (dc_ != nullptr) {
            if (old_ != nullptr) {
                SelectObject(dc_, old_);
            }
            DeleteDC(dc_);
        }
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }
    bool ready() const { return dc_ != nullptr && old_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

} // namespace revaze
