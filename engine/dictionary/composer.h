// What every composer offers the session: its candidates (the paging it inherits), its display
// line, and the operations the session calls whatever the layout. Each composer adds the keys of
// its own kind of typing.
#pragma once

#include <string>

#include "common/fixed_text.h"
#include "dictionary/candidates.h"

namespace revaze {

class Composer : public CandidatePaging {
public:
    using CandidatePaging::CandidatePaging;
    virtual ~Composer() = default;
    Composer(const Composer&) = delete;
    Composer& operator=(const Composer&) = delete;

    // Keys that make up the composition: 0 exactly when nothing is composed.
    virtual int keyCount() const = 0;
    // Empties the composition, its candidates and its lines.
    virtual void Reset() = 0;
    // Removes the last key.
    virtual void DeleteKey() = 0;
    // The text Enter commits: the composition as it stands.
    virtual std::wstring ComposedText() = 0;
    // Brings displayLine up to date with the composition; leaves it alone while nothing is typed.
    virtual void UpdateDisplayLine() = 0;

    // The first line of the composition window.
    FixedText<256> displayLine;
};

} // namespace revaze
