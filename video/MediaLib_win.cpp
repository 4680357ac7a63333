// Building and releasing the graph of a clip.
#include "video/MediaLib_win.h"

#include "framework/Trace_win.h"
#include "video/ClipMessages_win.h"
#include "resources/resource.h"

namespace {

// RenderFile wants the path as wide text; our strings are in the system code page.
std::wstring Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), NULL, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  return wide;
}

}  // namespace

CMediaLib::CMediaLib() : CDialogBase(IDD_MEDIALIB), brushBlack(CreateSolidBrush(RGB(0, 0, 0))) {}

CMediaLib::~CMediaLib() {
  // The owner releases the graph first. If it did not, the renderer's window
  // leaves our surface before the surface goes, and the interfaces go with us.
  if (pVideoWindow) {
    pVideoWindow->put_Visible(OAFALSE);
    pVideoWindow->put_Owner(0);
  }
  // While our handlers and the brush still exist.
  DestroyWindow();
}

void CMediaLib::OpenClip() {
  if (!CreateGraph()) return;
  // A partial render (an audio stream with no output, say) still plays the video.
  if (FAILED(RenderClip())) {
    ReportRenderFailure();
    ReleaseGraph();
    return;
  }
  bReady = true;
  PlaceVideoWindow();  // left stopped: running is the caller's Play
}

bool CMediaLib::CreateGraph() {
  // A failed open leaves nothing that looks like a playing clip: no stale
  // readiness or length from the clip before, so the tick stops at once.
  bReady = false;
  nTotalSec = 0;
  nCurrentSec = 0;
  // Opening over a graph that was not released would leave its window on our surface.
  if (pGraphBuilder || pVideoWindow) ReleaseGraph();
  if (FAILED(TraceIfFailed(
          "CoCreateInstance(FilterGraph)",
          CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                           reinterpret_cast<void**>(pGraphBuilder.ReleaseAndGetAddressOf())))))
    return false;
  // A graph lacking one of them is no graph to play: none is kept.
  if (!QueryGraphInterfaces()) {
    ReleaseGraph();
    return false;
  }
  return true;
}

HRESULT CMediaLib::RenderClip() {
  const std::wstring path = Widen(strFilePath);
  return TraceIfFailed("RenderFile", pGraphBuilder->RenderFile(path.c_str(), NULL));
}

// A decoder pack only helps a video that nothing installed decodes; an empty,
// cut, unreadable or sound-only file gets its own word instead. Media frameworks
// answer most of these with the same "cannot render" code, so the file decides.
void CMediaLib::ReportRenderFailure() {
  HWND owner = m_hWnd != NULL ? GetAncestor(m_hWnd, GA_ROOT) : NULL;
  const ClipVerdict verdict = CheckClipFileAt(strFilePath);
  if (verdict == ClipVerdict::kVideo)
    OfferCodecSite(owner);
  else
    ReportUnplayable(owner, strFilePath, verdict);
}

bool CMediaLib::QueryGraphInterfaces() {
  IUnknown* graph = pGraphBuilder.Get();
  // All five are asked for, as the release order expects every one that exists.
  const HRESULT results[] = {
      QueryInto(graph, IID_IMediaControl, pMediaControl),
      QueryInto(graph, IID_IMediaEventEx, pMediaEvent),
      QueryInto(graph, IID_IVideoWindow, pVideoWindow),
      QueryInto(graph, IID_IMediaSeeking, pMediaSeeking),
      QueryInto(graph, IID_IVideoFrameStep, pFrameStep),
  };
  bool all = true;
  for (HRESULT hr : results) all = SUCCEEDED(TraceIfFailed("QueryInterface", hr)) && all;
  return all;
}

void CMediaLib::ReleaseGraph() {
  TraceText("\r\n\r\n ===> Video Release <===");
  pMediaSeeking.Reset();
  pFrameStep.Reset();
  pMediaControl.Reset();
  pMediaEvent.Reset();
  ReleaseVideoWindow();
  pGraphBuilder.Reset();
}

void CMediaLib::ReleaseVideoWindow() {
  if (!pVideoWindow) return;
  TraceText("\r\n =====> Put_Visible False");
  // Detached first, so the renderer's window does not outlive the graph on our surface.
  pVideoWindow->put_Visible(OAFALSE);
  pVideoWindow->put_Owner(0);
  pVideoWindow.Reset();
}

HWND CMediaLib::VideoSurface() const {
  return m_hWnd != NULL ? GetDlgItem(IDC_MEDIALIB_VIDEO) : NULL;
}

RECT CMediaLib::VideoArea() const {
  RECT area = {0, 0, 0, 0};
  // Without a host (not laid out yet) the engine's own client area stands in.
  if (pHostWnd == NULL || !GetClientRect(pHostWnd, &area)) {
    if (m_hWnd == NULL || !GetClientRect(m_hWnd, &area)) area = RECT{0, 0, 0, 0};
  }
  return area;
}
