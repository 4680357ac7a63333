#include "map/internet_ok.h"

namespace {
int bInternetOk = 1;
MapOffReason reason = MapOffReason::kNoConnection;
}  // namespace

int GetInternetOk() { return bInternetOk; }

void SetInternetOk(int bOk) {
  bInternetOk = bOk != 0 ? 1 : 0;
  reason = MapOffReason::kNoConnection;
}

void SetMapUnavailable() {
  bInternetOk = 0;
  reason = MapOffReason::kMapUnavailable;
}

MapOffReason GetMapOffReason() { return reason; }

const char* MapOffText() {
  return reason == MapOffReason::kMapUnavailable ? "Map unavailable" : "No connection";
}
