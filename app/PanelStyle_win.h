// The skin's dark panels (the key sheet, the rear camera's line): their face,
// ground and text colours.
#pragma once

#include <windows.h>

constexpr char kPanelFace[] = "Times New Roman";  // the skin's face, as the window's controls use
constexpr COLORREF kPanelGround = RGB(28, 31, 36);
constexpr COLORREF kPanelText = RGB(226, 228, 232);
