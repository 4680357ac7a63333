// Turns sidecar text into sentence records, samples per second and G-sensor means.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "telemetry/nmea_records.h"
#include "telemetry/record_arena.h"

class CNmeaParser {
 public:
  // One field of a line; plain data so that a line's field array costs nothing to set up.
  struct Field {
    const char* data;
    size_t size;
    std::string_view View() const { return std::string_view(data, size); }
  };

  // A deque grows without copying: no moment with two copies of a long list.
  using RecordList = std::deque<CRecordArena::Ptr>;

  CNmeaParser() = default;
  CNmeaParser(const CNmeaParser&) = delete;
  CNmeaParser& operator=(const CNmeaParser&) = delete;

  // Reads the file in text mode and parses it. False when it cannot be opened
  // (or is too large to hold); true otherwise, also for an empty file.
  bool Parse(const std::string& path);

  // Parses sidecar bytes as a text-mode read would deliver them.
  void ParseBytes(std::string_view raw);

  // Parses text that has already been read in text mode.
  void ParseText(std::string_view text);

  void Clear();

  // Called for each position ("$xxRMC") or altitude ("$xxGGA") line that makes a
  // record (not for one merged into the second before), in record order, with its first fields (up to 17), their count
  // and whether the record is in error: for what needs fields the records do
  // not keep, such as a position's time and date.
  using SentenceObserver =
      std::function<void(bool position, const Field* fields, size_t count, bool inError)>;
  void ObserveSentences(SentenceObserver observer) { m_observer = std::move(observer); }

  const RecordList& Records() const { return m_records; }
  // The most common number of G-sensor lines in the seconds that have any
  // (each position line closes a second); 0 when no position line closes one.
  int32_t SamplesPerSecond() const { return m_nSamplesPerSec; }
  // The G-sensor samples in table order: with S samples per second, second k
  // takes rows S x k to S x k + S - 1. A second with fewer lines leaves rows
  // empty (null); one with more keeps its S largest deviations from the mean,
  // the largest in the second's first row. The samples after the last
  // position line follow as they are (at most S of them). With S = 0: every
  // sample in file order.
  using GSensorSample = const nsNMEA::CNmeaCmdGSENSOR*;
  const std::vector<GSensorSample>& GSensorRows() const { return m_rows; }
  int32_t GSensorCount() const { return m_nGSensorCount; }
  int32_t PositionCount() const { return m_nPositionCount; }
  int32_t AltitudeCount() const { return m_nAltitudeCount; }
  // Integer means (truncated toward zero) of the samples in the rows.
  int32_t MeanX() const { return m_nMeanX; }
  int32_t MeanY() const { return m_nMeanY; }
  int32_t MeanZ() const { return m_nMeanZ; }
  // Records whose field count was above the sentence's maximum.
  int32_t ErrorCount() const { return m_nErrors; }
  // Malformed lines (empty, or below the sentence's minimum) left out.
  int32_t SkippedCount() const { return m_nSkipped; }
  // Position and altitude lines with the same (non-empty) time as the line of
  // their kind before: the same second again, which makes no record.
  int32_t MergedCount() const { return m_nMerged; }

  struct SentenceRule;

 private:
  void SplitLines(std::string_view text);
  void SplitLfLines(std::string_view raw);
  void ParseLine(std::string_view line);
  // A new record for a line of `count` fields, in error when it has too many;
  // null (the line left out) when it has too few.
  // The time field of the last position or altitude line that made a record,
  // a view into the text being parsed.
  struct LastTime {
    std::string_view time;
    bool known = false;
  };
  // With `last`, a line whose time repeats it is merged (null) as well.
  template <class T>
  T* StartRecord(const Field* fields, size_t count, const SentenceRule& rule, LastTime* last);
  void AddGSensor(const Field* fields, size_t count);
  void AddSpeed(const Field* fields, size_t count);
  void AddPosition(const Field* fields, size_t count);
  void AddAltitude(const Field* fields, size_t count);
  void KeepPeaks(const GSensorSample* first, size_t n, size_t count, const int64_t mean[3]);
  void ArrangeGSensorRows(const int64_t mean[3]);
  void Finish();

  SentenceObserver m_observer;
  CRecordArena m_arena;  // declared first: outlives the records built in it
  RecordList m_records;
  int32_t m_nSamplesPerSec = 0;
  int32_t m_nGSensorCount = 0;
  int32_t m_nPositionCount = 0;
  int32_t m_nAltitudeCount = 0;
  int32_t m_nRun = 0;                // G-sensor lines since the last position line
  std::vector<int32_t> m_runs;       // G-sensor lines of each closed second
  std::vector<GSensorSample> m_rows;
  // Sums are 64-bit so that thousands of saturated samples cannot overflow.
  int64_t m_nSumX = 0, m_nSumY = 0, m_nSumZ = 0;
  int32_t m_nMeanX = 0, m_nMeanY = 0, m_nMeanZ = 0;
  int32_t m_nErrors = 0;
  int32_t m_nSkipped = 0;
  int32_t m_nMerged = 0;
  LastTime m_lastPosition, m_lastAltitude;
};
