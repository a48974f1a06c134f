// No exception ever crosses an export, a COM method, a window procedure or DllMain: the body runs
// inside `guarded`, which answers the caller with `fallback` when anything is thrown and writes one
// debug line naming the entry point (the function that called guarded).
//
//   return guarded(E_FAIL, [&] { ...; return S_OK; });
#pragma once

#include <exception>
#include <source_location>

#include "platform/trace.h"

namespace revaze {

template <typename R, typename Body>
R guarded(R fallback, Body&& body,
          const std::source_location where = std::source_location::current()) noexcept {
    try {
        return static_cast<R>(body());
    } catch (const std::exception& failure) {
        TraceFailure(where.function_name(), failure.what());
    } catch (...) {
        TraceFailure(where.function_name(), nullptr);
    }
    return fallback;
}

// For an entry point that answers the same whatever happens.
template <typename Body>
void guarded(Body&& body,
             const std::source_location where = std::source_location::current()) noexcept {
    guarded(
        0,
        [&] {
            body();
            return 0;
        },
        where);
}

} // namespace revaze
