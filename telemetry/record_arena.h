// Storage for sentence records: a ten-hour sidecar holds about 290 000 of them,
// and one heap block each would cost both time and memory. Records are built in
// large chunks and destroyed through their base; the chunks go when the arena is reset.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "telemetry/nmea_records.h"

class CRecordArena {
 public:
  // Destroys a record in place; its memory belongs to the arena.
  struct Destroy {
    void operator()(nsNMEA::CNmeaCmdBase* record) const { record->~CNmeaCmdBase(); }
  };
  using Ptr = std::unique_ptr<nsNMEA::CNmeaCmdBase, Destroy>;

  template <class T>
  T* Make() {
    static_assert(alignof(T) <= kAlign, "record alignment");
    return new (Allocate(sizeof(T))) T();
  }

  // Only after every record built here has been destroyed. The chunks stay for
  // the next parse, so successive loads do not fault in fresh pages each time.
  void Reset() {
    m_current = 0;
    m_used = m_chunks.empty() ? kChunkBytes : 0;
  }

  // Frees the chunks the last parse did not need.
  void TrimUnused() {
    if (m_chunks.size() > m_current + 1) m_chunks.resize(m_current + 1);
  }

  // Frees everything.
  void Release() {
    m_chunks.clear();
    m_current = 0;
    m_used = kChunkBytes;
  }

 private:
  static constexpr size_t kAlign = alignof(std::max_align_t);
  static constexpr size_t kChunkBytes = 256 * 1024;

  void* Allocate(size_t bytes) {
    bytes = (bytes + kAlign - 1) / kAlign * kAlign;
    if (m_used + bytes > kChunkBytes) {
      if (!m_chunks.empty() && m_current + 1 < m_chunks.size()) {
        ++m_current;
      } else {
        m_chunks.emplace_back(new std::max_align_t[kChunkBytes / sizeof(std::max_align_t)]);
        m_current = m_chunks.size() - 1;
      }
      m_used = 0;
    }
    void* p = reinterpret_cast<char*>(m_chunks[m_current].get()) + m_used;
    m_used += bytes;
    return p;
  }

  std::vector<std::unique_ptr<std::max_align_t[]>> m_chunks;
  size_t m_current = 0;  // chunk being filled
  size_t m_used = kChunkBytes;
};
