// Where a session's commits go: the front end's document, input context or edit box.
#pragma once

#include <string_view>

namespace revaze {

class CommitSink {
public:
    virtual ~CommitSink() = default;
    // Hands `text` to the application whole. Returns false when it did not arrive whole: the
    // session then keeps the composition as it was, so that the user can try again.
    virtual bool Commit(std::wstring_view text) = 0;
};

// For calls that never commit (a refused key, a click): refuses whatever reaches it.
class NoCommits final : public CommitSink {
public:
    bool Commit(std::wstring_view) override { return false; }
};

} // namespace revaze
