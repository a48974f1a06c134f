// Debug lines for developers and field reports, written with OutputDebugString (a debugger or a
// debug-output viewer shows them). Nothing here allocates or throws: the lines are written at the
// boundary to Windows, often while an exception is being stopped.
#pragma once

namespace revaze {

struct KeyEvent;
struct Result;

// One line: the entry point `where` stopped an exception; `what` is its message, or null when it
// was no std::exception.
void TraceFailure(const char* where, const char* what) noexcept;

// The key trace is on when the environment variable REVAZE_TRACE is 1; it is read once, by the
// first call of the process. Off, it costs a test of one flag per key.
bool KeyTraceOn() noexcept;
// One line per key event while the key trace is on: the key, what the session decided, and what
// the view then shows. `where` names the front end's call.
void TraceKey(const char* where, const KeyEvent& key, const Result& result) noexcept;

} // namespace revaze
