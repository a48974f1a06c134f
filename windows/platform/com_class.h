// QueryInterface, AddRef and Release, written once: a class names the interfaces it implements
// and the template answers for each of them. An object starts with one reference (held by whoever
// created it, see ComPtr::adopt) and deletes itself at the last Release. `Counter` hears of every
// object's birth and death: the DLL counts its live objects for DllCanUnloadNow, a test harness
// counts nothing (`Uncounted`).
#pragma once

#include <unknwn.h>

#include <atomic>

namespace revaze {

// An interface the class implements that also answers for the interfaces it derives from: a
// caller may ask for ITfTextInputProcessor and get the ITfTextInputProcessorEx.
template <typename Interface, typename... Bases> struct Chain {};

struct Uncounted {
    static void Created() {}
    static void Destroyed() {}
};

namespace detail {

template <typename Entry> struct ComEntry {
    using Interface = Entry;
    static bool answers(REFIID riid) { return riid == __uuidof(Entry); }
};

template <typename Interface_, typename... Bases> struct ComEntry<Chain<Interface_, Bases...>> {
    using Interface = Interface_;
    static bool answers(REFIID riid) {
        return riid == __uuidof(Interface_) || ((riid == __uuidof(Bases)) || ...);
    }
};

template <typename First, typename...> struct FirstOf { using Type = First; };

} // namespace detail

template <typename Counter, typename... Entries>
class ComClass : public detail::ComEntry<Entries>::Interface... {
public:
    ComClass() { Counter::Created(); }
    ComClass(const ComClass&) = delete;
    ComClass& operator=(const ComClass&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = find(riid);
        if (*out != nullptr && riid != IID_IUnknown && !offers(riid)) {
            *out = nullptr;
        }
        if (*out == nullptr) {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --refs_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    virtual ~ComClass() { Counter::Destroyed(); }
    // Whether this object offers `riid`, one of its interfaces: an object whose shape decides
    // (a list that can be selected, a button that can be invoked) says no to the others.
    virtual bool offers(REFIID) const { return true; }

private:
    // This object as the interface `riid` names; null when it has none. IUnknown is always the
    // first interface's pointer, so that it identifies the object.
    void* find(REFIID riid) {
        using First =
            typename detail::ComEntry<typename detail::FirstOf<Entries...>::Type>::Interface;
        if (riid == IID_IUnknown) {
            return static_cast<First*>(this);
        }
        void* found = nullptr;
        // Stops at the first entry that answers.
        ((detail::ComEntry<Entries>::answers(riid) &&
          (found = static_cast<typename detail::ComEntry<Entries>::Interface*>(this), true)) ||
         ...);
        return found;
    }

    std::atomic<ULONG> refs_{1};
};

} // namespace revaze
