#include "telemetry/nmea_parser.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "telemetry/byte_scan.h"
#include "telemetry/number_text.h"
#include "telemetry/text_file.h"
#include "telemetry/trace.h"

using namespace nsNMEA;

namespace {

// Rows a sidecar's short seconds may leave empty: far beyond a ten-hour clip's, so
// that only a corrupt file (a few huge seconds among many empty ones) meets it.
constexpr size_t kMaxEmptyRows = size_t{1} << 22;

// The highest field index read is 9 (altitude); counts above 16 only matter as "too many".
constexpr size_t kStoredFields = 17;

// Traces are in the Japanese ANSI code page: "<name> has the wrong number of parameters".
#define WRONG_COUNT_SUFFIX \
  "\x82\xcc\x83p\x83\x89\x83\x81\x81[\x83^\x90\x94\x82\xaa\x88\xe1\x82\xa4\n"
const char kGSensorError[] = "ERROR : GSENSOR " WRONG_COUNT_SUFFIX;
const char kSpeedError[] = "ERROR : SPEED " WRONG_COUNT_SUFFIX;
const char kPositionError[] = "ERROR : GPRMC " WRONG_COUNT_SUFFIX;
const char kAltitudeError[] = "ERROR : GPGGA " WRONG_COUNT_SUFFIX;
#undef WRONG_COUNT_SUFFIX

}  // namespace

// Field counts: below the minimum a line is malformed, above the maximum the
// record is in error (with its trace).
struct CNmeaParser::SentenceRule {
  size_t minimum;
  size_t maximum;
  const char* error;
};

namespace {

constexpr CNmeaParser::SentenceRule kGSensorRule{4, 5, kGSensorError};
constexpr CNmeaParser::SentenceRule kSpeedRule{3, 3, kSpeedError};
constexpr CNmeaParser::SentenceRule kPositionRule{10, 14, kPositionError};
constexpr CNmeaParser::SentenceRule kAltitudeRule{10, 16, kAltitudeError};

// Cuts text at sep: a separator at the very end adds no empty piece, and an
// empty text gives none. Stores the first `capacity` pieces, returns how many there are.
size_t SplitFields(std::string_view text, CNmeaParser::Field* out, size_t capacity) {
  size_t count = 0;
  const char* p = text.data();
  const char* const end = p + text.size();
  const char* start = p;
  auto cut = [&](const char* comma) {
    if (count < capacity)
      out[count] = CNmeaParser::Field{start, static_cast<size_t>(comma - start)};
    ++count;
    start = comma + 1;
  };
  if (bytescan::LittleEndian()) {
    // Eight bytes at a time: every comma of a word from one mask.
    const uint64_t commas = bytescan::Broadcast(',');
    for (; end - p >= 8; p += 8) {
      for (uint64_t m = bytescan::ZeroBytes(bytescan::Load8(p) ^ commas); m != 0; m &= m - 1)
        cut(p + bytescan::LowestBit(m) / 8);
    }
  }
  for (; p != end; ++p)
    if (*p == ',') cut(p);
  if (start != end) {
    if (count < capacity) out[count] = CNmeaParser::Field{start, static_cast<size_t>(end - start)};
    ++count;
  }
  return count;
}

// The line break is decided by the first LF or CR of the text, wherever it lies:
// a first line cut or garbled by a power loss must not turn the whole sidecar into
// one line. With CR LF the cut is at CR (the LF then leads the next line, which
// names tolerate).
bool FindLineBreak(std::string_view text, char& sep) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || text[i] == '\r') {
      sep = text[i];
      return true;
    }
  }
  return false;
}

// Index of the first CR or LF byte, or the size when there is none.
size_t FirstLineBreakByte(std::string_view raw) {
  const void* lf = std::memchr(raw.data(), '\n', raw.size());
  const size_t lfAt =
      lf ? static_cast<size_t>(static_cast<const char*>(lf) - raw.data()) : raw.size();
  const void* cr = std::memchr(raw.data(), '\r', lfAt);
  return cr ? static_cast<size_t>(static_cast<const char*>(cr) - raw.data()) : lfAt;
}

// Substring search; names are a few characters, so a plain scan is quickest.
bool Contains(std::string_view field, std::string_view name) {
  if (field.size() < name.size()) return false;
  const size_t last = field.size() - name.size();
  for (size_t i = 0; i <= last; ++i) {
    size_t k = 0;
    while (k < name.size() && field[i + k] == name[k]) ++k;
    if (k == name.size()) return true;
  }
  return false;
}

