// Keeps what the user types in the EWTS layout until it is committed: the Latin keys as one
// Extended Wylie string (at most 60 keys), its Tibetan, the composition line and the dictionary
// candidates for the Tibetan.
#pragma once

#include <string>

#include "dictionary/composer.h"
#include "dictionary/dictionary.h"

namespace revaze {

class EwtsComposer : public Composer {
public:
    static constexpr int kMaxKeys = 60;

    explicit EwtsComposer(const Dictionary* dictionary);

    int keyCount() const override { return static_cast<int>(keys_.size()); }
    const std::string& keys() const { return keys_; }
    // True when the composition holds only shads ("/", "//"): a shad typed then joins them.
    bool OnlyShads() const;
    bool EndsInSpace() const { return !keys_.empty() && keys_.back() == ' '; }
    // Set by the key handler when a commit ended with a shad and no key followed yet: a space
    // then is a real space, as EWTS writes it after a shad. Reset clears it.
    bool afterShad = false;

    void Reset() override;
    // Appends a printable key and refreshes the candidates; false (nothing changes) for a key
    // that is not printable ASCII or past the 60th.
    bool AddKey(char ch);
    // Removes the last key; the composition and candidates follow.
    void DeleteKey();
    // The Tibetan of the keys, without the tsheg of trailing spaces: what Enter commits.
    std::wstring ComposedText() const override;
    // "<keys>  <tibetan>"; empty while nothing is typed, except right after Backspace took the
    // only key: the line still shows that key until the composer is reset or another key comes.
    std::wstring DisplayLine() const override;

private:
    void refresh();

    std::string keys_;
    std::string lastDeleted_; // the only key, when Backspace took it
};

} // namespace revaze
