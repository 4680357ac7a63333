#include "tools/demo/demo_drive.h"

#include <algorithm>
#include <array>
#include <cstddef>

// Every value that reaches the text is computed in integers: speeds in mm/s,
// headings in millidegrees, positions in micrometres, sines from a fixed
// table. No floating point and no libm, so the bytes cannot differ between C
// libraries or compilers. Divisions that round use RoundDiv (half away from
// zero), which is exact.
//
// The model steps five times a second (one step per G-sensor sample). The
// position, speed and course written for second s are the state at the start
// of that second; the five samples describe the steps inside it.

namespace demo {
namespace {

using i64 = std::int64_t;

constexpr int kStepsPerSecond = 5;

i64 RoundDiv(i64 a, i64 b) {  // b > 0
  return a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b);
}

i64 KmhToMms(i64 kmh) { return RoundDiv(kmh * 10000, 36); }

// sin of whole degrees 0..90, scaled by 1e9.
constexpr std::array<i64, 91> kSin = {
    0,         17452406,  34899497,   52335956,  69756474,  87155743,  104528463, 121869343,
    139173101, 156434465, 173648178,  190808995, 207911691, 224951054, 241921896, 258819045,
    275637356, 292371705, 309016994,  325568154, 342020143, 358367950, 374606593, 390731128,
    406736643, 422618262, 438371147,  453990500, 469471563, 484809620, 500000000, 515038075,
    529919264, 544639035, 559192903,  573576436, 587785252, 601815023, 615661475, 629320391,
    642787610, 656059029, 669130606,  681998360, 694658370, 707106781, 719339800, 731353702,
    743144825, 754709580, 766044443,  777145961, 788010754, 798635510, 809016994, 819152044,
    829037573, 838670568, 848048096,  857167301, 866025404, 874619707, 882947593, 891006524,
    898794046, 906307787, 913545458,  920504853, 927183855, 933580426, 939692621, 945518576,
    951056516, 956304756, 961261696,  965925826, 970295726, 974370065, 978147601, 981627183,
    984807753, 987688341, 990268069,  992546152, 994521895, 996194698, 997564050, 998629535,
    999390827, 999847695, 1000000000,
};

i64 Wrap360(i64 mdeg) {
  mdeg %= 360000;
  return mdeg < 0 ? mdeg + 360000 : mdeg;
}

// sin scaled by 1e9, linear between table degrees (error < 4e-5, far below
// what a second's travel can show).
i64 SinMilliDeg(i64 mdeg) {
  mdeg = Wrap360(mdeg);
  i64 sign = 1;
  if (mdeg >= 180000) {
    mdeg -= 180000;
    sign = -1;
  }
  if (mdeg > 90000) mdeg = 180000 - mdeg;
  const i64 idx = mdeg / 1000, frac = mdeg % 1000;
  i64 v = kSin[static_cast<std::size_t>(idx)];
  if (frac != 0) v += (kSin[static_cast<std::size_t>(idx + 1)] - v) * frac / 1000;
  return sign * v;
}

i64 CosMilliDeg(i64 mdeg) { return SinMilliDeg(mdeg + 90000); }

// Counter-based noise: each value depends only on (seed, second, slot), so the
// noise of a second does not shift when the schedule or the draw order changes.
std::uint64_t Mix(std::uint64_t z) {
  z += 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint64_t Hash(std::uint64_t seed, i64 second, int slot) {
  return Mix(Mix(seed) ^
             Mix(static_cast<std::uint64_t>(second) * 64u + static_cast<std::uint64_t>(slot)));
}

int Noise(std::uint64_t seed, i64 second, int slot, int amplitude) {  // [-a, a]
  if (amplitude <= 0) return 0;
  const std::uint64_t span = static_cast<std::uint64_t>(2 * amplitude + 1);
  return static_cast<int>(Hash(seed, second, slot) % span) - amplitude;
}

// --- the schedule ---------------------------------------------------------

struct Phase {
  int seconds;
  i64 target;         // speed at the end of the phase, mm/s; -1 keeps the entry speed
  int turn_mdeg = 0;  // course change over the phase, + right
  bool hard_brake = false;
  bool no_fix = false;
  int flex = 0;  // weight with which a cruise stretches to fit the clip length
  bool event = false;
  DemoEventKind kind = DemoEventKind::Parked;
};

constexpr i64 kKeep = -1;

Phase Cruise(int s, int flex) {
  Phase p{s, kKeep};
  p.flex = flex;
  return p;
}
Phase Speed(int s, int kmh) { return Phase{s, KmhToMms(kmh)}; }
Phase Hold0(int s, DemoEventKind k) {
  Phase p{s, 0};
  p.event = true;
  p.kind = k;
  return p;
}
Phase Turn(int s, int degrees) {
  Phase p{s, kKeep};
  p.turn_mdeg = degrees * 1000;
  p.event = true;
  p.kind = DemoEventKind::Turn;
  return p;
}
Phase HardBrake() {
  Phase p{1, kKeep};
  p.hard_brake = true;
  p.event = true;
  p.kind = DemoEventKind::HardBrake;
  return p;
}
Phase Tunnel(int s) {
  Phase p{s, kKeep};
  p.no_fix = true;
  p.event = true;
  p.kind = DemoEventKind::NoFix;
  return p;
}

// Pull away once, then repeat a lap that starts and ends cruising at 45 km/h.
// The nominal lap is 80 s, so 90 s gives the prologue and exactly one lap.
const int kPrologueSeconds = 10;
const int kLapNominal = 80;

std::vector<Phase> Prologue() { return {Hold0(2, DemoEventKind::Parked), Speed(8, 45)}; }

std::vector<Phase> Lap() {
  return {
      Cruise(6, 6), Speed(4, 22),   Turn(5, 90),  // right at an intersection
      Speed(5, 50), Cruise(10, 10), Speed(5, 0), Hold0(8, DemoEventKind::Stop),  // red light
      Speed(3, 20), Turn(4, -90),  // left from the light
      Speed(5, 55), Cruise(2, 2),   HardBrake(), Speed(5, 45),
      Tunnel(6),    Turn(5, 45),  // right-hand bend at cruising speed
      Cruise(6, 6),
  };
}

std::vector<Phase> BuildPhases(int seconds) {
  std::vector<Phase> phases = Prologue();
  const int body = seconds - kPrologueSeconds;
  if (body <= 0) return phases;
  const int laps = std::max(1, (body + kLapNominal / 2) / kLapNominal);
  for (int i = 0; i < laps; ++i) {
    const int length = body / laps + (i < body % laps ? 1 : 0);
    std::vector<Phase> lap = Lap();
    int fixed = 0, weights = 0;
    for (const Phase& p : lap) {
      if (p.flex)
        weights += p.flex;
      else
        fixed += p.seconds;
    }
    // A lap shorter than its fixed part keeps the shortest form and the
    // clip simply ends inside it.
    const int spare = std::max(0, length - fixed);
    int given = 0;
    Phase* widest = nullptr;
    for (Phase& p : lap) {
      if (!p.flex) continue;
      const int flex = p.flex;
      p.seconds = spare * flex / weights;
      given += p.seconds;
      if (!widest || flex > widest->flex) widest = &p;
    }
    widest->seconds += spare - given;
    for (const Phase& p : lap) {
      if (p.seconds > 0) phases.push_back(p);
    }
  }
  return phases;
}

// Seconds on which an event shows in the text. A hold is at speed 0 from its
// first second through the second where the next phase starts from rest.
std::vector<DemoEvent> EventsOf(const std::vector<Phase>& phases, int seconds) {
  std::vector<DemoEvent> events;
  int t = 0;
  for (const Phase& p : phases) {
    if (p.event && t < seconds) {
      const bool hold = p.kind == DemoEventKind::Parked || p.kind == DemoEventKind::Stop;
      DemoEvent e{p.kind, t, t + p.seconds - (hold ? 0 : 1), p.turn_mdeg / 1000};
      if (e.last > seconds - 1) e.last = seconds - 1;
      events.push_back(e);
    }
    t += p.seconds;
  }
  return events;
}

// --- text -------------------------------------------------------------------

void AppendInt(std::string& s, i64 v, int width = 0) {  // zero-padded to width
  char buf[24];
  int n = 0;
  const bool neg = v < 0;
  std::uint64_t u = neg ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  do {
    buf[n++] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u);
  while (n < width) buf[n++] = '0';
  if (neg) s += '-';
  while (n) s += buf[--n];
}

std::string Int(i64 v, int width = 0) {
  std::string s;
  AppendInt(s, v, width);
  return s;
}

std::string Fixed(i64 v, int decimals) {  // v in units of 10^-decimals
  i64 scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  std::string s;
  if (v < 0) {
    s += '-';
    v = -v;
  }
  AppendInt(s, v / scale);
  s += '.';
  AppendInt(s, v % scale, decimals);
  return s;
}

// Latitude or longitude from ten-thousandths of a minute.
std::string Angle(i64 e4min, int degree_digits) {
  std::string s = Int(e4min / 600000, degree_digits);
  const i64 minutes = e4min % 600000;
  AppendInt(s, minutes / 10000, 2);
  s += '.';
  AppendInt(s, minutes % 10000, 4);
  return s;
}

const char kHex[] = "0123456789ABCDEF";

void AppendSentence(std::string& out, const std::vector<std::string>& fields, const char* eol) {
  std::string body;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) body += ',';
    body += fields[i];
  }
  const std::uint8_t sum = NmeaChecksum(body);
  out += '$';
  out += body;
  out += '*';
  out += kHex[sum >> 4];
  out += kHex[sum & 15];
  out += eol;
}

