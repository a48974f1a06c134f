// What every composer offers the session: its candidates (the paging it inherits), its display
// line, and the operations the session calls whatever the layout. Each composer adds the keys of
// its own kind of typing.
#pragma once

#include <string>

#include "common/fixed_text.h"
#include "dictionary/candidates.h"

namespace revaze {

inline constexpr std::size_t kDisplayLineUnits = 256; // the display line, NUL included

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
    // The text Enter commits: the composition as it stands.
    virtual std::wstring ComposedText() const = 0;
    // The first line of the composition window, cut to kDisplayLineUnits - 1 code units; empty
    // while nothing is composed.
    virtual std::wstring DisplayLine() const = 0;
};

} // namespace revaze
