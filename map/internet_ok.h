// The process-wide internet-ok flag: 1 while the map may be showing, 0 while
// the main window draws its offline picture in the map area (and the tick
// retries the map). Set at start; the map window sets and clears it, and says
// why it cleared it. Window thread only.
#pragma once

int GetInternetOk();
// 0 means the connection check failed.
void SetInternetOk(int bOk);

enum class MapOffReason {
  kNoConnection,    // the connection check failed
  kMapUnavailable,  // the web view could not be started or failed; the network may be fine
};
// Clears the flag because the web view failed.
void SetMapUnavailable();
MapOffReason GetMapOffReason();
// What the map area says while the flag is clear.
const char* MapOffText();
