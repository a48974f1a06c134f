// Keys, clicks and menu choices through one Session, with a dictionary built from the input and a
// document that refuses commits at random. After every call the session's invariants are checked
// (session_invariants.h), and so is what the call committed: exactly what was composed, a
// candidate of the page that was shown, or one character while nothing was composed; after a
// refused commit nothing has changed at all.
//
// REVAZE_FUZZ_DICTIONARY=<file> in the environment uses that dictionary file instead (to time
// keys against the real one).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "common/keys.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/hostile_dictionary.h"
#include "fuzz/session_invariants.h"
#include "fuzz/slowest_call.h"
#include "session/key_text.h"
#include "session/session.h"

namespace revaze::fuzz {

namespace {

// Accepts or refuses each commit as the input says, and keeps what it was handed.
class FickleDocument final : public CommitSink {
public:
    explicit FickleDocument(FuzzedDataProvider& input) : input_(input) {}

    bool Commit(std::wstring_view text) override {
        ++attempts;
        if (input_.ConsumeIntegralInRange<int>(0, 3) == 0) {
            return false;
        }
        accepted.emplace_back(text);
        return true;
    }
    void clear() {
        attempts = 0;
        accepted.clear();
    }

    int attempts = 0;
    std::vector<std::wstring> accepted;

private:
    FuzzedDataProvider& input_;
};

struct EditingKey {
    unsigned vk;
    char ch;
};
constexpr EditingKey kEditingKeys[] = {
    {kVkReturn, '\r'}, {kVkBack, '\b'}, {kVkEscape, '\x1b'}, {kVkSpace, ' '},
    {kVkPrior, 0},     {kVkNext, 0},    {kVkShift, 0},       {kVkHelp, 0},
    {kVkTab, '\t'},    {kVkDelete, 0},  {kVkControl, 0},     {kVkLeft, 0},
};

// The keys the session acts on by their virtual key, whatever character they carry.
bool isEditingKey(unsigned vk) {
    switch (vk) {
    case kVkReturn:
    case kVkBack:
    case kVkEscape:
    case kVkSpace:
    case kVkPrior:
    case kVkNext:
    case kVkShift:
    case kVkHelp:
        return true;
    default:
        return false;
    }
}

const LayoutId kLayouts[] = {LayoutId::Wylie,    LayoutId::WylieF,    LayoutId::Himalaya,
                             LayoutId::Dzongkha, LayoutId::Sambhota1, LayoutId::Sambhota2,
                             LayoutId::Monlam,   LayoutId::Bzd,       LayoutId::Ewts};

// What a call may have committed, as far as the event tells.
enum class Expect { ComposedOrDirect, Composed, Candidate, Nothing };

struct Event {
    const char* what = "";
    std::optional<KeyEvent> key;
    Expect expect = Expect::Nothing;
    int candidate = 0; // 1..5 for a candidate choice
};

KeyEvent nextKey(FuzzedDataProvider& input, Event& event) {
    KeyEvent key;
    switch (input.ConsumeIntegralInRange<int>(0, 9)) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5: { // a printable character, as typed
        key.ch = static_cast<char>(input.ConsumeIntegralInRange<int>(0x20, 0x7E));
        key.vk = virtualKeyOf(key.ch);
        break;
    }
    case 6:
    case 7: {
        const EditingKey& editing =
            kEditingKeys[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kEditingKeys) - 1)];
        key.vk = editing.vk;
        key.ch = editing.ch;
        break;
    }
    case 8: // Shift, pressed or released (a lone tap switches the mode)
        key.vk = kVkShift;
        key.released = input.ConsumeBool();
        break;
    default: // anything at all
        key.vk = input.ConsumeIntegral<std::uint8_t>();
        key.ch = static_cast<char>(input.ConsumeIntegral<std::uint8_t>());
        key.released = input.ConsumeBool();
        key.ctrl = input.ConsumeBool();
        break;
    }
    event.what = "Key";
    // A digit chooses a candidate, unless its virtual key is one the session acts on first (the
    // star key only on the soft keyboard); then it may commit the composition instead.
    event.expect = Expect::ComposedOrDirect;
    if (key.ch >= '1' && key.ch <= '5') {
        event.candidate = key.ch - '0';
        if (!isEditingKey(key.vk)) {
            event.expect = Expect::Candidate;
        }
    }
    return key;
}