// A talker's sentence: two capital letters (the talker: "GP", "GN", "GL", "GA",
// "GB", "BD", ...) and then the formatter ("RMC"). A name whose pair starts
// with "P" is a maker's own sentence ("$PGRMC" is no position).
bool IsSentence(std::string_view name, std::string_view formatter) {
  auto capital = [](char c) { return c >= 'A' && c <= 'Z'; };
  for (size_t at = name.find(formatter); at != std::string_view::npos;
       at = name.find(formatter, at + 1)) {
    if (at >= 2 && capital(name[at - 2]) && capital(name[at - 1]) && name[at - 2] != 'P')
      return true;
  }
  return false;
}

// ddmm.mmmm (or dddmm.mmmm) to signed decimal degrees.
double ToDegrees(std::string_view field, bool positive) {
  double v = numtext::AtoF(field);
  double whole = 0.0;
  double fraction = std::modf(v / 100.0, &whole);
  double degrees = whole + (fraction * 100.0) / 60.0;
  return positive ? degrees : -degrees;
}

}  // namespace

bool CNmeaParser::Parse(const std::string& path) {
  Clear();
  std::string bytes;
  textfile::ReadResult result = textfile::ReadRawFile(path, bytes);
  if (result == textfile::ReadResult::too_large)
    trace::Write("NMEA : sidecar too large, not read\n");
  if (result != textfile::ReadResult::ok) return false;
  ParseBytes(bytes);
  return true;
}

void CNmeaParser::ParseBytes(std::string_view raw) {
  Clear();
  if (const void* eof = std::memchr(raw.data(), 0x1A, raw.size()))
    raw = raw.substr(0, static_cast<size_t>(static_cast<const char*>(eof) - raw.data()));
  // The line break is decided on the text as text mode delivers it: the first CR
  // or LF, where a CR LF pair arrives as LF.
  char sep = 0;
  bool lfLines = false;
  if (std::memchr(raw.data(), '\0', raw.size()) == nullptr) {
    const size_t first = FirstLineBreakByte(raw);
    if (first < raw.size()) {
      char head[2];
      const size_t headBytes = raw.size() - first < 2 ? raw.size() - first : 2;
      size_t headChars = textfile::TextModeTranslate(raw.data() + first, headBytes, head);
      lfLines = FindLineBreak(std::string_view(head, headChars), sep) && sep == '\n';
    }
  }
  if (lfLines) {
    SplitLfLines(raw);
  } else {
    std::string text(raw);
    text.resize(textfile::TextModeTranslate(text.data(), text.size(), &text[0]));
    SplitLines(text);
  }
  Finish();
}

void CNmeaParser::ParseText(std::string_view text) {
  Clear();
  SplitLines(text);
  Finish();
}

void CNmeaParser::SplitLines(std::string_view text) {
  char sep = 0;
  if (!FindLineBreak(text, sep)) {
    if (!text.empty()) ParseLine(text);
    return;
  }
  const char* start = text.data();
  const char* const end = start + text.size();
  while (start != end) {
    const char* lineEnd = bytescan::Find(start, end, sep);
    ParseLine(std::string_view(start, static_cast<size_t>(lineEnd - start)));
    if (lineEnd == end) break;
    start = lineEnd + 1;
  }
}

// Untranslated bytes whose text-mode line break is LF: a CR just before an LF
// belongs to a CR LF pair, which text mode delivers as LF, so it is dropped.
void CNmeaParser::SplitLfLines(std::string_view raw) {
  const char* start = raw.data();
  const char* const end = start + raw.size();
  while (start != end) {
    const char* lineEnd =
        static_cast<const char*>(std::memchr(start, '\n', static_cast<size_t>(end - start)));
    if (lineEnd == nullptr) {
      ParseLine(std::string_view(start, static_cast<size_t>(end - start)));
      break;
    }
    const char* last = lineEnd;
    if (last != start && last[-1] == '\r') --last;
    ParseLine(std::string_view(start, static_cast<size_t>(last - start)));
    start = lineEnd + 1;
  }
}

void CNmeaParser::ParseLine(std::string_view line) {
  if (line.empty()) {  // a line without fields
    ++m_nSkipped;
    return;
  }
  // The name decides whether the other fields matter at all.
  const char* const end = line.data() + line.size();
  const char* nameEnd = bytescan::Find(line.data(), end, ',');
  std::string_view name(line.data(), static_cast<size_t>(nameEnd - line.data()));
  enum { kNone, kG, kS, kP, kA } kind = kNone;
  if (Contains(name, "GSENSOR"))
    kind = kG;
  else if (Contains(name, "INDICATOR"))
    return;
  else if (Contains(name, "SPEED"))
    kind = kS;
  else if (IsSentence(name, "RMC"))
    kind = kP;
  else if (IsSentence(name, "GGA"))
    kind = kA;
  if (kind == kNone) return;  // also "GSA": fix status, nothing read from it

  Field fields[kStoredFields];  // left uninitialised: only the first `count` are set and read
  size_t count = SplitFields(line, fields, kStoredFields);
  switch (kind) {
    case kG:
      AddGSensor(fields, count);
      break;
    case kS:
      AddSpeed(fields, count);
      break;
    case kP:
      AddPosition(fields, count);
      break;
    case kA:
      AddAltitude(fields, count);
      break;
    default:
      break;
  }
}

