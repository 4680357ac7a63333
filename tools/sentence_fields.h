// The fields of a sidecar's position and altitude lines that the parser's
// records do not keep (a position's time and date, an altitude's fix quality),
// found by the parser itself: entry k belongs to row k of the table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct SentenceFields {
  struct Position {
    std::string time, date;  // fields 1 and 9
    bool inError = false;    // more fields than the sentence has: no fix
  };
  struct Altitude {
    std::string quality, altitude;  // fields 6 and 9
    bool inError = false;
  };
  std::vector<Position> positions;
  std::vector<Altitude> altitudes;
};

// `text` as text mode delivers it.
SentenceFields ReadSentenceFields(std::string_view text);
