# The telemetry's portable code (sidecar reading, parser, table, store), built into the core library.
target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/trace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nmea_parser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_column.cpp
  ${CMAKE_CURRENT_LIST_DIR}/telemetry_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pulse_divisor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/telemetry_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/parse_description.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gforce_events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sidecar_times.cpp
)
