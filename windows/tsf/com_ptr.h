// One owned reference to a COM interface, released when the holder goes. Every interface pointer
// the text service keeps or receives with a reference lives in one of these.
#pragma once

#include <unknwn.h>

#include <utility>

namespace revaze::tsf {

template <typename T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference to `raw` (an interface pointer borrowed from a caller).
    explicit ComPtr(T* raw) : p_(raw) {
        if (p_ != nullptr) {
            p_->AddRef();
        }
    }
    ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { reset(); }

    ComPtr& operator=(const ComPtr& other) {
        ComPtr copy(other);
        swap(copy);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        ComPtr moved(std::move(other));
        swap(moved);
        return *this;
    }

    // Adopts a reference the caller already owns (a pointer returned by a COM call).
    static ComPtr adopt(T* raw) {
        ComPtr result;
        result.p_ = raw;
        return result;
    }

    void reset() {
        if (T* old = std::exchange(p_, nullptr)) {
            old->Release();
        }
    }
    // Drops the held reference and hands out the slot for a COM call's out-parameter.
    T** put() {
        reset();
        return &p_;
    }
    // The slot as COM's void** out-parameters want it.
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    // Gives up the reference without releasing it.
    T* detach() { return std::exchange(p_, nullptr); }
    void swap(ComPtr& other) noexcept { std::swap(p_, other.p_); }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // Another interface of the same object; empty when the object does not have it.
    template <typename U> ComPtr<U> query() const {
        ComPtr<U> result;
        if (p_ != nullptr) {
            p_->QueryInterface(__uuidof(U), result.putVoid());
        }
        return result;
    }

    // Hands a new reference out through a COM out-parameter.
    HRESULT copyTo(T** out) const {
        if (out == nullptr) {
            return E_INVALIDARG;
        }
        *out = p_;
        if (p_ != nullptr) {
            p_->AddRef();
        }
        return S_OK;
    }

private:
    T* p_ = nullptr;
};

template <typename T> bool operator==(const ComPtr<T>& a, const ComPtr<T>& b) {
    return a.get() == b.get();
}

} // namespace revaze::tsf
