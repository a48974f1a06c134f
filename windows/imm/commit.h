// The commit path: the composition-string block of an input context and the two messages that
// announce a result string.
#pragma once

#include <cstddef>

#include "imm/immdev.h"

namespace revaze {

// The block: a COMPOSITIONSTRING header, then two areas of 100 UTF-16 units (99 plus the
// terminator) for the composition and the result string.
inline constexpr DWORD kCompBlockSize = 500;
inline constexpr DWORD kCompStrOffset = 100;
inline constexpr DWORD kResultStrOffset = 300;
inline constexpr std::size_t kStringAreaUnits = 100;
// Longer commits are refused beyond this many units; no composer comes near it.
inline constexpr std::size_t kMaxCommitUnits = 65536;

struct CompBlockLayout {
    DWORD size;
    DWORD compOffset;
    DWORD resultOffset;
};

// Where a commit of `length` units goes: the fixed 500-byte layout while the text fits its
// 99-unit areas, otherwise a larger block with the result area right after the composition one.
CompBlockLayout compositionBlockLayout(std::size_t length);

// Writes an empty header in the fixed layout (size 500, offsets 100 and 300, both strings empty,
// cursor 0) and returns the block.
COMPOSITIONSTRING* InitCompositionBlock(COMPOSITIONSTRING* block);

// Commits `length` units of `text` as the result string of `himc` (also mirrored as its
// composition string) and announces it with WM_IME_COMPOSITION (GCS_RESULTSTR) and
// WM_IME_ENDCOMPOSITION. Returns the number of messages written into `messages`: 2, or 0 when
// the context is missing or unusable, or when the messages went through the context's own
// message buffer (a list with room for fewer than two, or REVAZE_IME_GENMSG=1 in the environment)
// and were delivered with ImmGenerateMessage.
UINT CommitResultString(HIMC himc, TRANSMSGLIST* messages, const wchar_t* text, std::size_t length);

// True when REVAZE_IME_GENMSG=1: deliver every commit through hMsgBuf and ImmGenerateMessage.
// 64-bit Wine 8.0 reads the entries of the TRANSMSGLIST at the wrong offset, so there the list
// route loses the messages end to end.
bool messagesThroughContextBuffer();

} // namespace revaze
