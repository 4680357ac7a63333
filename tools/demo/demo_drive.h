// A scripted, deterministic city drive written as a dash-camera telemetry
// sidecar, for the demo clip, end-to-end tests and benchmarks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace demo {

enum class LineEnding { CrLf, Lf };

struct DemoDriveOptions {
  int seconds = 90;                           // clip length; one block of sentences per second
  std::uint64_t seed = 1;                     // varies sensor noise, satellites and altitude only,
                                              // never the schedule
  LineEnding line_ending = LineEnding::CrLf;  // the camera writes CR LF
  bool pulse_lines = true;                    // one "$SPEED" line per second, as cameras with a
                                              // pulse input write; off gives eight lines a second
  bool lateral_on_x = false;                  // default: x longitudinal (+ forward), y lateral
                                              // (+ right); true swaps the two
  // Clip start, UTC (the receiver's time of day and date).
  int year = 2024, month = 5, day = 18;
  int hour = 3, minute = 15, second = 0;
};

enum class DemoEventKind {
  Parked,     // standing before pulling away; GPS speed 0
  Turn,       // course change; lateral G on these seconds
  Stop,       // waiting at a light; GPS speed 0.00 and no pulses
  HardBrake,  // longitudinal G between -0.8 g and -1.0 g on every sample
  NoFix,      // tunnel: RMC status V, GGA quality 0, pulses go on
};

struct DemoEvent {
  DemoEventKind kind;
  int first;        // first clip second of the event
  int last;         // last clip second, inclusive
  int degrees = 0;  // Turn only: course change, + right, - left
};

// The events of the drive for these options, in time order, clipped to the
// clip length.
std::vector<DemoEvent> DemoDriveSchedule(const DemoDriveOptions& options);

// The whole sidecar text. Equal options give equal bytes on every platform.
std::string MakeDemoSidecar(const DemoDriveOptions& options);

// "*HH" checksum of one sentence: XOR of the bytes between '$' and '*'.
std::uint8_t NmeaChecksum(const std::string& body);

const char* DemoEventName(DemoEventKind kind);

}  // namespace demo
