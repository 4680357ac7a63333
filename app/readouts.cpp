#include "app/readouts.h"

#include <cstdio>
#include <string>

#include "telemetry/number_text.h"
#include "telemetry/telemetry_table.h"

namespace {

// A failed read counts as the number 0.
double ReadDouble(const CTelemetryTable& t, TelemetryColumnId id, int64_t row) {
  std::string_view entry;
  return t.Column(id).Get(row, entry) ? numtext::AtoF(entry) : 0.0;
}

int32_t ReadInt(const CTelemetryTable& t, TelemetryColumnId id, int64_t row) {
  std::string_view entry;
  return t.Column(id).Get(row, entry) ? numtext::AtoI(entry) : 0;
}

// double to int as a C cast does, without the undefined cases (nan, out of range).
int Truncate(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(v);
}

std::string Format(const char* format, double value) {
  char text[512];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string GForceText(const char* positive, const char* negative, int32_t thousandths) {
  double g = thousandths / 1000.0;
  return g >= 0 ? Format(positive, g) : Format(negative, -g);
}

}  // namespace

void ReadoutsStep(const ReadoutSource& source, int32_t s, ReadoutTexts& texts) {
  CTelemetryTable empty;
  const CTelemetryTable& t = source.pTable ? *source.pTable : empty;
  std::string_view fix;
  char speed[32];
  texts.bPositionFromRow = t.Column(kColFix).Get(s, fix) && numtext::AtoI(fix) != 0;
  if (texts.bPositionFromRow) {
    texts.strAltitude = Format("Altitude  : %0.1lf M", ReadDouble(t, kColAltitude, s));
    texts.strLatitude = Format("Latitude  : %0.3f", ReadDouble(t, kColLatitude, s));
    texts.strLongitude = Format("Longitude : %0.3f", ReadDouble(t, kColLongitude, s));
    texts.nCourse = Truncate(ReadDouble(t, kColCourse, s));
    texts.nSpeed = Truncate(ReadDouble(t, kColGpsSpeed, s));
    texts.strUnit = "KPH";  // the value is always km/h
  } else {
    if (source.bHasSidecar == 0) {
      texts.strAltitude = "Altitude  : ";
      texts.strLatitude = "Latitude  : ";
      texts.strLongitude = "Longitude : ";
    }
    texts.nSpeed = 0;
    texts.nCourse = 0;
  }
  std::snprintf(speed, sizeof speed, "%3d", texts.nSpeed);
  texts.strSpeed = speed;
  texts.nPulseSpeed = 0;
  if (source.bHasSidecar == 1 && source.nPulseDivisor > 0)
    texts.nPulseSpeed = Truncate(ReadDouble(t, kColPulseSpeed, s) / source.nPulseDivisor);
  texts.strSecond = " ";
  const int64_t g = static_cast<int64_t>(s) * source.nSamplesPerSec;
  texts.strGForceX =
      GForceText("G-Force X : %0.3f F", "G-Force X : %0.3f R", ReadInt(t, kColGSensorX, g));
  texts.strGForceY =
      GForceText("G-Force Y : %0.3f R", "G-Force Y : %0.3f L", ReadInt(t, kColGSensorY, g));
  texts.strGForceZ =
      GForceText("G-Force Z : %0.3f U", "G-Force Z : %0.3f D", ReadInt(t, kColGSensorZ, g));
}
