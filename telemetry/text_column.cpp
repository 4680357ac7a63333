#include "telemetry/text_column.h"

#include <charconv>

void CTextColumn::Grow(size_t needed) {
  size_t capacity = m_capacity < 64 ? 64 : m_capacity;
  while (capacity - m_size < needed) capacity *= 2;
  std::unique_ptr<char[]> chars(new char[capacity]);
  if (m_size != 0) std::memcpy(chars.get(), m_chars.get(), m_size);
  m_chars = std::move(chars);
  m_capacity = capacity;
}

void CTextColumn::AppendInt(int64_t value) {
  char buf[24];
  std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value);
  Append(std::string_view(buf, static_cast<size_t>(r.ptr - buf)));
}

void CTextColumn::AppendRepeated(std::string_view entry, size_t times) {
  Reserve(m_ends.size() + times, m_size + entry.size() * times);
  for (size_t i = 0; i < times; ++i) Append(entry);
}

bool CTextColumn::Get(int64_t row, std::string_view& out) const {
  if (row < 0 || static_cast<uint64_t>(row) >= m_ends.size()) return false;
  size_t index = static_cast<size_t>(row);
  uint32_t begin = index == 0 ? 0 : m_ends[index - 1];
  out = std::string_view(m_chars.get() + begin, m_ends[index] - begin);
  return true;
}

bool CTextColumn::Get(int64_t row, std::string& out) const {
  std::string_view view;
  if (!Get(row, view)) return false;
  out.assign(view.data(), view.size());
  return true;
}

void CTextColumn::Reset() {
  m_chars.reset();
  m_size = m_capacity = 0;
  m_ends.clear();
  m_ends.shrink_to_fit();
}

void CTextColumn::Clear() {
  m_size = 0;
  m_ends.clear();
}

void CTextColumn::Reserve(size_t rows, size_t chars) {
  if (m_ends.empty() && m_ends.capacity() > 2 * rows + 64) std::vector<uint32_t>().swap(m_ends);
  m_ends.reserve(rows);
  if (chars > m_capacity || (m_size == 0 && m_capacity > 2 * chars + 64)) {
    std::unique_ptr<char[]> bigger(new char[chars]);
    if (m_size != 0) std::memcpy(bigger.get(), m_chars.get(), m_size);
    m_chars = std::move(bigger);
    m_capacity = chars;
  }
}
