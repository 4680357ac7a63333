// Time arithmetic of the video engine. Positions cross the engine's boundary in
// whole seconds; inside they are the media framework's 100-ns units.
#pragma once

#include <cmath>
#include <cstdint>

namespace media_time {

constexpr std::int64_t kUnitsPerSecond = 10000000;

// Truncates toward zero, as the position readout has always done.
constexpr std::int64_t ToSeconds(std::int64_t units) { return units / kUnitsPerSecond; }

constexpr std::int64_t FromSeconds(std::int32_t seconds) {
  return static_cast<std::int64_t>(seconds) * kUnitsPerSecond;
}

// A frame duration given in seconds (the renderer's average time per frame) in
// 100-ns units, rounded; 0 when the value makes no sense.
inline std::int64_t FrameUnits(double secondsPerFrame) {
  if (!(secondsPerFrame > 0.0) || secondsPerFrame > 3600.0) return 0;
  return static_cast<std::int64_t>(std::llround(secondsPerFrame * kUnitsPerSecond));
}

// Where to seek to show the frame after the one at `position`: the middle of
// the next frame. Aiming at its exact start can land a few units before it
// (durations are rounded) and show the current frame again.
constexpr std::int64_t NextFrameTarget(std::int64_t position, std::int64_t frame) {
  const std::int64_t index = position < 0 ? 0 : position / frame;
  return (index + 1) * frame + frame / 2;
}

// Where to seek to show the frame before the one at `position` (the middle of
// that frame); -1 at the first frame, which has none before it.
constexpr std::int64_t PreviousFrameTarget(std::int64_t position, std::int64_t frame) {
  const std::int64_t index = position < 0 ? 0 : position / frame;
  return index == 0 ? -1 : (index - 1) * frame + frame / 2;
}

// Where a seek to `target` goes so that a clip of `length` whose frames last
// `frame` keeps a picture: the target itself inside the clip, the start before
// it, and the middle of the last frame at or past its end (a seek to the very
// end would show no frame at all). A frame of 0 (unknown) counts as 40 ms.
constexpr std::int64_t HeldTarget(std::int64_t target, std::int64_t length, std::int64_t frame) {
  const std::int64_t half = (frame > 0 ? frame : 400000) / 2;
  const std::int64_t last = length - half > 0 ? length - half : 0;
  return target < 0 ? 0 : (target < last ? target : last);
}

}  // namespace media_time
