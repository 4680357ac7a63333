// The windows a clip played with its partner camera needs beside the two
// videos: the frame around the small picture (a click on it, or on the video
// inside it, asks for a swap), the line that says why the partner is not
// shown, and the full-screen stage both pictures move to.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Owners_win.h"

class CPairPanel {
 public:
  // Posted to `notify` when the frame (or the video draining into it) is clicked.
  static constexpr UINT kClickedMessage = WM_APP + 116;

  CPairPanel() = default;
  ~CPairPanel();
  CPairPanel(const CPairPanel&) = delete;
  CPairPanel& operator=(const CPairPanel&) = delete;

  // A child of `parent` at `place`, on top of its siblings and shown; created
  // on first use, moved to another parent when it changes.
  void ShowFrame(HWND parent, const RECT& place, HWND notify);
  // The line of text, sized to fit, in the lower left corner of `area`.
  void ShowNote(HWND parent, const RECT& area, const std::string& text);
  void Hide();
  HWND Window() const { return hwnd; }
  // The panel as the target of a video's clicks while it stays hidden (the
  // right picture side by side): a child of `parent`, created when needed.
  HWND ClickTarget(HWND parent, HWND notify);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool Ensure(HWND parent);
  void Paint(HDC dc, const RECT& client) const;

  HWND hwnd = NULL;  // owned: destroyed with the panel
  HWND hNotify = NULL;
  std::string strText;  // empty: a frame
  GdiFont font;
};

// A black pop-up over the whole monitor of `over`, above every other window.
// Escape or a click leaves it (kLeaveMessage to the owner); its other keys go
// to the owner as keys the video handed on.
class CPairStage {
 public:
  static constexpr UINT kLeaveMessage = WM_APP + 117;

  CPairStage() = default;
  ~CPairStage() { Close(); }
  CPairStage(const CPairStage&) = delete;
  CPairStage& operator=(const CPairStage&) = delete;

  bool Open(HWND owner);
  void Close();
  bool IsOpen() const { return hwnd != NULL; }
  HWND Window() const { return hwnd; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd = NULL;  // owned
  HWND hOwner = NULL;
};
