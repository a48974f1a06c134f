// The candidate list as a TSF UI element: an application that draws the candidates itself (the
// harness's UI element manager, on its stand-in thread manager) and Wine's own manager, which
// begins none.
#pragma once

#include <msctf.h>

#include "tests/wine_tsf/key_route.h"

namespace tsfharness {

// Wine's real thread manager offers a UI element manager that begins nothing (E_NOTIMPL,
// pbShow and the id untouched). Call it where the service's candidates are up in Revaze's
// window: they are, so the service fell back as it should.
void CheckWineBeginsNoElement(ITfThreadMgr* real);

// A second service, activated on a stand-in for `real` whose UI element manager answers
// pbShow FALSE, then TRUE; keys through `keys`.
void CheckUiElements(ITfThreadMgr* real, TfClientId client, KeyRoute& keys);

} // namespace tsfharness
