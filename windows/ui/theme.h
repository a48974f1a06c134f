// The user's choice of colours the windows follow: the light skin, the same design dark when
// applications are asked for a dark theme, and the system colours under high contrast
// (Windows only).
#pragma once

#include <windows.h>

#include "ui/gdi.h"

namespace revaze {

enum class UiTheme { Light, Dark, HighContrast };

// High contrast (SPI_GETHIGHCONTRAST) first, then AppsUseLightTheme under
// HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize (0: dark). Without either
// setting, light.
UiTheme CurrentTheme();

// The taskbar is dark: SystemUsesLightTheme is 0 under the same key (Windows 10 and 11).
bool TaskbarIsDark();

// The colours a window draws its text and lines in, for `theme`.
struct ThemeColours {
    COLORREF compText;
    COLORREF compFrame;
    COLORREF keyText;
    COLORREF pressedKeyText;
    COLORREF keyboardBack; // the soft keyboard where no key is
};
ThemeColours ColoursFor(UiTheme theme);

// Which bitmap is recoloured, so that each keeps its design in each theme.
enum class SkinPart { CompositionSkin, StatusStrip, KeyCaps };

// A copy of `source` in the colours of `theme` (the light theme's is the bitmap itself: null
// is returned, and the caller draws `source`). `pressedFrom` is the first row of the pictures
// of pressed keys in the key caps.
Bitmap Recoloured(HBITMAP source, SkinPart part, UiTheme theme, int pressedFrom = 0);

} // namespace revaze
