#include "framework/ExceptionReport_win.h"

#include <new>
#include <string>

#include "framework/MessageBox_win.h"
#include "framework/Trace_win.h"

void ReportCurrentException(HWND owner) {
  std::string text;
  try {
    throw;
  } catch (const CInvalidArgException&) {
    text = kInvalidArgReport;
  } catch (const std::bad_alloc&) {
    text = "Out of memory.";
  } catch (const std::exception& e) {
    text = std::string("An unexpected error occurred: ") + e.what();
  } catch (...) {
    text = "An unexpected error occurred.";
  }
  TraceText(("ERROR REPORT : " + text + "\n").c_str());
  ShowMessageBox(owner, text.c_str(), kAppTitle, MB_OK | MB_ICONEXCLAMATION);
}
