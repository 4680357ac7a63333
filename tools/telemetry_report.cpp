#include "tools/telemetry_report.h"

#include <algorithm>
#include <filesystem>

#include "app/player_model.h"
#include "app/readouts.h"
#include "app/time_text.h"
#include "map/map_page.h"
#include "map/route_file.h"
#include "map/target_pos_file.h"
#include "telemetry/gforce_events.h"
#include "telemetry/number_text.h"
#include "telemetry/telemetry_store.h"
#include "telemetry/text_file.h"
#include "tools/gpx_export.h"
#include "tools/trip_report.h"

using namespace nsNMEA;

namespace {

const char* const kColumnNames[CTelemetryTable::kColumnCount] = {
    "fix",    "latitude",    "longitude", "altitude", "gps_speed",
    "course", "pulse_speed", "g_x",       "g_y",      "g_z"};

bool IsGSensorColumn(TelemetryColumnId id) {
  return id == kColGSensorX || id == kColGSensorY || id == kColGSensorZ;
}

bool ParseLength(const std::string& text, int64_t& value) {
  if (text.empty() || text.size() > 10) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value <= INT32_MAX;
}

void AppendCounts(const CTelemetryStore& store, std::string& out) {
  int64_t kinds[6] = {};
  int64_t errors = 0;
  for (const auto& r : store.Parser().Records()) {
    if (r->nKind >= 0 && r->nKind < 6) ++kinds[r->nKind];
    if (r->nStatus == kStatusWrongFieldCount) ++errors;
  }
  const CNmeaParser& p = store.Parser();
  out += "means ";
  numtext::AppendInt(out, p.MeanX());
  out += ' ';
  numtext::AppendInt(out, p.MeanY());
  out += ' ';
  numtext::AppendInt(out, p.MeanZ());
  out += "\nrecords gsensor=" + numtext::FormatInt(kinds[kKindGSensor]) +
         " speed=" + numtext::FormatInt(kinds[kKindSpeed]) +
         " position=" + numtext::FormatInt(kinds[kKindPosition]) +
         " altitude=" + numtext::FormatInt(kinds[kKindAltitude]) +
         " errors=" + numtext::FormatInt(errors) +
         " skipped=" + numtext::FormatInt(p.SkippedCount()) +
         " merged=" + numtext::FormatInt(p.MergedCount()) + "\n";
}

int64_t RowCount(const CTelemetryTable& table, int32_t s) {
  int64_t rows =
      std::max<int64_t>(table.Column(kColFix).Count(), table.Column(kColAltitude).Count());
  if (s > 0) {
    int64_t g = static_cast<int64_t>(table.Column(kColGSensorX).Count());
    rows = std::max<int64_t>(rows, (g + s - 1) / s);
  }
  return rows;
}

void AppendTable(const CTelemetryTable& table, int32_t s, std::string& out) {
  out += "second";
  for (const char* name : kColumnNames) out += std::string(",") + name;
  out += '\n';
  const int64_t rows = RowCount(table, s);
  std::string_view entry;
  for (int64_t k = 0; k < rows; ++k) {
    numtext::AppendInt(out, k);
    for (TelemetryColumnId id : CTelemetryTable::Ids()) {
      out += ',';
      int64_t row = IsGSensorColumn(id) ? static_cast<int64_t>(s) * k : k;
      if (table.Column(id).Get(row, entry)) out.append(entry.data(), entry.size());
    }
    out += '\n';
  }
}

// The value of an option that takes one.
bool ParseValue(const std::string& option, const std::string& value, DumpOptions& options,
                std::string& error) {
  if (option == "--route") {
    options.bRoute = true;
    options.strRouteDir = value;
  } else if (option == "--gpx") {
    if (value.empty()) {
      error = "--gpx needs a file name";
      return false;
    }
    options.bGpx = true;
    options.strGpxFile = value;
  } else if (option == "--trips") {
    options.bTrips = true;
    options.strTripsDir = value;
  } else if (option == "--map") {
    options.bMap = true;
    options.strMapDir = value;
  } else if (option == "--map-script") {
    // The address lands in an HTML attribute as it is.
    if (value.empty() || value.find_first_of("\"<>' \t\r\n") != std::string::npos) {
      error = "--map-script needs an address without quotes, angle brackets or spaces";
      return false;
    }
    options.strMapScript = value;
  } else if (option == "--second") {
    if (!ParseLength(value, options.nMapSecond)) {
      error = "--second needs a whole number of seconds from 0 to 2147483647";
      return false;
    }
  } else if (!ParseLength(value, options.nLength)) {
    error = "--length needs a whole number of seconds from 0 to 2147483647";
    return false;
  }
  return true;
}

// DIR as an absolute folder ending in a separator, so that the page finds its
// files wherever it is opened from.
std::string MapFolder(const std::string& dir) {
  std::error_code ec;
  std::filesystem::path path = std::filesystem::absolute(dir.empty() ? "." : dir, ec);
  std::string folder = ec ? dir : path.string();
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') {
    folder += static_cast<char>(std::filesystem::path::preferred_separator);
  }
  return folder;
}

