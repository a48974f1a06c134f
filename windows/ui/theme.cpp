#include "ui/theme.h"

#include <cstdint>
#include <vector>

namespace revaze {

namespace {

constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

COLORREF system(int index) {
    return GetSysColor(index);
}

int grey(COLORREF c) {
    return (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
}

COLORREF fromGrey(int level) {
    return RGB(level, level, level);
}

// The light skins are greys; the dark ones keep their shading, darker: the composition
// window's gradient (180..235) goes to 32..65, the key caps' greys (105..236) to 20..110.
COLORREF darkGrey(COLORREF c, int lightLow, int lightHigh, int darkLow, int darkHigh) {
    const int g = grey(c);
    return fromGrey(darkLow + (g - lightLow) * (darkHigh - darkLow) / (lightHigh - lightLow));
}

// The status strip's colours (windows/resources/make_ui_bitmaps.py) and what each becomes
// under high contrast: the bar the window colour, its pictures the text colour, the lit parts
// (the logo, English mode, the moon) the highlight.
struct StripColour {
    COLORREF light;
    int system;
};
constexpr StripColour kStripColours[] = {
    {RGB(34, 23, 101), COLOR_WINDOW},       // navy: the bar, the letters on the badge
    {RGB(145, 194, 255), COLOR_WINDOWTEXT}, // light blue: frame, letters, keyboard, rings
    {RGB(255, 140, 0), COLOR_HIGHLIGHT},    // orange: the logo, up
    {RGB(255, 220, 40), COLOR_HIGHLIGHT},   // yellow: English, the keyboard shown, the moon
    {RGB(232, 240, 255), COLOR_WINDOWTEXT}, // the badge's page
    {RGB(120, 150, 215), COLOR_GRAYTEXT},   // the pages behind it
    {RGB(70, 62, 150), COLOR_GRAYTEXT},     // the dividers
};

COLORREF highContrastStrip(COLORREF c) {
    for (const StripColour& entry : kStripColours) {
        if (entry.light == c) {
            return system(entry.system);
        }
    }
    return system(COLOR_WINDOW);
}

// Key caps under high contrast: flat faces in the button colour, edges in its text colour,
// pressed keys in the highlight.
COLORREF highContrastCap(COLORREF c, bool pressed) {
    constexpr COLORREF kEdge = RGB(105, 105, 105);
    if (c == kEdge) {
        return system(COLOR_BTNTEXT);
    }
    return system(pressed ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
}

COLORREF recolour(COLORREF c, SkinPart part, UiTheme theme, bool pressed) {
    switch (part) {
    case SkinPart::CompositionSkin:
        return theme == UiTheme::Dark ? darkGrey(c, 180, 235, 32, 65) : system(COLOR_WINDOW);
    case SkinPart::StatusStrip:
        return theme == UiTheme::Dark ? c : highContrastStrip(c); // the bar is dark already
    case SkinPart::KeyCaps:
        return theme == UiTheme::Dark ? darkGrey(c, 105, 236, 20, 110)
                                      : highContrastCap(c, pressed);
    }
    return c;
}

} // namespace

namespace {

// A DWORD value of the Personalize key, or `fallback` when there is none.
DWORD personalizeValue(const wchar_t* name, DWORD fallback) {
    DWORD value = fallback;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, name, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS) {
        return fallback;
    }
    return value;
}

} // namespace

UiTheme CurrentTheme() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0) {
        return UiTheme::HighContrast;
    }
    return personalizeValue(L"AppsUseLightTheme", 1) == 0 ? UiTheme::Dark : UiTheme::Light;
}

bool TaskbarIsDark() {
    return personalizeValue(L"SystemUsesLightTheme", 1) == 0;
}

ThemeColours ColoursFor(UiTheme theme) {
    switch (theme) {
    case UiTheme::Dark:
        return {RGB(255, 120, 135), RGB(96, 96, 96), RGB(255, 125, 140), RGB(255, 125, 140),
                RGB(80, 80, 80)};
    case UiTheme::HighContrast:
        return {system(COLOR_WINDOWTEXT), system(COLOR_WINDOWTEXT), system(COLOR_BTNTEXT),
                system(COLOR_HIGHLIGHTTEXT), system(COLOR_BTNFACE)};
    case UiTheme::Light:
        break;
    }
    return {RGB(200, 0, 45), RGB(180, 180, 180), RGB(190, 5, 30), RGB(190, 5, 30),
            RGB(192, 192, 192)};
}

Bitmap Recoloured(HBITMAP source, SkinPart part, UiTheme theme, int pressedFrom) {
    BITMAP info{};
    if (theme == UiTheme::Light || source == nullptr ||
        GetObjectW(source, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0) {
        return Bitmap{};
    }
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = -info.bmHeight; // top row first
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    WindowDC screen(nullptr);
    if (GetDIBits(screen.dc(), source, 0, info.bmHeight, pixels.data(), &header, DIB_RGB_COLORS) !=
        info.bmHeight) {
        return Bitmap{};
    }
    for (int y = 0; y < info.bmHeight; ++y) {
        for (int x = 0; x < info.bmWidth; ++x) {
            std::uint32_t& p = pixels[static_cast<size_t>(y) * info.bmWidth + x];
            const COLORREF c = RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
            const COLORREF mapped = recolour(c, part, theme, pressedFrom > 0 && y >= pressedFrom);
            p = static_cast<std::uint32_t>(GetRValue(mapped)) << 16 |
                static_cast<std::uint32_t>(GetGValue(mapped)) << 8 | GetBValue(mapped);
        }
    }
    return Bitmap(CreateDIBitmap(screen.dc(), &header.bmiHeader, CBM_INIT, pixels.data(), &header,
                                 DIB_RGB_COLORS));
}

} // namespace revaze
