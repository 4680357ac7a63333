// What a snapshot writes, apart from the frame itself: the name it offers
// (from the time the frame was recorded), the file that time comes from, the
// sidecar beside the picture, what becomes of the name the user chose, and the
// picture's file header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

// The clip's path up to its last "." plus "nmea" when that file exists, else
// the clip: its last-write time is taken as the time of the clip's last second.
std::string SnapshotTimeSource(const std::string& clipPath,
                               const std::function<bool(const std::string&)>& exists);

// When the frame at second `current` of a clip `length` seconds long was
// recorded, from the time source's last-write time: lengths and seconds as
// 32-bit values, and the camera's fixed nine hours ahead.
int64_t RecordingTime(int64_t lastWrite, int64_t length, int64_t current);

// "YYMMDD-HHMMSS.bmp" for a local calendar time.
std::string DefaultSnapshotName(const std::tm& local);

// The sidecar written beside a picture: its name up to the last "." of the
// file name, plus ".nmea"; a file name without a dot gets ".nmea" added.
std::string SnapshotSidecarPath(const std::string& picturePath);

// What a chosen name leads to. A snapshot never replaces a clip or a sidecar
// (the picture's name, or its lines file, is one that exists): it is refused
// and the user chooses again. Any other file that exists is replaced only
// after the user says yes.
enum class SnapshotVerdict { kWrite, kAsk, kRefuse };

struct SnapshotTarget {
  SnapshotVerdict verdict = SnapshotVerdict::kRefuse;
  std::string picture;  // the name chosen, with ".bmp" added when it has no extension
  std::string lines;    // the file of the second's lines beside the picture
  std::string message;  // why it is refused, or the question to ask; empty for kWrite
};

// The decision for `chosen`, a full path, with `exists` telling which files are
// there. Every check comes before anything is written.
SnapshotTarget DecideSnapshotTarget(const std::string& chosen,
                                    const std::function<bool(const std::string&)>& exists);

// The 14-byte file header for a packed bitmap (information header, masks,
// palette, pixels) of `size` bytes; empty when the packed bitmap is too short
// to hold its own header.
std::string BmpFileHeader(const uint8_t* packed, size_t size);
