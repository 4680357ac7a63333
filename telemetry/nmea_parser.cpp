#include "telemetry/nmea_parser.h"

#include <cmath>
#include <cstring>
#include <string>

#include "telemetry/number_text.h"
#include "telemetry/text_file.h"
#include "telemetry/trace.h"

using namespace nsNMEA;

namespace {

// The highest field index read is 9 (altitude); counts above 16 only matter as "too many".
constexpr size_t kStoredFields = 17;

// Field counts: below the minimum a line is malformed, above the maximum the record is in error.
struct FieldRule {
  size_t minimum;
  size_t maximum;
};
constexpr FieldRule kGSensorRule{4, 5};
constexpr FieldRule kSpeedRule{3, 3};
constexpr FieldRule kPositionRule{10, 14};
constexpr FieldRule kAltitudeRule{10, 16};

// Traces are in the Japanese ANSI code page: "<name> has the wrong number of parameters".
#define WRONG_COUNT_SUFFIX "\x82\xcc\x83p\x83\x89\x83\x81\x81[\x83^\x90\x94\x82\xaa\x88\xe1\x82\xa4\n"
const char kGSensorError[] = "ERROR : GSENSOR " WRONG_COUNT_SUFFIX;
const char kSpeedError[] = "ERROR : SPEED " WRONG_COUNT_SUFFIX;
const char kPositionError[] = "ERROR : GPRMC " WRONG_COUNT_SUFFIX;
const char kAltitudeError[] = "ERROR : GPGGA " WRONG_COUNT_SUFFIX;
#undef WRONG_COUNT_SUFFIX

// Cuts text at sep: a separator at the very end adds no empty piece, and an
// empty text gives none. Stores the first `capacity` pieces, returns how many there are.
size_t SplitFields(std::string_view text, std::string_view* out, size_t capacity) {
  size_t count = 0, start = 0;
  const char* data = text.data();
  while (start < text.size()) {
    const void* hit = std::memchr(data + start, ',', text.size() - start);
    size_t end = hit ? static_cast<size_t>(static_cast<const char*>(hit) - data) : text.size();
    if (count < capacity) out[count] = text.substr(start, end - start);
    ++count;
    if (!hit) break;
    start = end + 1;
  }
  return count;
}

// The line break is decided by the first LF or CR within the first 100 characters.
// With CR LF the cut is at CR (the LF then leads the next line, which names tolerate).
bool FindLineBreak(std::string_view text, char& sep) {
  size_t limit = text.size() < 100 ? text.size() : 100;
  for (size_t i = 0; i < limit; ++i) {
    if (text[i] == '\n' || text[i] == '\r') {
      sep = text[i];
      return true;
    }
  }
  return false;
}

bool Contains(std::string_view field, const char* name) {
  return field.find(name) != std::string_view::npos;
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
  std::string text;
  textfile::ReadResult result = textfile::ReadTextFile(path, text);
  if (result == textfile::ReadResult::too_large) trace::Write("NMEA : sidecar too large, not read\n");
  if (result != textfile::ReadResult::ok) return false;
  ParseText(text);
  return true;
}

void CNmeaParser::ParseText(std::string_view text) {
  Clear();
  char sep = 0;
  if (!FindLineBreak(text, sep)) {
    if (!text.empty()) ParseLine(text);
  } else {
    const char* data = text.data();
    size_t start = 0;
    while (start < text.size()) {
      const void* hit = std::memchr(data + start, sep, text.size() - start);
      size_t end = hit ? static_cast<size_t>(static_cast<const char*>(hit) - data) : text.size();
      ParseLine(text.substr(start, end - start));
      if (!hit) break;
      start = end + 1;
    }
  }
  Finish();
}

void CNmeaParser::ParseLine(std::string_view line) {
  std::string_view fields[kStoredFields];
  size_t count = SplitFields(line, fields, kStoredFields);
  if (count == 0) {
    ++m_nSkipped;
    return;
  }
  std::string_view name = fields[0];
  if (Contains(name, "GSENSOR")) {
    AddGSensor(fields, count);
  } else if (Contains(name, "INDICATOR")) {
    return;
  } else if (Contains(name, "SPEED")) {
    AddSpeed(fields, count);
  } else if (Contains(name, "GPRMC")) {
    AddPosition(fields, count);
  } else if (Contains(name, "GPGGA")) {
    AddAltitude(fields, count);
  }
}

void CNmeaParser::AddGSensor(const std::string_view* fields, size_t count) {
  if (count < kGSensorRule.minimum) {
    ++m_nSkipped;
    return;
  }
  auto record = std::make_unique<CNmeaCmdGSENSOR>();
  if (count > kGSensorRule.maximum) {
    record->nStatus = kStatusWrongFieldCount;
    ++m_nErrors;
    trace::Write(kGSensorError);
  } else {
    size_t first = count == 5 ? 2 : 1;
    if (count == 5) record->nSampleNo = numtext::AtoI(fields[1]);
    record->nX = numtext::AtoI(fields[first]);
    record->nY = numtext::AtoI(fields[first + 1]);
    record->nZ = numtext::AtoI(fields[first + 2]);
    record->nStatus = kStatusParsed;
  }
  m_nSumX += record->nX;
  m_nSumY += record->nY;
  m_nSumZ += record->nZ;
  ++m_nGSensorCount;
  ++m_nRun;
  m_records.push_back(std::move(record));
}

void CNmeaParser::AddSpeed(const std::string_view* fields, size_t count) {
  if (count < kSpeedRule.minimum) {
    ++m_nSkipped;
    return;
  }
  auto record = std::make_unique<CNmeaCmdSPEED>();
  if (count > kSpeedRule.maximum) {
    record->nStatus = kStatusWrongFieldCount;
    ++m_nErrors;
    trace::Write(kSpeedError);
  } else {
    record->nSequence = numtext::AtoI(fields[1]);
    record->nPulseCount = numtext::AtoI(fields[2]);
    record->nStatus = kStatusParsed;
  }
  m_records.push_back(std::move(record));
}

void CNmeaParser::AddPosition(const std::string_view* fields, size_t count) {
  if (count < kPositionRule.minimum) {
    ++m_nSkipped;
    return;
  }
  auto record = std::make_unique<CNmeaCmdGPRMC>();
  if (count > kPositionRule.maximum) {
    record->nStatus = kStatusWrongFieldCount;
    ++m_nErrors;
    trace::Write(kPositionError);
  } else {
    CNmeaCmdGPRMC& r = *record;
    r.bFix = fields[2] == "A";
    r.bNorth = fields[4] == "N";
    r.bEast = fields[6] == "E";
    r.dLatitude = ToDegrees(fields[3], r.bNorth);
    r.dLongitude = ToDegrees(fields[5], r.bEast);
    r.dSpeed = numtext::AtoF(fields[7]) * 1.852;  // knots to km/h
    r.dCourse = numtext::AtoF(fields[8]);
    numtext::AppendFixed6(r.strLatitude, r.dLatitude);
    numtext::AppendFixed6(r.strLongitude, r.dLongitude);
    numtext::AppendFixed6(r.strSpeed, r.dSpeed);
    numtext::AppendFixed6(r.strCourse, r.dCourse);
    r.nStatus = kStatusParsed;
  }
  m_records.push_back(std::move(record));
  if (m_nRun > m_nSamplesPerSec) m_nSamplesPerSec = m_nRun;
  m_nRun = 0;
}

void CNmeaParser::AddAltitude(const std::string_view* fields, size_t count) {
  if (count < kAltitudeRule.minimum) {
    ++m_nSkipped;
    return;
  }
  auto record = std::make_unique<CNmeaCmdGPGGA>();
  if (count > kAltitudeRule.maximum) {
    record->nStatus = kStatusWrongFieldCount;
    ++m_nErrors;
    trace::Write(kAltitudeError);
  } else {
    record->dAltitude = numtext::AtoF(fields[9]);
    numtext::AppendFixed6(record->strAltitude, record->dAltitude);
    record->nStatus = kStatusParsed;
  }
  m_records.push_back(std::move(record));
}

void CNmeaParser::Finish() {
  int64_t divisor = m_nGSensorCount > 0 ? m_nGSensorCount : 1;
  m_nMeanX = static_cast<int32_t>(m_nSumX / divisor);
  m_nMeanY = static_cast<int32_t>(m_nSumY / divisor);
  m_nMeanZ = static_cast<int32_t>(m_nSumZ / divisor);
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
  m_nSamplesPerSec = 0;
  m_nGSensorCount = 0;
  m_nRun = 0;
  m_nSumX = m_nSumY = m_nSumZ = 0;
  m_nMeanX = m_nMeanY = m_nMeanZ = 0;
  m_nErrors = 0;
  m_nSkipped = 0;
}