template <class T>
T* CNmeaParser::StartRecord(const Field* fields, size_t count, const SentenceRule& rule,
                            LastTime* last) {
  if (count < rule.minimum) {
    ++m_nSkipped;
    return nullptr;
  }
  if (last != nullptr) {
    // Receivers that report one second for each satellite system (or twice)
    // repeat its time: such a line adds nothing to that second.
    const std::string_view time = fields[1].View();
    if (!time.empty() && last->known && time == last->time) {
      ++m_nMerged;
      return nullptr;
    }
    last->time = time;
    last->known = true;
  }
  T* record = m_arena.Make<T>();
  m_records.emplace_back(record);
  if (count > rule.maximum) {
    record->nStatus = kStatusWrongFieldCount;
    ++m_nErrors;
    trace::Write(rule.error);
  }
  return record;
}

void CNmeaParser::AddGSensor(const Field* fields, size_t count) {
  auto* record = StartRecord<CNmeaCmdGSENSOR>(fields, count, kGSensorRule, nullptr);
  if (record == nullptr) return;
  if (record->nStatus != kStatusWrongFieldCount) {
    size_t first = count == 5 ? 2 : 1;
    if (count == 5) record->nSampleNo = numtext::AtoI(fields[1].View());
    record->nX = numtext::AtoI(fields[first].View());
    record->nY = numtext::AtoI(fields[first + 1].View());
    record->nZ = numtext::AtoI(fields[first + 2].View());
    record->nStatus = kStatusParsed;
  }
  m_nSumX += record->nX;
  m_nSumY += record->nY;
  m_nSumZ += record->nZ;
  ++m_nGSensorCount;
  ++m_nRun;
}

void CNmeaParser::AddSpeed(const Field* fields, size_t count) {
  auto* record = StartRecord<CNmeaCmdSPEED>(fields, count, kSpeedRule, nullptr);
  if (record == nullptr || record->nStatus == kStatusWrongFieldCount) return;
  record->nSequence = numtext::AtoI(fields[1].View());
  record->nPulseCount = numtext::AtoI(fields[2].View());
  record->nStatus = kStatusParsed;
}

void CNmeaParser::AddPosition(const Field* fields, size_t count) {
  auto* record = StartRecord<CNmeaCmdGPRMC>(fields, count, kPositionRule, &m_lastPosition);
  if (record == nullptr) return;
  const bool inError = record->nStatus == kStatusWrongFieldCount;
  if (m_observer) m_observer(true, fields, std::min(count, kStoredFields), inError);
  if (!inError) {
    CNmeaCmdGPRMC& r = *record;
    r.bFix = fields[2].View() == "A";
    r.bNorth = fields[4].View() == "N";
    r.bEast = fields[6].View() == "E";
    r.dLatitude = ToDegrees(fields[3].View(), r.bNorth);
    r.dLongitude = ToDegrees(fields[5].View(), r.bEast);
    r.dSpeed = numtext::AtoF(fields[7].View()) * 1.852;  // knots to km/h
    r.dCourse = numtext::AtoF(fields[8].View());
    numtext::AppendFixed6(r.strLatitude, r.dLatitude);
    numtext::AppendFixed6(r.strLongitude, r.dLongitude);
    numtext::AppendFixed6(r.strSpeed, r.dSpeed);
    numtext::AppendFixed6(r.strCourse, r.dCourse);
    r.nStatus = kStatusParsed;
  }
  m_runs.push_back(m_nRun);
  m_nRun = 0;
  ++m_nPositionCount;
}

void CNmeaParser::AddAltitude(const Field* fields, size_t count) {
  auto* record = StartRecord<CNmeaCmdGPGGA>(fields, count, kAltitudeRule, &m_lastAltitude);
  if (record == nullptr) return;
  const bool inError = record->nStatus == kStatusWrongFieldCount;
  if (m_observer) m_observer(false, fields, std::min(count, kStoredFields), inError);
  if (!inError) {
    record->dAltitude = numtext::AtoF(fields[9].View());
    numtext::AppendFixed6(record->strAltitude, record->dAltitude);
    record->nStatus = kStatusParsed;
  }
  ++m_nAltitudeCount;
}

