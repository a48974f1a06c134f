// A zero-terminated UTF-16 text held in a fixed array, as the composers and windows keep their
// lines. Every write is bounded: text that does not fit is cut at the capacity, never written
// past it.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace revaze {

template <std::size_t Capacity> class FixedText {
    static_assert(Capacity >= 1, "room for the terminator is needed");

public:
    static constexpr std::size_t capacity = Capacity;      // code units including the NUL
    static constexpr std::size_t maxLength = Capacity - 1; // code units of text

    FixedText() { clear(); }

    void clear() {
        buffer_.fill(L'\0');
        length_ = 0;
    }
    const wchar_t* c_str() const { return buffer_.data(); }
    // Writable storage for a drawing call that may modify the text in place (an ellipsis).
    wchar_t* data() { return buffer_.data(); }
    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }
    std::wstring_view view() const { return {buffer_.data(), length_}; }
    std::wstring str() const { return std::wstring(view()); }
    wchar_t operator[](std::size_t i) const { return i < length_ ? buffer_[i] : L'\0'; }
    wchar_t back() const { return length_ ? buffer_[length_ - 1] : L'\0'; }

    // Appends as much of `text` as fits; returns false when something was cut.
    bool append(std::wstring_view text) {
        std::size_t room = maxLength - length_;
        std::size_t n = text.size() < room ? text.size() : room;
        for (std::size_t i = 0; i < n; ++i) {
            buffer_[length_ + i] = text[i];
        }
        length_ += n;
        buffer_[length_] = L'\0';
        return n == text.size();
    }
    bool push_back(wchar_t c) { return append(std::wstring_view(&c, 1)); }
    bool assign(std::wstring_view text) {
        clear();
        return append(text);
    }
    // Removes the last code unit, if any.
    void pop_back() {
        if (length_ > 0) {
            buffer_[--length_] = L'\0';
        }
    }
    // Replaces the last code unit; does nothing on an empty text.
    void set_back(wchar_t c) {
        if (length_ > 0) {
            buffer_[length_ - 1] = c;
        }
    }

private:
    std::array<wchar_t, Capacity> buffer_{};
    std::size_t length_ = 0;
};

} // namespace revaze
