// The settings window's template and control identifiers, shared by the resource scripts of
// both DLLs and the code that runs the window.
#pragma once

#define IDD_SETTINGS 200
#define IDC_START_LAYOUT 201
#define IDC_REMEMBER_LAYOUT 202
#define IDC_START_MODE 203
#define IDC_CAPS_LOCK 204
#define IDC_SHIFT_TOGGLES 205
#define IDC_APPLY 206
