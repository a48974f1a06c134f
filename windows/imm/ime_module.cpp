#include "imm/ime_module.h"

#include "imm/commit.h"
#include "platform/forwarder.h"
#include "platform/registry_settings.h"
#include "platform/srw_lock.h"
#include "ui/system_dictionary.h"

revaze::ImeModule* g_module = nullptr;

namespace revaze {

void ImeModule::RegisterWindowClasses() {
    CUIFrame::RegisterClassIn(instance_, UIWndProc);
    CUIComp::RegisterClassIn(instance_, CompWndProc);
    CUIStat::RegisterClassIn(instance_);
    CUISoft::RegisterClassIn(instance_);
}

void ImeModule::RegisterForwarderClass() {
    if (forwarder_ != nullptr) {
        return;
    }
    // IMM32 creates the UI window with the instance of the file it loaded, which for an input
    // method behind a forwarder is the forwarder's.
    HMODULE front = ForwarderOf(instance_, L"Revaze.ime", "ImeInquire");
    if (front != nullptr && CUIFrame::RegisterClassIn(front, UIWndProc)) {
        forwarder_ = front;
    }
}

void ImeModule::UnregisterWindowClasses() {
    if (forwarder_ != nullptr) {
        UnregisterClassW(kUiFrameClass, forwarder_);
    }
    for (const wchar_t* name : {kUiFrameClass, kCompClass, kStatClass, kSoftClass}) {
        UnregisterClassW(name, instance_);
    }
}

ImeThread* ImeModule::existingThread() {
    AcquireSRWLockShared(&threadsLock_);
    auto found = threads_.find(GetCurrentThreadId());
    ImeThread* state = found != threads_.end() ? found->second.get() : nullptr;
    ReleaseSRWLockShared(&threadsLock_);
    return state;
}

ImeThread& ImeModule::thread() {
    if (ImeThread* state = existingThread()) {
        return *state;
    }
    // Made outside the lock (it creates fonts); only this thread adds its own entry.
    auto state = std::make_unique<ImeThread>(instance_, UIWndProc, CompWndProc);
    ImeThread& made = *state;
    {
        ExclusiveLock lock(threadsLock_);
        threads_.emplace(GetCurrentThreadId(), std::move(state));
    }
    return made;
}

void ImeModule::ReleaseThread() {
    std::unique_ptr<ImeThread> state;
    AcquireSRWLockExclusive(&threadsLock_);
    auto found = threads_.find(GetCurrentThreadId());
    if (found != threads_.end()) {
        state = std::move(found->second);
        threads_.erase(found);
    }
    ReleaseSRWLockExclusive(&threadsLock_);
    // Deleted outside the lock.
}

void ImeModule::ReleaseAll() {
    std::map<DWORD, std::unique_ptr<ImeThread>> all;
    AcquireSRWLockExclusive(&threadsLock_);
    all.swap(threads_);
    ReleaseSRWLockExclusive(&threadsLock_);
}

BOOL CALLBACK ImeModule::loadDictionary(PINIT_ONCE, PVOID parameter, PVOID*) {
    auto* module = static_cast<ImeModule*>(parameter);
    module->dictionary_ = LoadSystemDictionary();
    return TRUE;
}

const Dictionary* ImeModule::dictionary() {
    InitOnceExecuteOnce(&dictionaryOnce_, loadDictionary, this, nullptr);
    return dictionary_.get();
}

void ImeModule::FollowSettings() {
    // Each thread's session takes the policy when it differs: a change seen first by another
    // thread still reaches this one.
    const Settings settings = ProcessSettings().Current();
    if (ImeThread* state = existingThread()) {
        state->FollowSettings(settings);
    }
}

bool ContextSink::Commit(std::wstring_view text) {
    const CommitOutcome outcome = CommitResultString(himc_, list_, text);
    messages_ += outcome.messages;
    return outcome.delivered;
}

} // namespace revaze
