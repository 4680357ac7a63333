#include "app/readouts.h"

#include <gtest/gtest.h>

#include "telemetry/telemetry_table.h"

namespace {

CTelemetryTable OneSecond(const char* fix, const char* lat, const char* lng, const char* alt,
                          const char* speed, const char* course, const char* pulse) {
  CTelemetryTable t;
  t.Column(kColFix).Append(fix);
  t.Column(kColLatitude).Append(lat);
  t.Column(kColLongitude).Append(lng);
  t.Column(kColAltitude).Append(alt);
  t.Column(kColGpsSpeed).Append(speed);
  t.Column(kColCourse).Append(course);
  t.Column(kColPulseSpeed).Append(pulse);
  return t;
}

}  // namespace

TEST(Readouts, SecondWithAFix) {
  CTelemetryTable t = OneSecond("1", "35.681236", "139.767125", "35.26", "45.9", "270.5", "226.0");
  for (const char* g : {"-250", "0"}) t.Column(kColGSensorX).Append(g);
  for (const char* g : {"120", "0"}) t.Column(kColGSensorY).Append(g);
  for (const char* g : {"-1000", "0"}) t.Column(kColGSensorZ).Append(g);
  ReadoutTexts r;
  ReadoutsStep({&t, 1, 2, 4}, 0, r);
  EXPECT_EQ(r.strAltitude, "Altitude  : 35.3 M");
  EXPECT_EQ(r.strLatitude, "Latitude  : 35.681");
  EXPECT_EQ(r.strLongitude, "Longitude : 139.767");
  EXPECT_EQ(r.strSpeed, " 45");
  EXPECT_EQ(r.nCourse, 270);
  EXPECT_EQ(r.nSpeed, 45);
  EXPECT_EQ(r.nPulseSpeed, 56);  // 226.0 / 4
  EXPECT_EQ(r.strGForceX, "G-Force X : 0.250 R");
  EXPECT_EQ(r.strGForceY, "G-Force Y : 0.120 R");
  EXPECT_EQ(r.strGForceZ, "G-Force Z : 1.000 D");
  EXPECT_EQ(r.strSecond, " ");
  EXPECT_EQ(r.strUnit, "KPH");
}

TEST(Readouts, WithoutAFixAndWithoutASidecar) {
  CTelemetryTable t = OneSecond("1", "-35.5", "-58.25", "10", "123.9", "12.9", "0");
  t.Column(kColFix).Append("0");
  t.Column(kColGpsSpeed).Append("0");
  t.Column(kColPulseSpeed).Append("100");
  ReadoutTexts r;
  ReadoutsStep({&t, 1, 5, 2}, 0, r);
  EXPECT_EQ(r.strSpeed, "123");
  EXPECT_EQ(r.strLatitude, "Latitude  : -35.500");  // signs, no hemisphere letter
  ReadoutsStep({&t, 1, 5, 2}, 1, r);                // no fix: position kept, speed 0
  EXPECT_EQ(r.strLatitude, "Latitude  : -35.500");
  EXPECT_EQ(r.strAltitude, "Altitude  : 10.0 M");
  EXPECT_EQ(r.strSpeed, "  0");
  EXPECT_EQ(r.nCourse, 0);
  EXPECT_EQ(r.nPulseSpeed, 50);                    // pulse speed shows without a fix
  EXPECT_EQ(r.strGForceX, "G-Force X : 0.000 F");  // row 5 is missing: 0
  ReadoutsStep({&t, 1, 5, -1}, 1, r);
  EXPECT_EQ(r.nPulseSpeed, 0);  // divisor not known yet

  CTelemetryTable empty;
  ReadoutsStep({&empty, 0, 0, 4}, 7, r);
  EXPECT_EQ(r.strAltitude, "Altitude  : ");
  EXPECT_EQ(r.strLatitude, "Latitude  : ");
  EXPECT_EQ(r.strLongitude, "Longitude : ");
  EXPECT_EQ(r.strGForceY, "G-Force Y : 0.000 R");
  EXPECT_EQ(r.strGForceZ, "G-Force Z : 0.000 U");
  EXPECT_EQ(r.nSpeed + r.nCourse + r.nPulseSpeed, 0);
}

TEST(Readouts, WideAndAbsurdValuesStayDefined) {
  CTelemetryTable t = OneSecond("1", "nan", "1e300", "-1e308", "1000", "1e20", "1e300");
  ReadoutTexts r;
  ReadoutsStep({&t, 1, 0, 2}, 0, r);
  EXPECT_EQ(r.strSpeed, "1000");  // the field widens
  EXPECT_EQ(r.nCourse, 2147483647);
  EXPECT_EQ(r.nPulseSpeed, 2147483647);
  EXPECT_EQ(r.strAltitude.size(), std::string("Altitude  : -").size() + 309 + 2 + 2);
}