// The route, the position of the chosen second (the placeholder without one)
// and the page, as the player writes them into its temporary folder.
bool WriteMapFiles(const DumpOptions& options, const CTelemetryStore& store, std::FILE* err) {
  const std::string folder = MapFolder(options.strMapDir);
  MapScript script = BuildMapScript();
  if (!options.strMapScript.empty()) script.address = options.strMapScript;
  CTargetPosWriter position;
  bool ok = WriteLinePath(folder, store.Table());
  ok = position.WriteStart(folder, store.Table()) && ok;
  if (options.nMapSecond >= 0)
    position.UpdateTargetPos(folder, store.Table(), options.nMapSecond, 1);
  ok = WriteMapPage(folder, script) && ok;
  if (!ok)
    std::fprintf(err, "telemetry-dump: cannot write the map files into %s\n", folder.c_str());
  return ok;
}

// The GPX file of the last sidecar, with a message when it cannot be made.
bool WriteGpx(const DumpOptions& options, bool parsed, const CTelemetryTable& table,
              std::FILE* err) {
  const std::string& sidecar = options.sidecars.back();
  const std::string& file = options.strGpxFile;
  std::string message;
  switch (parsed ? WriteGpxFile(file, sidecar, table) : GpxResult::cannot_read) {
    case GpxResult::ok:
      return true;
    case GpxResult::cannot_read:
      message = "cannot read " + sidecar + "; no GPX file written";
      break;
    case GpxResult::same_file:
      message = file + " is the sidecar itself; no GPX file written over it";
      break;
    case GpxResult::cannot_write:
      message = "cannot write the GPX file " + file;
      break;
  }
  std::fprintf(err, "telemetry-dump: %s\n", message.c_str());
  return false;
}

}  // namespace

bool ParseDumpArgs(const std::vector<std::string>& args, DumpOptions& options, std::string& error) {
  options = DumpOptions();
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnded || a.size() < 2 || a[0] != '-' || a[1] != '-') {
      options.sidecars.push_back(a);
    } else if (a == "--") {
      optionsEnded = true;
    } else if (a == "--summary") {
      options.bSummary = true;
    } else if (a == "--readouts") {
      options.bReadouts = true;
    } else if (a == "--times") {
      options.bTimes = true;
    } else if (a == "--retries") {
      options.bRetries = true;
    } else if (a == "--events") {
      options.bEvents = true;
    } else if (a == "--length" || a == "--route" || a == "--map" || a == "--second" ||
               a == "--map-script" || a == "--gpx" || a == "--trips") {
      if (i + 1 >= args.size()) {
        error = a + " needs a value";
        return false;
      }
      if (!ParseValue(a, args[++i], options, error)) return false;
    } else {
      error = "unknown option " + a;
      return false;
    }
  }
  if (options.bTrips) {
    if (options.sidecars.empty()) return true;
    error = "--trips takes a folder, not sidecars";
    return false;
  }
  if (options.sidecars.empty()) {
    error = "no sidecar given";
    return false;
  }
  if (!options.bMap && (options.nMapSecond >= 0 || !options.strMapScript.empty())) {
    error = "--second and --map-script go with --map";
    return false;
  }
  return true;
}

