// `revaze type`: one freshly loaded input method typing a key script into an empty edit box,
// through the same key router and handlers as the DLL.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary.h"
#include "session/key_router.h"
#include "session/recording_host.h"

namespace revaze {

// One key event of a script token.
struct KeyEvent {
    enum Kind { Press, Release, ModeClick, SoftClick, LayoutChoice } kind = Press;
    unsigned vk = 0;
    char ch = 0;      // the character the key types (0 for none)
    int layoutId = 0; // for LayoutChoice
};

struct ScriptToken {
    std::string text; // as written in the script: "k", "{Enter}", "{Shift+K}"
    std::vector<KeyEvent> events;
};

// Splits a script into tokens; on an unknown "{...}" token returns nothing and sets `error`.
std::optional<std::vector<ScriptToken>> parseScript(std::string_view script, std::string& error);

// The virtual key of a printable ASCII character on a US keyboard.
unsigned virtualKeyOf(char c);

// What a trace line reports after a token.
struct TraceRecord {
    std::string key;
    std::wstring commit; // what this token committed
    std::wstring text;   // the edit box
    std::wstring display;
    std::vector<std::wstring> candidates;
    int mode = 1;
    std::string layout;
    int soft = 0;
    int page = 1;
};
std::string traceJson(const TraceRecord& record);

class Simulator {
public:
    explicit Simulator(const Dictionary* dictionary);

    // Chooses a layout from the layout menu; false for an unknown name.
    bool chooseLayout(std::string_view name);
    // Runs the token's events: each press goes to ProcessKey and, when taken, to ToAsciiEx; each
    // release to ProcessKey. Keys the input method does not take act on the edit box.
    void run(const ScriptToken& token);
    TraceRecord trace(const std::string& key, const std::wstring& committed);

    const std::wstring& text() const { return box_; }
    RecordingHost& host() { return host_; }
    ImeParts& parts() { return router_.parts(); }

private:
    void press(const KeyEvent& event);
    void release(const KeyEvent& event);
    void applyToBox(const KeyEvent& event);

    InputState state_;
    WylieComposer wylie_;
    LayoutComposer layout_;
    SoftKeyComposer soft_;
    RecordingHost host_;
    KeyRouter router_;
    std::wstring box_;
    bool shiftDown_ = false;
};

} // namespace revaze
