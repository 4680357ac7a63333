// Feeds arbitrary bytes through text-mode reading, the parser, the table,
// and the route, position and GPX texts. Any crash, leak or UB is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "map/route_file.h"
#include "map/target_pos_file.h"
#include "telemetry/nmea_parser.h"
#include "telemetry/number_text.h"
#include "telemetry/parse_description.h"
#include "telemetry/text_file.h"
#include "telemetry/telemetry_store.h"
#include "tools/gpx_export.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The first byte picks the clip length so padding paths are reached too.
  int64_t seconds = size > 0 ? data[0] % 64 : 0;
  // Differential: the direct path over raw bytes against translating first.
  CNmeaParser direct, translated;
  direct.ParseBytes(bytes);
  std::string text(bytes);
  text.resize(textfile::TextModeTranslate(bytes.data(), bytes.size(), &text[0]));
  translated.ParseText(text);
  if (DescribeParse(direct) != DescribeParse(translated)) __builtin_trap();

  CTelemetryStore store;
  store.LoadTelemetryBytes(bytes, seconds);
  store.LoadTelemetryBytes(bytes.substr(size / 2), seconds);  // a second clip on the same owner
  std::string route = MakeLinePath(store.Table());
  std::string_view entry;
  const CTelemetryTable& t = store.Table();
  for (int64_t row = 0; row < 8; ++row) {
    for (TelemetryColumnId id : CTelemetryTable::Ids())
      if (t.Column(id).Get(row, entry)) (void)numtext::AtoF(entry);
  }
  // The GPX export reads the last load's text again for the times.
  std::string last(bytes.substr(size / 2));
  last.resize(textfile::TextModeTranslate(last.data(), last.size(), &last[0]));
  std::string gpx = MakeGpx(t, last, last.substr(0, 16));
  (void)numtext::AtoI(bytes);
  (void)numtext::AtoF(bytes);
  return route.empty() || gpx.empty() ? 1 : 0;
}
