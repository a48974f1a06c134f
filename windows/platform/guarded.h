// No exception ever crosses an export, a COM method, a window procedure or DllMain: the body runs
// inside `guarded`, which answers the caller with `fallback` when anything is thrown and writes one
// debug line naming the entry point (the function that called guarded).
//
//   return guarded(E_FAIL, [&] { ...; return S_OK; });
#pragma once

#include <exception>
#if __has_include(<source_location>)
#include <source_location>
#endif

#include "platform/trace.h"

namespace revaze {

// Where guarded was called: the entry point's full name where the library knows it, else (the
// ARM64 toolchain's library) the compiler's name of the function.
#if __has_include(<source_location>)
using CallSite = std::source_location;
inline const char* callerName(const CallSite& where) {
    return where.function_name();
}
#define REVAZE_CALL_SITE std::source_location::current()
#else
using CallSite = const char*;
inline const char* callerName(const char* where) {
    return where;
}
#define REVAZE_CALL_SITE __builtin_FUNCTION()
#endif

template <typename R, typename Body>
R guarded(R fallback, Body&& body, const CallSite where = REVAZE_CALL_SITE) noexcept {
    try {
        return static_cast<R>(body());
    } catch (const std::exception& failure) {
        TraceFailure(callerName(where), failure.what());
    } catch (...) {
        TraceFailure(callerName(where), nullptr);
    }
    return fallback;
}

// For an entry point that answers the same whatever happens.
template <typename Body>
void guarded(Body&& body, const CallSite where = REVAZE_CALL_SITE) noexcept {
    guarded(
        0,
        [&] {
            body();
            return 0;
        },
        where);
}

} // namespace revaze