// The second that keeps `count` of its `n` samples from `first` on: the
// largest deviations from `mean`, the largest first, then the others as they came.
void CNmeaParser::KeepPeaks(const GSensorSample* first, size_t n, size_t count,
                            const int64_t mean[3]) {
  std::vector<size_t> order(n);
  std::vector<double> size(n);
  for (size_t i = 0; i < n; ++i) {
    order[i] = i;
    const double d[3] = {static_cast<double>(first[i]->nX - mean[0]),
                         static_cast<double>(first[i]->nY - mean[1]),
                         static_cast<double>(first[i]->nZ - mean[2])};
    size[i] = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return size[a] > size[b]; });
  order.resize(count);
  m_rows.push_back(first[order[0]]);
  std::sort(order.begin() + 1, order.end());
  for (size_t k = 1; k < count; ++k) m_rows.push_back(first[order[k]]);
}

// Second k's samples take rows S x k to S x k + S - 1: fewer lines leave empty
// rows (null), more keep their peaks, so no second moves another one's rows.
void CNmeaParser::ArrangeGSensorRows(const int64_t mean[3]) {
  std::vector<GSensorSample> samples;
  samples.reserve(static_cast<size_t>(m_nGSensorCount));
  for (const auto& r : m_records)
    if (r->nKind == kKindGSensor) samples.push_back(static_cast<GSensorSample>(r.get()));
  // The most common count of the seconds that have samples (a tie goes to the
  // larger): one second's burst cannot stretch every other second.
  std::vector<int32_t> counts(m_runs);
  std::sort(counts.begin(), counts.end());
  int64_t best = 0;
  for (size_t i = 0, j = 0; i < counts.size(); i = j) {
    for (j = i; j < counts.size() && counts[j] == counts[i]; ++j) {}
    if (counts[i] > 0 && static_cast<int64_t>(j - i) >= best) {
      best = static_cast<int64_t>(j - i);
      m_nSamplesPerSec = counts[i];
    }
  }
  if (m_nSamplesPerSec == 0) {
    m_rows = std::move(samples);
    return;
  }
  const size_t perSecond = static_cast<size_t>(m_nSamplesPerSec);
  size_t empty = 0;
  size_t at = 0;
  for (size_t k = 0; k <= m_runs.size(); ++k) {
    // Past the last closed second: the samples after the last position line, not padded.
    const bool closed = k < m_runs.size();
    const size_t n = static_cast<size_t>(closed ? m_runs[k] : m_nRun);
    if (n > perSecond) {
      KeepPeaks(samples.data() + at, n, perSecond, mean);
    } else {
      m_rows.insert(m_rows.end(), samples.begin() + static_cast<std::ptrdiff_t>(at),
                    samples.begin() + static_cast<std::ptrdiff_t>(at + n));
      if (closed && empty + (perSecond - n) <= kMaxEmptyRows) {
        empty += perSecond - n;
        m_rows.resize(m_rows.size() + perSecond - n, nullptr);
      }
    }
    at += n;
  }
}

void CNmeaParser::Finish() {
  m_arena.TrimUnused();
  m_lastPosition = m_lastAltitude = LastTime();  // the text goes with the parse
  const int64_t all = m_nGSensorCount > 0 ? m_nGSensorCount : 1;
  const int64_t lineMeans[3] = {m_nSumX / all, m_nSumY / all, m_nSumZ / all};
  ArrangeGSensorRows(lineMeans);
  // The means are those of the samples in the rows: a burst weighs like any second.
  int64_t sum[3] = {0, 0, 0}, kept = 0;
  for (GSensorSample r : m_rows) {
    if (r == nullptr) continue;
    sum[0] += r->nX;
    sum[1] += r->nY;
    sum[2] += r->nZ;
    ++kept;
  }
  if (kept == 0) kept = 1;
  m_nMeanX = static_cast<int32_t>(sum[0] / kept);
  m_nMeanY = static_cast<int32_t>(sum[1] / kept);
  m_nMeanZ = static_cast<int32_t>(sum[2] / kept);
  if (m_nSkipped > 0) {
    std::string text = "NMEA : ";
    numtext::AppendInt(text, m_nSkipped);
    text += " malformed line(s) skipped\n";
    trace::Write(text.c_str());
  }
}

void CNmeaParser::Clear() {
  m_records.clear();
  m_records.shrink_to_fit();
  m_arena.Reset();
  m_nSamplesPerSec = 0;
  m_nGSensorCount = 0;
  m_nPositionCount = 0;
  m_nAltitudeCount = 0;
  m_nRun = 0;
  m_runs.clear();
  m_rows.clear();
  m_nSumX = m_nSumY = m_nSumZ = 0;
  m_nMeanX = m_nMeanY = m_nMeanZ = 0;
  m_nErrors = 0;
  m_nSkipped = 0;
  m_nMerged = 0;
  m_lastPosition = LastTime();
  m_lastAltitude = LastTime();
}
