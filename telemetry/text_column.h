// An append-only column of short text entries, read by row. Entries are kept
// in one character buffer with an offset per row, so a ten-hour table stays small.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CTextColumn {
 public:
  void Append(std::string_view entry);
  // Appends the same entry `times` times (used for padding).
  void AppendRepeated(std::string_view entry, size_t times);
  // Reads row `row` into `out`. False, leaving `out` alone, at or past the end.
  bool Get(int64_t row, std::string& out) const;
  bool Get(int64_t row, std::string_view& out) const;
  size_t Count() const { return m_ends.size(); }
  void Reset();
  void Reserve(size_t rows, size_t chars);

 private:
  std::string m_chars;
  std::vector<uint64_t> m_ends;  // end offset of each entry in m_chars
};