i64 DaysFromCivil(i64 y, i64 m, i64 d) {
  y -= m <= 2;
  const i64 era = (y >= 0 ? y : y - 399) / 400;
  const i64 yoe = y - era * 400;
  const i64 doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const i64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(i64 z, i64& y, i64& m, i64& d) {
  z += 719468;
  const i64 era = (z >= 0 ? z : z - 146096) / 146097;
  const i64 doe = z - era * 146097;
  const i64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const i64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const i64 mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = yoe + era * 400 + (m <= 2);
}

// --- the car ----------------------------------------------------------------

// Near 35.6581 N 139.7017 E, in ten-thousandths of a minute, and the local
// size of one degree (WGS 84 at that latitude) in millimetres.
constexpr i64 kOriginLat = 21394860;
constexpr i64 kOriginLon = 83821020;
constexpr i64 kLatDegreeMm = 110952684;
constexpr i64 kLonDegreeMm = 90551231;
constexpr i64 kStartCourse = 32000;  // millidegrees

// 1 g = 9806.65 mm/s^2.
i64 MmS2ToMilliG(i64 a) { return RoundDiv(a * 100000, 980665); }
i64 MilliGToMmS2(i64 mg) { return RoundDiv(mg * 980665, 100000); }

// A hard stop as the sensor sees it: a sharp onset, then easing off.
constexpr std::array<i64, kStepsPerSecond> kBrakeProfile = {-860, -970, -940, -910, -880};

// The camera's mounting is not perfectly level.
constexpr int kMountLong = 5, kMountLat = -6, kMountUp = 994;

struct Satellites {
  int count;
  const char* pdop;
  const char* hdop;
  const char* vdop;
};

Satellites SatellitesAt(std::uint64_t seed, int second, int since_fix) {
  if (since_fix < 2) return {5, "2.9", "2.1", "2.0"};  // just out of a tunnel
  switch (Hash(seed, second / 23, 60) % 4) {
    case 0:
      return {7, "1.9", "1.1", "1.5"};
    case 1:
      return {8, "1.6", "0.9", "1.3"};
    case 2:
      return {9, "1.4", "0.8", "1.2"};
    default:
      return {10, "1.3", "0.8", "1.0"};
  }
}

const int kSatIds[] = {2, 5, 7, 9, 13, 15, 18, 20, 24, 28, 30, 12};

}  // namespace

