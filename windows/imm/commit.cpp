#include "imm/commit.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace revaze {

namespace {

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

void writeString(std::byte* base, DWORD offset, std::wstring_view text) {
    auto* area = reinterpret_cast<wchar_t*>(base + offset);
    std::memcpy(area, text.data(), text.size() * sizeof(wchar_t));
    area[text.size()] = L'\0';
}

// Makes hCompStr exactly `wanted` bytes (growing it for a long text, and shrinking a block that
// an earlier long commit grew). False when the block cannot be had at that size.
bool fitBlock(INPUTCONTEXT& context, DWORD wanted) {
    HIMCC block = context.hCompStr;
    if (block != nullptr && ImmGetIMCCSize(block) == wanted) {
        return true;
    }
    HIMCC resized = block != nullptr ? ImmReSizeIMCC(block, wanted) : ImmCreateIMCC(wanted);
    if (resized == nullptr) {
        return false;
    }
    context.hCompStr = resized;
    return ImmGetIMCCSize(resized) >= wanted;
}

// Appends the messages to the context's message buffer; IMM32 delivers them on
// ImmGenerateMessage.
bool queueInContext(INPUTCONTEXT& context, const TRANSMSG* messages, DWORD count) {
    const DWORD queued = context.dwNumMsgBuf;
    // A buffer claiming more messages than memory can hold is not added to.
    if (queued > 0xFFFFu) {
        return false;
    }
    const DWORD bytes = (queued + count) * sizeof(TRANSMSG);
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

CommitOutcome CommitResultString(HIMC himc, TRANSMSGLIST* messages, std::wstring_view text) {
    const std::optional<CompBlockLayout> layout = compositionBlockLayout(text.size());
    if (himc == nullptr || !layout) {
        return {};
    }
    const TRANSMSG announce[2] = {
        {WM_IME_COMPOSITION, 0, GCS_RESULTSTR},
        {WM_IME_ENDCOMPOSITION, 0, 0},
    };
    const bool viaContext =
        messagesThroughContextBuffer() || messages == nullptr || messages->uMsgCount < 2;
    {
        ScopedIMC context(himc);
        if (!context || !fitBlock(*context.get(), layout->size)) {
            return {};
        }
        {
            ScopedIMCC block(context->hCompStr);
            if (!block) {
                return {};
            }
            auto* header = block.as<COMPOSITIONSTRING>();
            initBlock(header, *layout);
            writeString(block.bytes(), layout->compOffset, text);
            writeString(block.bytes(), layout->resultOffset, text);
            header->dwCompStrLen = static_cast<DWORD>(text.size());
            header->dwResultStrLen = static_cast<DWORD>(text.size());
        }
        if (!viaContext) {
            std::copy(std::begin(announce), std::end(announce), messages->TransMsg);
            return {true, 2};
        }
        if (!queueInContext(*context.get(), announce, 2)) {
            return {};
        }
    }
    // The context is unlocked again before IMM32 reads its message buffer. Once queued the
    // messages are IMM32's to deliver, so the commit counts as done whatever this answers.
    ImmGenerateMessage(himc);
    return {true, 0};
}

void PrepareContext(HIMC himc) {
    ScopedIMC context(himc);
    if (!context) {
        return;
    }
    HIMCC resized = ImmReSizeIMCC(context->hCompStr, kCompBlockSize);
    if (resized == nullptr) {
        // Keep the old block: the commit path sizes it again before writing.
        return;
    }
    context->hCompStr = resized;
    ScopedIMCC block(resized);
    if (!block || ImmGetIMCCSize(resized) < kCompBlockSize) {
        return;
    }
    auto* header = block.as<COMPOSITIONSTRING>();
    if (!headerUsable(header->dwCompStrOffset, header->dwResultStrOffset, kCompBlockSize)) {
        InitCompositionBlock(header);
    }
    header->dwCompStrLen = 0;
    *reinterpret_cast<wchar_t*>(block.bytes() + header->dwCompStrOffset) = L'\0';
    header->dwResultStrLen = 0;
    *reinterpret_cast<wchar_t*>(block.bytes() + header->dwResultStrOffset) = L'\0';
    header->dwCursorPos = 0;
}

} // namespace revaze
