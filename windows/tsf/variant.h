// A VARIANT that clears itself: whatever a call wrote into it (a string, an interface) is freed
// when the holder goes, on every path out of the caller.
#pragma once

#include <oleauto.h>

#include <optional>

namespace revaze::tsf {

class Variant {
public:
    Variant() { VariantInit(&value_); }
    // A 32-bit integer (VT_I4), as compartments and properties hold them.
    explicit Variant(LONG value) : Variant() {
        value_.vt = VT_I4;
        value_.lVal = value;
    }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    // Cleared, for a COM call's out-parameter.
    VARIANT* put() {
        VariantClear(&value_);
        return &value_;
    }
    const VARIANT* get() const { return &value_; }
    // The integer it holds; empty for any other type (VT_EMPTY included).
    std::optional<LONG> integer() const {
        return value_.vt == VT_I4 ? std::optional<LONG>(value_.lVal) : std::nullopt;
    }

private:
    VARIANT value_;
};

} // namespace revaze::tsf
