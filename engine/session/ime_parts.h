// The objects one key touches: the input state, the three composers and the host they act
// through. The DLL builds one from its process-wide objects; the tool and the tests from locals.
#pragma once

#include "layouts/layout_composer.h"
#include "layouts/soft_key_composer.h"
#include "session/host.h"
#include "session/input_state.h"
#include "wylie/wylie_composer.h"

namespace revaze {

struct ImeParts {
    InputState& state;
    WylieComposer& wylie;
    LayoutComposer& layout;
    SoftKeyComposer& soft;
    ImeHost& host;
};

// Calls `f` with the composer that the input state makes active and returns its result.
template <typename F> decltype(auto) withActiveComposer(ImeParts& ime, F&& f) {
    switch (ime.state.activeComposer()) {
    case ActiveComposer::SoftKey:
        return f(ime.soft);
    case ActiveComposer::Layout:
        return f(ime.layout);
    case ActiveComposer::Wylie:
    default:
        return f(ime.wylie);
    }
}

} // namespace revaze
