#include "telemetry/text_column.h"

void CTextColumn::Append(std::string_view entry) {
  m_chars.append(entry.data(), entry.size());
  m_ends.push_back(m_chars.size());
}

void CTextColumn::AppendRepeated(std::string_view entry, size_t times) {
  m_ends.reserve(m_ends.size() + times);
  m_chars.reserve(m_chars.size() + entry.size() * times);
  for (size_t i = 0; i < times; ++i) Append(entry);
}

bool CTextColumn::Get(int64_t row, std::string_view& out) const {
  if (row < 0 || static_cast<uint64_t>(row) >= m_ends.size()) return false;
  size_t index = static_cast<size_t>(row);
  uint64_t begin = index == 0 ? 0 : m_ends[index - 1];
  out = std::string_view(m_chars.data() + begin, static_cast<size_t>(m_ends[index] - begin));
  return true;
}

bool CTextColumn::Get(int64_t row, std::string& out) const {
  std::string_view view;
  if (!Get(row, view)) return false;
  out.assign(view.data(), view.size());
  return true;
}

void CTextColumn::Reset() {
  m_chars.clear();
  m_chars.shrink_to_fit();
  m_ends.clear();
  m_ends.shrink_to_fit();
}

void CTextColumn::Reserve(size_t rows, size_t chars) {
  m_ends.reserve(rows);
  m_chars.reserve(chars);
}