Result nextCall(Session& session, FuzzedDataProvider& input, FickleDocument& document,
                Event& event) {
    const int choice = input.ConsumeIntegralInRange<int>(0, 19);
    if (choice < 12) {
        const KeyEvent key = nextKey(input, event);
        event.key = key;
        const bool wouldTake = session.Test(key).take;
        Result result = timedCall("Key", [&] { return session.Key(key, document); });
        FUZZ_CHECK(result.taken == wouldTake);
        return result;
    }
    switch (choice) {
    case 12:
        event.what = "ToggleInputMode";
        return timedCall(event.what, [&] { return session.ToggleInputMode(); });
    case 13:
        event.what = "ToggleSoftKeyboard";
        return timedCall(event.what, [&] { return session.ToggleSoftKeyboard(); });
    case 14: {
        event.what = "SelectLayout";
        const LayoutId layout =
            input.ConsumeBool()
                ? kLayouts[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kLayouts) - 1)]
                : static_cast<LayoutId>(input.ConsumeIntegral<std::int8_t>());
        return timedCall(event.what, [&] { return session.SelectLayout(layout); });
    }
    case 15: {
        event.what = "ShowSoftPage";
        const int page = input.ConsumeIntegralInRange<int>(-1, 7);
        return timedCall(event.what, [&] { return session.ShowSoftPage(page); });
    }
    case 16: {
        const bool previous = input.ConsumeBool();
        event.what = previous ? "PrevPage" : "NextPage";
        return timedCall(event.what,
                         [&] { return previous ? session.PrevPage() : session.NextPage(); });
    }
    case 17: {
        event.what = "SelectCandidate";
        event.expect = Expect::Candidate;
        event.candidate = input.ConsumeIntegralInRange<int>(-1, 7);
        return timedCall(event.what,
                         [&] { return session.SelectCandidate(event.candidate, document); });
    }
    case 18:
        event.what = "Complete";
        event.expect = Expect::Composed;
        return timedCall(event.what, [&] { return session.Complete(document); });
    default:
        event.what = "Cancel";
        return timedCall(event.what, [&] { return session.Cancel(); });
    }
}

// What reached the document is what the event may commit: what was composed (with a closing shad
// for '/'), the chosen candidate of the page shown before, or one direct character while nothing
// was composed.
void checkCommit(const Event& event, const View& before, const Result& result,
                 const FickleDocument& document, const Session& session) {
    // At most one commit per call; only a commit that was attempted can be accepted.
    FUZZ_CHECK(document.attempts <= 1);
    std::wstring accepted;
    for (const std::wstring& text : document.accepted) {
        accepted += text;
    }
    FUZZ_CHECK(result.committed == accepted);
    FUZZ_CHECK(result.commitFailed == (document.attempts == 1 && document.accepted.empty()));
    if (result.commitFailed) {
        // The composition, its candidates and the page are as they were: the user can retry.
        FUZZ_CHECK(before == result.view);
        return;
    }
    if (document.accepted.empty()) {
        return;
    }
    const std::wstring& text = document.accepted.front();
    const bool direct = !before.composing && text.size() == 1;
    const bool composed = text == before.composedText || text == before.composedText + L"\u0F0D" ||
                          text == before.composedText + L"\u0F0B\u0F0D";
    const bool chosen = event.candidate >= 1 &&
                        static_cast<std::size_t>(event.candidate) <= before.candidates.size() &&
                        text == before.candidates[static_cast<std::size_t>(event.candidate - 1)];
    switch (event.expect) {
    case Expect::Nothing:
        FUZZ_CHECK(!"a call that commits nothing committed");
        break;
    case Expect::Composed:
        FUZZ_CHECK(before.composing && text == before.composedText);
        break;
    case Expect::Candidate:
        FUZZ_CHECK(chosen || direct);
        break;
    case Expect::ComposedOrDirect:
        FUZZ_CHECK(composed || direct || chosen);
        break;
    }
    // Whatever arrived, the composition it came from is gone.
    FUZZ_CHECK(!session.view().composing);
    FUZZ_CHECK(session.view().candidates.empty());
}

