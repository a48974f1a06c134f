// What the session tests share: a sink that records commits (or refuses them) and key helpers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/keys.h"
#include "dictionary/test_dictionary.h"
#include "session/session.h"

namespace revaze::test {

class RecordingSink final : public CommitSink {
public:
    bool Commit(std::wstring_view text) override {
        ++attempts;
        if (!accept) {
            return false;
        }
        commits.emplace_back(text);
        return true;
    }
    std::vector<std::wstring> commits;
    int attempts = 0;
    bool accept = true;
};

inline KeyEvent press(unsigned vk, char ch = 0) {
    return {vk, ch, false, false};
}
inline KeyEvent release(unsigned vk) {
    return {vk, 0, true, false};
}

// Presses and releases each character's key.
inline Result type(Session& session, std::string_view keys, CommitSink& sink) {
    Result last;
    for (char c : keys) {
        last = session.Key(press(virtualKeyOf(c), c), sink);
        session.Key(release(virtualKeyOf(c)), sink);
    }
    return last;
}

inline Result tap(Session& session, unsigned vk, CommitSink& sink, char ch = 0) {
    Result result = session.Key(press(vk, ch), sink);
    session.Key(release(vk), sink);
    return result;
}

// A dictionary of the given words, CR LF after each.
inline Dictionary dictionaryOf(const std::vector<std::wstring>& words) {
    return dictionaryOfWords(words);
}

} // namespace revaze::test
