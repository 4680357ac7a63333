#include "tools/sentence_fields.h"

#include "telemetry/nmea_parser.h"

SentenceFields ReadSentenceFields(std::string_view text) {
  SentenceFields found;
  CNmeaParser parser;
  // Every record's line has at least ten fields: 1, 6 and 9 are there.
  parser.ObserveSentences(
      [&found](bool position, const CNmeaParser::Field* fields, size_t, bool inError) {
        if (position)
          found.positions.push_back(
              {std::string(fields[1].View()), std::string(fields[9].View()), inError});
        else
          found.altitudes.push_back(
              {std::string(fields[6].View()), std::string(fields[9].View()), inError});
      });
  parser.ParseText(text);
  return found;
}
