#include "telemetry/parse_description.h"

#include "telemetry/nmea_parser.h"
#include "telemetry/number_text.h"

using namespace nsNMEA;

namespace {

void Field(std::string& out, int64_t v) {
  out += ' ';
  numtext::AppendInt(out, v);
}

void Field(std::string& out, const std::string& text) {
  out += ' ';
  out += text;
}

}  // namespace

std::string DescribeParse(const CNmeaParser& p) {
  std::string out = "S";
  Field(out, p.SamplesPerSecond());
  Field(out, p.MeanX());
  Field(out, p.MeanY());
  Field(out, p.MeanZ());
  Field(out, p.ErrorCount());
  Field(out, p.SkippedCount());
  out += '\n';
  for (const auto& base : p.Records()) {
    Field(out, base->nKind);
    Field(out, base->nStatus);
    if (base->nKind == kKindGSensor) {
      const auto& r = static_cast<const CNmeaCmdGSENSOR&>(*base);
      for (int64_t v : {r.nSampleNo, r.nX, r.nY, r.nZ}) Field(out, v);
    } else if (base->nKind == kKindSpeed) {
      const auto& r = static_cast<const CNmeaCmdSPEED&>(*base);
      Field(out, r.nSequence);
      Field(out, r.nPulseCount);
    } else if (base->nKind == kKindPosition) {
      const auto& r = static_cast<const CNmeaCmdGPRMC&>(*base);
      for (bool b : {r.bFix, r.bNorth, r.bEast}) Field(out, b ? 1 : 0);
      for (const std::string* t : {&r.strLatitude, &r.strLongitude, &r.strSpeed, &r.strCourse})
        Field(out, *t);
    } else if (base->nKind == kKindAltitude) {
      Field(out, static_cast<const CNmeaCmdGPGGA&>(*base).strAltitude);
    }
    out += '\n';
  }
  return out;
}
