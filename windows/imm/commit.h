// The commit path: writing a result string into an input context's composition block and the two
// messages that announce it.
#pragma once

#include <string_view>

#include "imm/comp_block.h"
#include "imm/immdev.h"

namespace revaze {

// Writes an empty header in the fixed layout (size 500, offsets 100 and 300, both strings empty,
// cursor 0) into a block of at least 500 bytes and returns it.
COMPOSITIONSTRING* InitCompositionBlock(COMPOSITIONSTRING* block);

struct CommitOutcome {
    bool delivered = false; // the whole text is in the context and announced
    UINT messages = 0;      // messages written into the list (ImeToAsciiEx's result)
};

// Commits `text` whole as the result string of `himc` (mirrored as its composition string) and
// announces it with WM_IME_COMPOSITION (GCS_RESULTSTR) and WM_IME_ENDCOMPOSITION: in `messages`
// when it has room for both, otherwise (no list, a list with room for fewer than two, or
// REVAZE_IME_GENMSG=1 in the environment) through the context's message buffer and
// ImmGenerateMessage. Fails, and announces nothing, when the context cannot be locked, the block
// cannot be sized or locked for the whole text, or the messages cannot be queued.
CommitOutcome CommitResultString(HIMC himc, TRANSMSGLIST* messages, std::wstring_view text);

// True when REVAZE_IME_GENMSG=1: deliver every commit through hMsgBuf and ImmGenerateMessage.
// 64-bit Wine 8.0 reads the entries of the TRANSMSGLIST at the wrong offset, so there the list
// route loses the messages end to end.
bool messagesThroughContextBuffer();

// Sizes a freshly selected context's block to 500 bytes and empties both strings, writing a
// whole header into a block that has none.
void PrepareContext(HIMC himc);

} // namespace revaze
