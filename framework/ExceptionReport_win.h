// The standard error report: an error that leaves a message handler is shown
// in a message box and the window goes on with its next message.
#pragma once

#include <windows.h>

#include <exception>

#include "framework/InvalidArgException.h"

constexpr const char kInvalidArgReport[] = "Encountered an improper argument.";

// Shows the report for the error being handled (call inside a catch block).
void ReportCurrentException(HWND owner);

// Runs a handler; false when it raised an error, which has then been reported.
template <class Handler>
bool RunReported(HWND owner, Handler&& handler) {
  try {
    handler();
    return true;
  } catch (...) {
    ReportCurrentException(owner);
    return false;
  }
}
