// The snapshot: the frame on screen as a BMP named after the time it was
// recorded, and beside it that second's lines of the clip's sidecar.
#include <windows.h>

#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/clip_names.h"
#include "framework/FileTime_win.h"
#include "framework/MessageBox_win.h"
#include "framework/Trace_win.h"
#include "telemetry/text_file.h"
#include "video/MediaLib_win.h"
#include "video/StagedFile_win.h"
#include "video/frame_rgb.h"
#include "video/second_block.h"
#include "video/snapshot_files.h"

namespace {

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The last-write time as local calendar time, in seconds since the epoch; 0
// when the file cannot be read.
int64_t LastWriteSeconds(const std::string& path) {
  KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, NULL));
  FILETIME written{};
  std::tm local{};
  // A time that cannot be read or converted counts as 0, as a file that cannot be opened does.
  if (file.Get() == INVALID_HANDLE_VALUE || !GetFileTime(file.Get(), NULL, NULL, &written) ||
      !LocalWriteTime(written, local))
    return 0;
  return _mktime64(&local);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The packed bitmap's own size: header, masks, palette and pixel rows.
size_t PackedSize(const BITMAPINFOHEADER& h, size_t offsetFromFile) {
  const size_t stride = ((static_cast<size_t>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
  const size_t rows = static_cast<size_t>(h.biHeight < 0 ? -h.biHeight : h.biHeight);
  const size_t image = h.biSizeImage != 0 ? h.biSizeImage : stride * rows;
  return offsetFromFile - 14 + image;
}

// The frame on screen as the bytes of a BMP file; empty, with `why` set, when
// the renderer gives no frame a picture can be made of. Wine's renderer answers
// no size query: the size comes from the video's then.
std::string FrameFile(IBasicVideo* video, std::string& why) {
  why = "The frame on screen could not be read from the video.";
  long size = 0;
  if (FAILED(video->GetCurrentImage(&size, NULL)) || size <= 0) {
    long w = 0, h = 0;
    if (FAILED(video->GetVideoSize(&w, &h)) || w <= 0 || h <= 0) return {};
    size = static_cast<long>(sizeof(BITMAPINFOHEADER) + 12 + 4 * static_cast<size_t>(w) * h);
  }
  std::vector<uint8_t> packed(static_cast<size_t>(size));
  if (FAILED(video->GetCurrentImage(&size, reinterpret_cast<long*>(packed.data())))) return {};
  // A frame in a YUV layout becomes 24-bit RGB, so that the file is a bitmap.
  const DWORD compression = reinterpret_cast<const BITMAPINFOHEADER*>(packed.data())->biCompression;
  if (compression != BI_RGB && compression != BI_BITFIELDS) {
    packed = YuvFrameToRgb24(packed.data(), packed.size());
    why = "The frame on screen is in a format no picture can be made of.";
    if (packed.empty()) return {};
  }
  const std::string fileHeader = BmpFileHeader(packed.data(), packed.size());
  if (fileHeader.empty()) return {};
  uint32_t offset = 0;
  std::memcpy(&offset, fileHeader.data() + 10, 4);
  const size_t bytes =
      PackedSize(*reinterpret_cast<const BITMAPINFOHEADER*>(packed.data()), offset);
  if (bytes > packed.size()) return {};
  std::string file = fileHeader;
  const uint32_t fileSize = static_cast<uint32_t>(14 + bytes);
  std::memcpy(&file[2], &fileSize, 4);
  file.append(reinterpret_cast<const char*>(packed.data()), bytes);
  return file;
}

// That second's lines of the clip's sidecar; false when the clip has none that opens.
bool SecondLines(const std::string& clip, int32_t length, int32_t second, std::string& lines) {
  const std::string sidecar =
      SidecarPathOf(clip, [](const std::string& p) { return textfile::CanOpenForReading(p); });
  std::ifstream in(sidecar, std::ios::binary);
  if (sidecar.empty() || !in) return false;
  std::stringstream text;
  text << in.rdbuf();
  ExtractSecondBlock(text.str(), length, second, lines);
  TraceText(sidecar.c_str());
  return true;
}

std::string NotSaved(const std::string& path, const std::string& why) {
  return "The snapshot was not saved to\n" + path + "\n\n" + why;
}

// Picture and lines, each written in full under a temporary name before either
// takes its place. Empty when saved, else what the user is told.
std::string WriteSnapshot(IBasicVideo* video, const std::string& clip, const std::string& chosen,
                          int32_t length, int32_t second) {
  // The dialog has checked the name; the files may have changed since.
  const SnapshotTarget target = DecideSnapshotTarget(chosen, FileExists);
  if (target.verdict == SnapshotVerdict::kRefuse) return NotSaved(chosen, target.message);
  std::string why;
  const std::string bitmap = FrameFile(video, why);
  if (bitmap.empty()) return NotSaved(target.picture, why);
  std::string lines;
  const bool withLines = SecondLines(clip, length, second, lines);
  StagedFile picture(target.picture), beside(target.lines);
  if (!picture.Write(bitmap)) return NotSaved(target.picture, picture.Error());
  if (withLines && !beside.Write(lines)) return NotSaved(target.lines, beside.Error());
  if (!picture.Commit()) return NotSaved(target.picture, picture.Error());
  if (withLines && !beside.Commit())
    return "The picture was saved, but not the second's lines beside it:\n" + target.lines +
           "\n\n" + beside.Error();
  return {};
}

}  // namespace

void CMediaLib::TakeSnapshot(HWND owner) {
  UpdatePosition();
  const int32_t length = static_cast<int32_t>(nTotalSec),
                second = static_cast<int32_t>(nCurrentSec);
  TraceText(strFilePath.c_str());
  TraceFormat("Total Time : %d , Current Time : %d", length, second);
  const std::string source = SnapshotTimeSource(strFilePath, FileExists);
  TraceText(source.c_str());
  const int64_t recorded = RecordingTime(LastWriteSeconds(source), length, second);
  SaveSnapshot(owner, strFilePath, second, length, recorded);
}

// The graph's interfaces are held here for the whole operation: the dialog's
// loop runs while it is open. A clip that was paused stays paused.
void CMediaLib::SaveSnapshot(HWND owner, const std::string& clip, int32_t second, int32_t length,
                             int64_t recorded) {
  std::tm local{};
  const __time64_t when = recorded;
  std::string name;
  if (_localtime64_s(&local, &when) == 0) name = DefaultSnapshotName(local);
  TraceText(name.c_str());
  if (strSnapshotDir.empty()) strSnapshotDir = FolderOf(clip);
  ComPtr<IGraphBuilder> graph = pGraphBuilder;
  ComPtr<IMediaControl> control = pMediaControl;
  ComPtr<IBasicVideo> video;
  if (!graph || !control ||
      FAILED(
          graph->QueryInterface(IID_IBasicVideo, reinterpret_cast<void**>(video.GetAddressOf()))))
    return;
  const bool wasRunning = IsRunning();
  control->Pause();
  WaitForSettledState();
  std::string path = name;
  if (AskPath(owner, path)) {
    strSnapshotDir = FolderOf(path);
    const std::string failure = WriteSnapshot(video.Get(), clip, path, length, second);
    if (!failure.empty()) {
      TraceText(failure.c_str());
      ShowMessageBox(owner, failure.c_str(), kAppTitle, MB_OK | MB_ICONEXCLAMATION);
    }
  }
  if (wasRunning) control->Run();
}

bool CMediaLib::AskPath(HWND owner, std::string& path) {
  return chooseSnapshotFile && chooseSnapshotFile(owner, strSnapshotDir, path);
}
