#include "map/internet_ok.h"

namespace {
int bInternetOk = 1;
}

int GetInternetOk() { return bInternetOk; }

void SetInternetOk(int bOk) { bInternetOk = bOk != 0 ? 1 : 0; }