// REVAZE_FUZZ_TRACE=1 prints every call and what it left, to read a finding.
bool tracing() {
    static const bool on = [] {
        const char* value = std::getenv("REVAZE_FUZZ_TRACE");
        return value != nullptr && value[0] == '1';
    }();
    return on;
}

std::string hexUnits(std::wstring_view text) {
    std::string out;
    char unit[8];
    for (wchar_t c : text) {
        std::snprintf(unit, sizeof unit, " %04X", static_cast<unsigned>(c));
        out += unit;
    }
    return out;
}

void trace(const Event& event, const Result& result, const FickleDocument& document) {
    std::fprintf(stderr, "%s", event.what);
    if (const auto& key = event.key) {
        std::fprintf(stderr, " %s", keyText(*key).c_str());
    }
    const View& v = result.view;
    std::fprintf(stderr,
                 " -> taken %d, %d attempt(s), committed [%s]%s; mode %d layout %d soft %d/%d, "
                 "composed [%s], %zu candidates from %d\n",
                 result.taken, document.attempts, hexUnits(result.committed).c_str(),
                 result.commitFailed ? " (refused)" : "", static_cast<int>(v.mode),
                 static_cast<int>(v.state.layoutId), v.state.softVisible, v.state.softPage,
                 hexUnits(v.composedText).c_str(), v.candidateCount, v.pageFirst);
}

const char* externalDictionaryPath() {
    const char* path = std::getenv("REVAZE_FUZZ_DICTIONARY");
    return path != nullptr && *path != '\0' ? path : nullptr;
}

const Dictionary* externalDictionary() {
    static const std::unique_ptr<Dictionary> external = []() -> std::unique_ptr<Dictionary> {
        const char* path = externalDictionaryPath();
        if (path == nullptr) {
            return nullptr;
        }
        std::ostringstream diagnostics;
        auto dictionary = openDictionary(path, diagnostics);
        if (dictionary == nullptr) {
            std::fprintf(stderr, "%s", diagnostics.str().c_str());
            std::abort();
        }
        return dictionary;
    }();
    return external.get();
}

} // namespace

} // namespace revaze::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Made before the exit handler is registered, so that it is destroyed after the handler ran.
    revaze::fuzz::slowestCall();
    std::atexit(revaze::fuzz::printSlowestCall);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace revaze;
    using namespace revaze::fuzz;
    FuzzedDataProvider input(data, size);
    std::unique_ptr<Dictionary> own;
    const Dictionary* dictionary = externalDictionary();
    // The external dictionary is large: its candidates are listed once.
    static const std::unordered_set<std::wstring> externalOffered =
        dictionary != nullptr ? offeredCandidates(std::filesystem::path(externalDictionaryPath()))
                              : std::unordered_set<std::wstring>();
    std::unordered_set<std::wstring> ownOffered;
    if (dictionary == nullptr) {
        const std::string bytes = hostileDictionaryBytes(input);
        own = dictionaryFromBytes(bytes);
        ownOffered = offeredCandidates(bytes);
        dictionary = own.get();
    }
    const auto& offered = own != nullptr ? ownOffered : externalOffered;

    Session session(dictionary);
    FickleDocument document(input);
    checkSession(session, offered);
    while (input.remaining_bytes() > 0) {
        const View before = session.view();
        document.clear();
        Event event;
        const Result result = nextCall(session, input, document, event);
        if (tracing()) {
            trace(event, result, document);
        }
        if (slowestCall().lastWasSlowest) {
            std::snprintf(slowestCall().detail, sizeof slowestCall().detail,
                          "layout %d, soft %d, composed [%s] -> [%s], %zu candidates",
                          static_cast<int>(before.state.layoutId), before.state.softVisible,
                          hexUnits(before.composedText).c_str(),
                          hexUnits(result.view.composedText).c_str(), result.view.candidateCount);
        }
        FUZZ_CHECK(result.view == session.view());
        checkSession(session, offered);
        checkCommit(event, before, result, document, session);
    }
    return 0;
}