void AppendSidecarReport(const CTelemetryStore& store, const std::string& path, bool missing,
                         bool summary, std::string& out) {
  out += "file " + path + "\n";
  if (missing) out += "sidecar missing\n";
  out += "samples_per_second " + numtext::FormatInt(store.SamplesPerSecond()) + "\n";
  out += "pulse_divisor " + numtext::FormatInt(store.PulseDivisor()) + "\n";
  if (!missing) AppendCounts(store, out);
  out += "columns";
  for (size_t i = 0; i < CTelemetryTable::kColumnCount; ++i) {
    out += std::string(" ") + kColumnNames[i] + "=";
    numtext::AppendInt(
        out, static_cast<int64_t>(store.Table().Column(CTelemetryTable::Ids()[i]).Count()));
  }
  out += '\n';
  if (!summary) AppendTable(store.Table(), store.SamplesPerSecond(), out);
}

void AppendReadouts(const CTelemetryStore& store, bool present, int64_t length, std::string& out) {
  ReadoutSource source;
  source.pTable = &store.Table();
  source.bHasSidecar = present ? 1 : 0;
  source.nSamplesPerSec = store.SamplesPerSecond();
  source.nPulseDivisor = store.PulseDivisor();
  ReadoutTexts texts;
  CTargetPosWriter position;
  out += "readouts\nstart\t" + CTargetPosWriter::StartText(store.Table()) + "\n";
  for (int64_t s = 0; s <= length; ++s) {
    ReadoutsStep(source, static_cast<int32_t>(s), texts);
    std::string target;
    if (!present || !position.NextText(store.Table(), s, 1, target)) target = "-";
    numtext::AppendInt(out, s);
    out += texts.bPositionFromRow ? "\trow" : (present ? "\tkept" : "\tempty");
    for (const std::string* text : {&texts.strAltitude, &texts.strLatitude, &texts.strLongitude,
                                    &texts.strSpeed, &texts.strUnit, &texts.strSecond,
                                    &texts.strGForceX, &texts.strGForceY, &texts.strGForceZ})
      out += "\t" + *text;
    out += "\t" + target + "\n";
  }
}

void AppendTimeTexts(int64_t length, std::string& out) {
  out += "times\n";
  for (int64_t s = 0; s <= length; ++s) {
    numtext::AppendInt(out, s);
    out += "\t" + TimeText(static_cast<int32_t>(s), static_cast<int32_t>(length)) + "\n";
  }
}

void AppendMapRetries(int64_t ticks, std::string& out) {
  out += "retries\n";
  PlayerModel model;
  for (int64_t tick = 1; tick <= ticks; ++tick) {
    if (!model.Tick(static_cast<int>(tick), static_cast<int>(ticks) + 1, false).bRetryMap) continue;
    numtext::AppendInt(out, tick);
    out += '\n';
  }
}

int RunDump(const DumpOptions& options, std::FILE* out, std::FILE* err) {
  if (options.bTrips) return RunTripDump(options.strTripsDir, out, err);
  CTelemetryStore store;
  int status = 0;
  bool lastParsed = false;
  std::string text;
  for (const std::string& path : options.sidecars) {
    bool present = textfile::CanOpenForReading(path);
    if (!present) status = 1;
    lastParsed = store.LoadTelemetry(path, present ? 1 : 0, options.nLength);
    text.clear();
    AppendSidecarReport(store, path, !present, options.bSummary, text);
    if (options.bReadouts) AppendReadouts(store, present, options.nLength, text);
    if (options.bTimes) AppendTimeTexts(options.nLength, text);
    if (options.bRetries) AppendMapRetries(options.nLength, text);
    if (options.bEvents)
      text += "events\n" + DescribeEvents(FindGForceEvents(store.Table(), store.SamplesPerSecond()));
    std::fwrite(text.data(), 1, text.size(), out);
  }
  if (options.bRoute && lastParsed) {
    std::string folder = options.strRouteDir;
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
    if (!WriteLinePath(folder, store.Table())) {
      std::fprintf(err, "telemetry-dump: cannot write %s%s\n", folder.c_str(), kRouteFileName);
      status = 1;
    }
  }
  if (options.bMap && lastParsed && !WriteMapFiles(options, store, err)) status = 1;
  if (options.bGpx && !WriteGpx(options, lastParsed, store.Table(), err)) status = 1;
  std::fflush(out);
  return status;
}
