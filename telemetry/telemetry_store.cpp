#include "telemetry/telemetry_store.h"

#include <algorithm>
#include <memory>

#include "telemetry/number_text.h"
#include "telemetry/pulse_divisor.h"
#include "telemetry/text_file.h"

using namespace nsNMEA;

namespace {

// A corrupt clip can claim an absurd length; padding beyond this many seconds
// (over eleven days) would only exhaust memory, so it stops there.
constexpr int64_t kMaxPaddedSeconds = 1000000;

// S x N G-sensor rows, but never more than a ten-hour clip at 500 samples a second:
// a corrupt sidecar's huge second must not exhaust memory.
size_t GSensorPadding(int32_t samplesPerSec, int64_t seconds) {
  constexpr int64_t kMaxRows = int64_t{500} * 36000;
  return static_cast<size_t>(std::min<int64_t>(int64_t{samplesPerSec} * seconds, kMaxRows));
}

void PadTo(CTextColumn& column, int64_t rows) {
  int64_t missing = rows - static_cast<int64_t>(column.Count());
  if (missing > 0) column.AppendRepeated("0", static_cast<size_t>(missing));
}

}  // namespace

bool CTelemetryStore::LoadTelemetry(const std::string& path, int bPresent, int64_t nClipSec) {
  if (bPresent == 0) {
    m_table.Reset();
    return false;
  }
  m_table.Clear();  // the fill below reserves what it needs
  m_parser.Parse(path);  // a sidecar that cannot be read gives no records
  FillTable(nClipSec);
  return true;
}

void CTelemetryStore::LoadTelemetryBytes(std::string_view bytes, int64_t nClipSec) {
  m_table.Clear();
  m_parser.ParseBytes(bytes);
  FillTable(nClipSec);
}

void CTelemetryStore::FillTable(int64_t nClipSec) {
  CTextColumn& fix = m_table.Column(kColFix);
  CTextColumn& lat = m_table.Column(kColLatitude);
  CTextColumn& lng = m_table.Column(kColLongitude);
  CTextColumn& speed = m_table.Column(kColGpsSpeed);
  CTextColumn& course = m_table.Column(kColCourse);
  CTextColumn& pulse = m_table.Column(kColPulseSpeed);
  CTextColumn& alt = m_table.Column(kColAltitude);
  CTextColumn& gx = m_table.Column(kColGSensorX);
  CTextColumn& gy = m_table.Column(kColGSensorY);
  CTextColumn& gz = m_table.Column(kColGSensorZ);

  // Reserve exactly: no growth copies, no slack in a ten-hour table.
  const int64_t seconds = std::min(std::max<int64_t>(nClipSec, 0), kMaxPaddedSeconds);
  const size_t g = m_parser.GSensorRows().size();
  const size_t p = static_cast<size_t>(m_parser.PositionCount());
  const size_t a = static_cast<size_t>(m_parser.AltitudeCount());
  const size_t gRows =
      std::max<size_t>(g, g ? GSensorPadding(m_parser.SamplesPerSecond(), seconds) : 0);
  const size_t pRows = std::max<size_t>(p, p ? static_cast<size_t>(seconds) : 0);
  const size_t aRows = std::max<size_t>(a, a ? static_cast<size_t>(seconds) : 0);
  for (CTextColumn* c : {&gx, &gy, &gz}) c->Reserve(gRows, gRows * 4);
  fix.Reserve(pRows, pRows);
  for (CTextColumn* c : {&lat, &lng, &speed, &course, &pulse}) c->Reserve(pRows, pRows * 11);
  alt.Reserve(aRows, aRows * 10);

  const int64_t mx = m_parser.MeanX(), my = m_parser.MeanY(), mz = m_parser.MeanZ();
  for (CNmeaParser::GSensorSample r : m_parser.GSensorRows()) {
    if (r == nullptr) {  // a second with fewer lines than the others
      for (CTextColumn* c : {&gx, &gy, &gz}) c->Append("0");
      continue;
    }
    gx.AppendInt(r->nX - mx);
    gy.AppendInt(r->nY - my);
    gz.AppendInt(r->nZ - mz);
  }
  int64_t pulseTotal = 0;
  CPulseDivisorVote vote;
  std::string text;
  for (const auto& base : m_parser.Records()) {
    switch (base->nKind) {
      case kKindSpeed: {
        const auto& r = static_cast<const CNmeaCmdSPEED&>(*base);
        pulseTotal = r.nSequence == 0 ? r.nPulseCount : pulseTotal + r.nPulseCount;
        break;
      }
      case kKindPosition: {
        const auto& r = static_cast<const CNmeaCmdGPRMC&>(*base);
        if (r.nStatus == kStatusParsed && r.bFix) {
          fix.Append("1");
          lat.Append(r.strLatitude);
          lng.Append(r.strLongitude);
          speed.Append(r.strSpeed);
          course.Append(r.strCourse);
          if (m_nPulseDivisor < 0 && r.dSpeed >= 10.0) vote.Compare(pulseTotal, r.dSpeed);
        } else {
          for (CTextColumn* c : {&fix, &lat, &lng, &speed, &course}) c->Append("0");
        }
        text.clear();
        numtext::AppendFixed6(text, static_cast<double>(pulseTotal) / kPulseSpeedUnit);
        pulse.Append(text);
        break;
      }
      case kKindAltitude:
        alt.Append(static_cast<const CNmeaCmdGPGGA&>(*base).strAltitude);
        break;
      default:
        break;
    }
    if (m_nPulseDivisor < 0) m_nPulseDivisor = vote.Leader();
  }

  if (gx.Count() > 0) {
    m_nSamplesPerSec = m_parser.SamplesPerSecond();
    for (CTextColumn* c : {&gx, &gy, &gz})
      PadTo(*c, static_cast<int64_t>(GSensorPadding(m_nSamplesPerSec, seconds)));
  }
  if (fix.Count() > 0)
    for (CTextColumn* c : {&fix, &lat, &lng, &speed, &course, &pulse}) PadTo(*c, seconds);
  if (alt.Count() > 0) PadTo(alt, seconds);
}
