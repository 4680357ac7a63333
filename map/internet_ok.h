// The process-wide internet-ok flag: 1 while the map may be showing, 0 while
// the main window draws its offline picture in the map area (and the tick
// retries the map). Set at start; the map window sets and clears it.
// Window thread only.
#pragma once

int GetInternetOk();
void SetInternetOk(int bOk);