std::uint8_t NmeaChecksum(const std::string& body) {
  std::uint8_t sum = 0;
  for (char c : body) sum ^= static_cast<std::uint8_t>(c);
  return sum;
}

const char* DemoEventName(DemoEventKind kind) {
  switch (kind) {
    case DemoEventKind::Parked:
      return "parked";
    case DemoEventKind::Turn:
      return "turn";
    case DemoEventKind::Stop:
      return "stop";
    case DemoEventKind::HardBrake:
      return "hard-brake";
    case DemoEventKind::NoFix:
      return "no-fix";
  }
  return "?";
}

std::vector<DemoEvent> DemoDriveSchedule(const DemoDriveOptions& options) {
  const int seconds = std::max(0, options.seconds);
  return EventsOf(BuildPhases(seconds), seconds);
}

std::string MakeDemoSidecar(const DemoDriveOptions& o) {
  const int seconds = std::max(0, o.seconds);
  const std::vector<Phase> phases = BuildPhases(seconds);
  const char* eol = o.line_ending == LineEnding::CrLf ? "\r\n" : "\n";
  const std::uint64_t seed = o.seed;

  std::string out;
  out.reserve(static_cast<std::size_t>(seconds) * 400);

  // State at the start of the current second.
  i64 v = 0;                                      // mm/s
  i64 heading = kStartCourse;                     // millidegrees, unwrapped
  i64 north = 0, east = 0;                        // micrometres from the origin
  i64 travelled = 0;                              // micrometres
  i64 shown_course = RoundDiv(kStartCourse, 10);  // hundredths, kept while standing
  int since_fix = 100;

  std::size_t pi = 0;
  int phase_second = 0;
  i64 phase_v0 = 0, phase_h0 = 0;
  const i64 start_day = DaysFromCivil(o.year, o.month, o.day);
  const i64 start_sod = o.hour * 3600 + o.minute * 60 + o.second;

  // Phases cover the clip exactly; this only guards the index.
  const Phase coast{1, kKeep};
  std::vector<std::string> f;
  for (int s = 0; s < seconds; ++s) {
    const Phase& p = pi < phases.size() ? phases[pi] : coast;
    if (phase_second == 0) {
      phase_v0 = v;
      phase_h0 = heading;
    }
    const bool fix = !p.no_fix;

    const i64 v_start = v;
    const i64 north_start = north, east_start = east, travelled_start = travelled;
    const i64 heading_start = heading;

    // Step through the second, writing one sample per step.
    const int steps = p.seconds * kStepsPerSecond;
    const i64 target = p.target == kKeep ? phase_v0 : p.target;
    for (int k = 0; k < kStepsPerSecond; ++k) {
      const int step = phase_second * kStepsPerSecond + k + 1;
      const i64 v_prev = v, h_prev = heading;
      i64 along_mg;
      if (p.hard_brake) {
        along_mg = kBrakeProfile[static_cast<std::size_t>(k)];
        v = std::max<i64>(0, v + RoundDiv(MilliGToMmS2(along_mg), kStepsPerSecond));
      } else {
        v = phase_v0 + (target - phase_v0) * step / steps;
        along_mg = MmS2ToMilliG((v - v_prev) * kStepsPerSecond);
      }
      heading = phase_h0 + static_cast<i64>(p.turn_mdeg) * step / steps;
      const i64 v_mid = (v_prev + v) / 2;
      const i64 dh = heading - h_prev;
      // Centripetal a = v * omega, omega = dh[mdeg] * pi / 36000 per second;
      // pi as 355/113 keeps it in integers.
      const i64 across_mg = RoundDiv(v_mid * dh * 355 * 100000, 36000LL * 113 * 980665);

      const i64 d = v_mid * 1000 / kStepsPerSecond;  // micrometres this step
      const i64 h_mid = (h_prev + heading) / 2;
      north += RoundDiv(d * CosMilliDeg(h_mid), 1000000000);
      east += RoundDiv(d * SinMilliDeg(h_mid), 1000000000);
      travelled += d;

      const int slot = k * 8;
      const bool moving = v_mid > 0;
      const int shake = moving ? 4 + static_cast<int>(v_mid / 2000) : 2;
      i64 along = kMountLong + along_mg + Noise(seed, s, slot, shake);
      i64 across = kMountLat + across_mg + Noise(seed, s, slot + 1, shake);
      i64 up = kMountUp + Noise(seed, s, slot + 2, moving ? 6 + static_cast<int>(v_mid / 1000) : 3);
      if (moving && !p.hard_brake && Hash(seed, s, slot + 3) % 89 == 0) {
        up += 80 + Noise(seed, s, slot + 4, 30);  // a seam in the road
      }
      const i64 gx = o.lateral_on_x ? across : along;
      const i64 gy = o.lateral_on_x ? along : across;
      f.assign({"GSENSOR", Int(gx), Int(gy), Int(up)});
      AppendSentence(out, f, eol);
    }
    if (++phase_second >= p.seconds) {
      phase_second = 0;
      ++pi;
    }

    // Pulses for k = 4: count = km/h * 637 * 4 / 3600 = mm/s * 2548 / 1e6.
    // Sequence value 0 restarts the viewer's running total, so the total
    // is this second's count and the pulse speed follows the GPS speed.
    if (o.pulse_lines) {
      f.assign({"SPEED", "0", Int(RoundDiv(v_start * 2548, 1000000))});
      AppendSentence(out, f, eol);
    }

    const i64 clock = start_sod + s;
    i64 y, m, dd;
    CivilFromDays(start_day + clock / 86400, y, m, dd);
    const i64 sod = clock % 86400;
    const std::string time = Int(sod / 3600, 2) + Int(sod / 60 % 60, 2) + Int(sod % 60, 2) + ".00";
    const std::string date = Int(dd, 2) + Int(m, 2) + Int(y % 100, 2);

    since_fix = fix ? since_fix + 1 : 0;
    if (fix) {
      const std::string lat = Angle(kOriginLat + RoundDiv(north_start * 600, kLatDegreeMm), 2);
      const std::string lon = Angle(kOriginLon + RoundDiv(east_start * 600, kLonDegreeMm), 3);
      i64 knots = RoundDiv(v_start * 360, 1852);  // hundredths
      if (v_start > 0) {
        knots = std::max<i64>(1, knots + Noise(seed, s, 50, 2));
        shown_course = RoundDiv(Wrap360(heading_start + Noise(seed, s, 51, 150)), 10) % 36000;
      }
      // Ground height rises and falls over 1.6 km of road.
      const i64 along_road = (travelled_start / 1000000) % 1600;
      const i64 hill = (along_road < 800 ? along_road : 1600 - along_road) * 120 / 800 - 60;
      const i64 alt = 352 + hill + Noise(seed, s, 52, 1);  // decimetres
      const Satellites sat = SatellitesAt(seed, s, since_fix);

      f.assign({"GPRMC", time, "A", lat, "N", lon, "E", Fixed(knots, 2), Fixed(shown_course, 2),
                date, "", "", "A"});
      AppendSentence(out, f, eol);
      f.assign({"GPGGA", time, lat, "N", lon, "E", "1", Int(sat.count, 2), sat.hdop, Fixed(alt, 1),
                "M", "36.7", "M", "", ""});
      AppendSentence(out, f, eol);
      f.assign({"GPGSA", "A", "3"});
      for (int i = 0; i < 12; ++i) f.push_back(i < sat.count ? Int(kSatIds[i], 2) : "");
      f.insert(f.end(), {sat.pdop, sat.hdop, sat.vdop});
      AppendSentence(out, f, eol);
    } else {
      f.assign({"GPRMC", time, "V", "", "", "", "", "", "", date, "", "", "N"});
      AppendSentence(out, f, eol);
      f.assign({"GPGGA", time, "", "", "", "", "0", "00", "", "", "", "", "", "", ""});
      AppendSentence(out, f, eol);
      f.assign({"GPGSA", "A", "1"});
      f.resize(15);
      f.insert(f.end(), {"99.99", "99.99", "99.99"});
      AppendSentence(out, f, eol);
    }
  }
  return out;
}

}  // namespace demo
