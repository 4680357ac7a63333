#include "tools/gpx_export.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "app/playlist_text.h"
#include "map/route_file.h"
#include "telemetry/number_text.h"
#include "telemetry/telemetry_table.h"
#include "telemetry/text_file.h"
#include "tools/gpx_time.h"
#include "tools/sentence_fields.h"
#include "tools/xml_text.h"

namespace {

constexpr char kHeader[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<gpx version=\"1.1\" creator=\"telemetry-dump\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
    "  <trk>\n";
constexpr char kFooter[] = "    </trkseg>\n  </trk>\n</gpx>\n";

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// A plain decimal number: an optional sign, digits, optional decimals.
bool IsDecimal(std::string_view text) {
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  const size_t dot = text.find('.');
  if (dot == std::string_view::npos) return IsDigits(text);
  const std::string_view whole = text.substr(0, dot), decimals = text.substr(dot + 1);
  return (whole.empty() || IsDigits(whole)) && (decimals.empty() || IsDigits(decimals)) &&
         whole.size() + decimals.size() > 0;
}

// The last field of a line keeps its checksum ("*hh").
std::string_view WithoutChecksum(std::string_view field) {
  return field.substr(0, field.find('*'));
}

bool RowAltitude(const CTelemetryTable& table, int64_t row, const SentenceFields::Altitude* gga,
                 std::string_view& entry) {
  if (gga == nullptr || gga->inError) return false;
  if (!IsDigits(gga->quality) || numtext::AtoI(gga->quality) == 0) return false;
  if (!IsDecimal(WithoutChecksum(gga->altitude))) return false;
  return table.Column(kColAltitude).Get(row, entry) && std::isfinite(numtext::AtoF(entry));
}

void AppendPoint(std::string& out, const CTelemetryTable& table, int64_t row, double lat,
                 double lng, const SentenceFields::Position* rmc,
                 const SentenceFields::Altitude* gga) {
  // A GPX longitude runs from -180 up to, not including, 180: the same meridian.
  if (lng == 180.0) lng = -180.0;
  out += "      <trkpt lat=\"";
  numtext::AppendFixed6(out, lat);
  out += "\" lon=\"";
  numtext::AppendFixed6(out, lng);
  out += "\">";
  std::string_view altitude;
  if (RowAltitude(table, row, gga, altitude)) {
    out += "<ele>";
    out.append(altitude.data(), altitude.size());
    out += "</ele>";
  }
  std::string time;
  if (rmc != nullptr && !rmc->inError && AppendGpxTime(time, rmc->time, rmc->date))
    out += "<time>" + time + "</time>";
  out += "</trkpt>\n";
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace

std::string MakeGpx(const CTelemetryTable& table, std::string_view text, std::string_view name) {
  std::string out = kHeader;
  std::string escaped;
  if (!name.empty() && AppendXmlText(escaped, name)) out += "    <name>" + escaped + "</name>\n";
  out += "    <trkseg>\n";
  // Row k of the position columns is the k-th position line, row k of the
  // altitude column the k-th altitude line; past the last line rows are padding.
  const SentenceFields lines = ReadSentenceFields(text);
  const int64_t rows = static_cast<int64_t>(table.Column(kColFix).Count());
  double lat = 0.0, lng = 0.0;
  for (int64_t row = 0; row < rows; ++row) {
    const size_t k = static_cast<size_t>(row);
    if (RowPosition(table, row, lat, lng))
      AppendPoint(out, table, row, lat, lng,
                  k < lines.positions.size() ? &lines.positions[k] : nullptr,
                  k < lines.altitudes.size() ? &lines.altitudes[k] : nullptr);
  }
  out += kFooter;
  return out;
}

GpxResult WriteGpxFile(const std::string& path, const std::string& sidecar,
                       const CTelemetryTable& table) {
  if (SameFile(path, sidecar)) return GpxResult::same_file;
  std::string gpx;
  {
    std::string text;
    if (textfile::ReadTextFile(sidecar, text) != textfile::ReadResult::ok)
      return GpxResult::cannot_read;
    gpx = MakeGpx(table, text, FileNameOf(sidecar));
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return GpxResult::cannot_write;
  bool ok = std::fwrite(gpx.data(), 1, gpx.size(), file) == gpx.size();
  ok = std::fclose(file) == 0 && ok;
  if (!ok) std::remove(path.c_str());
  return ok ? GpxResult::ok : GpxResult::cannot_write;
}
