#include "map/map_core.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "map/map_page.h"
#include "map/probe_gate.h"
#include "map/web_address.h"
#include "test_files.h"

namespace {

const MapScript kScript{"https://maps.test/maps/api/js",
                        "KEY-456789012345678901234567890123456789"};

// Three seconds: fix, no fix, fix.
const char kSidecar[] =
    "$GPRMC,1,A,3539.1234,N,13945.0000,E,0,0,020323,,,A*00\r\n"
    "$GPRMC,2,V,,,,,,,020323,,,N*00\r\n"
    "$GPRMC,3,A,3540.0000,N,13946.0000,E,0,0,020323,,,A*00\r\n";

const char kPlaceholder[] = "var TARGET_POS = { lat: 0.000000, lng : 0.000000, update : 0 };";
const char kSecond0[] = "var TARGET_POS = { lat: 35.652057, lng : 139.750000, update : 1 };";
const char kSecond2[] = "var TARGET_POS = { lat: 35.666667, lng : 139.766667, update : 1 };";

}  // namespace

TEST(MapCore, LoadWritesTheRouteOnlyForAPresentSidecar) {
  ScratchDir dir;
  CMapCore core(dir.Path(), kScript);
  const std::string sidecar = dir.Write("c.nmea", kSidecar);
  core.LoadTelemetry(sidecar, 0, 3);
  EXPECT_EQ(ReadAll(dir.Path() + "line_path.js"), "");
  EXPECT_EQ(core.Store().Table().Column(kColFix).Count(), 0u);
  core.LoadTelemetry(sidecar, 1, 3);
  EXPECT_EQ(ReadAll(dir.Path() + "line_path.js"),
            "var LINE_PATH = [\r\n\t{ lat: 35.652057, lng : 139.750000 },\r\n"
            "\t{ lat: 35.666667, lng : 139.766667 },\r\n];\r\n");
  EXPECT_TRUE(core.WriteMapPage());
  EXPECT_EQ(core.PagePath(), dir.Path() + "GM_tmp1.html");
  EXPECT_NE(ReadAll(core.PagePath())
                .find("elem.src = \"" + DoubleBackslashes(dir.Path()) + "target_pos.js\";"),
            std::string::npos);
}

TEST(MapCore, PositionFileFollowsTheTableRows) {
  ScratchDir dir;
  CMapCore core(dir.Path(), kScript);
  core.LoadTelemetry(dir.Write("c.nmea", kSidecar), 1, 3);
  const std::string file = dir.Path() + "target_pos.js";
  core.UpdateTargetPos(-1, 0);
  EXPECT_EQ(ReadAll(file), kPlaceholder);
  core.UpdateTargetPos(0, 1);
  EXPECT_EQ(ReadAll(file), kSecond0);
  EXPECT_FALSE(core.UpdateTargetPos(1, 1));  // no fix: the marker stays
  EXPECT_EQ(ReadAll(file), kSecond0);
  core.UpdateTargetPos(2, 1);
  dir.Write("target_pos.js", "");           // whatever the file held: written again
  EXPECT_TRUE(core.UpdateTargetPos(7, 1));  // past the end: the last texts again
  EXPECT_EQ(ReadAll(file), kSecond2);
  EXPECT_EQ(core.LastRow(), 7);
}

TEST(MapCore, LayoutPassReshowsOnlyOnASizeChangeAndRewritesThePosition) {
  struct Case {
    bool shown, first;
    int bSizeChanged;
    int showMaps;
    bool positionWritten;
  };
  const Case cases[] = {
      {false, false, 1, 0, false},  // never shown: nothing
      {true, true, 1, 0, false},    // the layout that created the window: nothing
      {true, false, 0, 0, true},    // position only
      {true, false, 1, 1, true},    // re-show, then position
      {true, false, 2, 0, true},    // only a flag of exactly 1 counts as a change
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    CMapCore core(dir.Path(), kScript);
    core.LoadTelemetry(dir.Write("c.nmea", kSidecar), 1, 3);
    core.UpdateTargetPos(2, 1);
    dir.Write("target_pos.js", "");
    if (c.shown) core.MarkShown();
    int showMaps = 0;
    EXPECT_EQ(core.OnLayout(c.first, c.bSizeChanged, [&] { ++showMaps; }), 0);
    EXPECT_EQ(showMaps, c.showMaps) << c.shown << c.first << c.bSizeChanged;
    EXPECT_EQ(ReadAll(dir.Path() + "target_pos.js"), c.positionWritten ? kSecond2 : "")
        << c.shown << c.first << c.bSizeChanged;
  }
}

TEST(ProbeGate, OneInFlightAndOneRememberedRequest) {
  CProbeGate gate;
  EXPECT_TRUE(gate.Request());
  EXPECT_FALSE(gate.Request());
  EXPECT_FALSE(gate.Request());  // still one remembered request
  EXPECT_TRUE(gate.Pending());
  EXPECT_TRUE(gate.Finish());  // the remembered one starts
  EXPECT_TRUE(gate.InFlight());
  EXPECT_FALSE(gate.Pending());
  EXPECT_FALSE(gate.Finish());
  EXPECT_FALSE(gate.InFlight());
  EXPECT_TRUE(gate.Request());
}

TEST(WebAddress, CompletedOnlyWithoutAScheme) {
  const std::pair<const char*, const char*> cases[] = {
      {"https://a.test/x", "https://a.test/x"},
      {"file://C:\\x.html", "file://C:\\x.html"},
      {"C:\\x.html", "file://C:\\x.html"},
      {"C:\\Temp\\GM_tmp1.html", "file://C:\\Temp\\GM_tmp1.html"},
      {"example", "http://example"},
      {"x", "http://x"},
      {":", "http://:"},
      {"", "http://"},
  };
  for (const auto& c : cases) EXPECT_EQ(CompleteWebAddress(c.first), c.second) << c.first;
}
