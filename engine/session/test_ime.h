// A complete engine with a recording host, for the key-routing tests.
#pragma once

#include "session/key_router.h"
#include "session/recording_host.h"

namespace revaze {

struct TestIme {
    explicit TestIme(const Dictionary* dictionary = nullptr)
        : wylie(dictionary), layout(dictionary), soft(dictionary),
          router(ImeParts{state, wylie, layout, soft, host}) {}

    InputState state;
    WylieComposer wylie;
    LayoutComposer layout;
    SoftKeyComposer soft;
    RecordingHost host;
    KeyRouter router;

    ImeParts& parts() { return router.parts(); }
};

} // namespace revaze
