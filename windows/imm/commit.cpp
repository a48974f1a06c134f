#include "imm/commit.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace revaze {

namespace {

constexpr DWORD kUnit = sizeof(wchar_t);

void initBlock(COMPOSITIONSTRING* block, const CompBlockLayout& layout) {
    auto* base = reinterpret_cast<std::byte*>(block);
    block->dwSize = layout.size;
    block->dwCompStrOffset = layout.compOffset;
    block->dwCompStrLen = 0;
    *reinterpret_cast<wchar_t*>(base + layout.compOffset) = L'\0';
    block->dwResultStrOffset = layout.resultOffset;
    block->dwResultStrLen = 0;
    *reinterpret_cast<wchar_t*>(base + layout.resultOffset) = L'\0';
    block->dwCursorPos = 0;
}

void writeString(std::byte* base, DWORD offset, const wchar_t* text, std::size_t length) {
    auto* area = reinterpret_cast<wchar_t*>(base + offset);
    std::memcpy(area, text, length * kUnit);
    area[length] = L'\0';
}

// Makes hCompStr exactly the size the layout needs (growing it for a long text, and shrinking a
// block that an earlier long commit grew). Returns the usable size, 0 when there is no block.
DWORD fitBlock(INPUTCONTEXT& context, DWORD wanted) {
    HIMCC block = context.hCompStr;
    DWORD have = block != nullptr ? ImmGetIMCCSize(block) : 0;
    if (have == wanted) {
        return have;
    }
    HIMCC resized = block != nullptr ? ImmReSizeIMCC(block, wanted) : ImmCreateIMCC(wanted);
    if (resized == nullptr) {
        return have;
    }
    context.hCompStr = resized;
    return wanted;
}

// Appends the messages to the context's message buffer; IMM32 delivers them on
// ImmGenerateMessage.
bool queueInContext(INPUTCONTEXT& context, const TRANSMSG* messages, DWORD count) {
    DWORD queued = context.dwNumMsgBuf;
    DWORD bytes = (queued + count) * sizeof(TRANSMSG);
    HIMCC buffer =
        context.hMsgBuf != nullptr ? ImmReSizeIMCC(context.hMsgBuf, bytes) : ImmCreateIMCC(bytes);
    if (buffer == nullptr) {
        return false;
    }
    context.hMsgBuf = buffer;
    ScopedIMCC memory(buffer);
    if (!memory) {
        return false;
    }
    std::copy(messages, messages + count, memory.as<TRANSMSG>() + queued);
    context.dwNumMsgBuf = queued + count;
    return true;
}

} // namespace

CompBlockLayout compositionBlockLayout(std::size_t length) {
    if (length < kStringAreaUnits) {
        return {kCompBlockSize, kCompStrOffset, kResultStrOffset};
    }
    const auto area = static_cast<DWORD>((length + 1) * kUnit);
    return {kCompStrOffset + 2 * area, kCompStrOffset, kCompStrOffset + area};
}

COMPOSITIONSTRING* InitCompositionBlock(COMPOSITIONSTRING* block) {
    initBlock(block, {kCompBlockSize, kCompStrOffset, kResultStrOffset});
    return block;
}

bool messagesThroughContextBuffer() {
    std::array<wchar_t, 4> value{};
    DWORD n = GetEnvironmentVariableW(L"REVAZE_IME_GENMSG", value.data(),
                                      static_cast<DWORD>(value.size()));
    return n == 1 && value[0] == L'1';
}

UINT CommitResultString(HIMC himc, TRANSMSGLIST* messages, const wchar_t* text,
                        std::size_t length) {
    if (himc == nullptr || text == nullptr) {
        return 0;
    }
    length = std::min(length, kMaxCommitUnits);
    const TRANSMSG announce[2] = {
        {WM_IME_COMPOSITION, 0, GCS_RESULTSTR},
        {WM_IME_ENDCOMPOSITION, 0, 0},
    };
    bool viaContext =
        messagesThroughContextBuffer() || messages == nullptr || messages->uMsgCount < 2;
    {
        ScopedIMC context(himc);
        if (!context) {
            return 0;
        }
        CompBlockLayout layout = compositionBlockLayout(length);
        DWORD size = fitBlock(*context.get(), layout.size);
        if (size < layout.size) {
            // The block could not grow: keep what the fixed layout holds rather than write
            // past the end.
            layout = compositionBlockLayout(0);
            length = std::min(length, kStringAreaUnits - 1);
            if (size < layout.size) {
                return 0;
            }
        }
        {
            ScopedIMCC block(context->hCompStr);
            if (!block) {
                return 0;
            }
            auto* header = block.as<COMPOSITIONSTRING>();
            initBlock(header, layout);
            writeString(block.bytes(), layout.compOffset, text, length);
            writeString(block.bytes(), layout.resultOffset, text, length);
            header->dwCompStrLen = static_cast<DWORD>(length);
            header->dwResultStrLen = static_cast<DWORD>(length);
        }
        if (!viaContext) {
            std::copy(std::begin(announce), std::end(announce), messages->TransMsg);
            return 2;
        }
        if (!queueInContext(*context.get(), announce, 2)) {
            return 0;
        }
    }
    // The context is unlocked again before IMM32 reads its message buffer.
    ImmGenerateMessage(himc);
    return 0;
}

} // namespace revaze
