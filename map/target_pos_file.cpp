#include "map/target_pos_file.h"

#include "map/map_position.h"
#include "telemetry/number_text.h"
#include "telemetry/telemetry_table.h"

namespace {

void ReadInto(const CTextColumn& column, int64_t row, size_t capacity, std::string& buffer) {
  std::string_view entry;
  if (column.Get(row, entry) && entry.size() < capacity) buffer.assign(entry.data(), entry.size());
}

}  // namespace

std::string CTargetPosWriter::Format(double lat, double lng, int update) {
  std::string out = "var TARGET_POS = { lat: ";
  numtext::AppendFixed6(out, lat);
  out += ", lng : ";
  numtext::AppendFixed6(out, lng);
  out += ", update : ";
  numtext::AppendInt(out, update);
  out += " };";
  return out;
}

bool CTargetPosWriter::NextText(const CTelemetryTable& table, int64_t row, int update,
                                std::string& text) {
  int fix = 0;
  double lat = 0.0, lng = 0.0;
  if (row >= 0) {
    ReadInto(table.Column(kColFix), row, kFixChars, m_strFix);
    ReadInto(table.Column(kColLatitude), row, kCoordChars, m_strLat);
    ReadInto(table.Column(kColLongitude), row, kCoordChars, m_strLng);
    fix = numtext::AtoI(m_strFix);
    lat = numtext::AtoF(m_strLat);
    lng = numtext::AtoF(m_strLng);
    m_nLastRow = row;
  }
  if (row != -1 && !(fix != 0 && lat != 0.0 && lng != 0.0 && IsMapPosition(lat, lng))) return false;
  text = Format(lat, lng, update != 0 ? 1 : 0);
  return true;
}

std::string CTargetPosWriter::StartText(const CTelemetryTable& table) {
  std::string_view fix, lat, lng;
  double latitude = 0.0, longitude = 0.0;
  if (table.Column(kColFix).Get(0, fix) && numtext::AtoI(fix) != 0 &&
      table.Column(kColLatitude).Get(0, lat) && table.Column(kColLongitude).Get(0, lng)) {
    latitude = numtext::AtoF(lat);
    longitude = numtext::AtoF(lng);
  }
  if (latitude == 0.0 || longitude == 0.0 || !IsMapPosition(latitude, longitude))
    latitude = longitude = 0.0;  // the placeholder
  return Format(latitude, longitude, 0);
}

bool CTargetPosWriter::UpdateTargetPos(const std::string& folder, const CTelemetryTable& table,
                                       int64_t row, int update) {
  std::string text;
  return NextText(table, row, update, text) && m_file.Write(folder + kTargetPosFileName, text);
}

bool CTargetPosWriter::WriteStart(const std::string& folder, const CTelemetryTable& table) {
  return m_file.Write(folder + kTargetPosFileName, StartText(table));
}
