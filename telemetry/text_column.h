// An append-only column of short text entries, read by row. Entries are kept
// in one character buffer with an offset per row, so a ten-hour table stays small.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CTextColumn {
 public:
  // An entry that would take the column past 4 GiB of text is stored empty.
  void Append(std::string_view entry) {
    if (entry.size() <= UINT32_MAX - m_size) {
      if (entry.size() > m_capacity - m_size) Grow(entry.size());
      char* to = m_chars.get() + m_size;
      // Entries are a few characters: a plain copy beats a library call.
      for (size_t i = 0; i < entry.size(); ++i) to[i] = entry[i];
      m_size += entry.size();
    }
    m_ends.push_back(static_cast<uint32_t>(m_size));
  }
  // Appends "%d" of value.
  void AppendInt(int64_t value);
  // Appends the same entry `times` times (used for padding).
  void AppendRepeated(std::string_view entry, size_t times);
  // Reads row `row` into `out`. False, leaving `out` alone, at or past the end.
  bool Get(int64_t row, std::string& out) const;
  bool Get(int64_t row, std::string_view& out) const;
  size_t Count() const { return m_ends.size(); }
  // Empties the column and frees its memory.
  void Reset();
  // Empties the column but keeps its memory for the next fill.
  void Clear();
  // Room for exactly this much; more than twice that is given back.
  void Reserve(size_t rows, size_t chars);

 private:
  void Grow(size_t needed);

  std::unique_ptr<char[]> m_chars;
  size_t m_size = 0;
  size_t m_capacity = 0;
  std::vector<uint32_t> m_ends;  // end offset of each entry in m_chars
};
