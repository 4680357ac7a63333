// Owner-draw notifications go to the dialog that owns a control; the dialog
// hands them back to the control itself, so an owner-drawn control draws in
// its own class. The control sees kReflectBase + the original message and
// answers non-zero when it handled it.
#pragma once

#include <windows.h>

constexpr UINT kReflectBase = WM_USER + 0x1C00;
constexpr UINT kReflectedDrawItem = kReflectBase + WM_DRAWITEM;
constexpr UINT kReflectedMeasureItem = kReflectBase + WM_MEASUREITEM;
constexpr UINT kReflectedCtlColorBtn = kReflectBase + WM_CTLCOLORBTN;
