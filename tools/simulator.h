// `revaze type`: one freshly loaded input method typing a key script into an empty edit box,
// through the same session as the DLL.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary.h"
#include "session/session.h"

namespace revaze {

// One event of a script token: a key, or a click on the status window or its layout menu.
struct ScriptEvent {
    enum Kind { Press, Release, ModeClick, SoftClick, LayoutChoice } kind = Press;
    unsigned vk = 0;
    char ch = 0;                       // the character the key types (0 for none)
    LayoutId layout = LayoutId::Wylie; // for LayoutChoice
};

struct ScriptToken {
    std::string text; // as written in the script: "k", "{Enter}", "{Shift+K}"
    std::vector<ScriptEvent> events;
};

// Splits a script into tokens; on an unknown "{...}" token returns nothing and sets `error`.
std::optional<std::vector<ScriptToken>> parseScript(std::string_view script, std::string& error);

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
// A UTF-8 text as a JSON string, quotes included.
std::string jsonString(std::string_view utf8);

class Simulator {
public:
    explicit Simulator(const Dictionary* dictionary, const SessionStart& start = {});

    // Chooses a layout from the layout menu; false for an unknown name.
    bool chooseLayout(std::string_view name);
    // Runs the token's events. A key press the input method does not take acts on the edit box.
    void run(const ScriptToken& token);
    TraceRecord trace(const std::string& key, const std::wstring& committed) const;

    const std::wstring& text() const { return box_; }
    // Everything committed, in order, and how often a key was refused with a beep.
    const std::vector<std::wstring>& commits() const { return commits_; }
    int beeps() const { return beeps_; }
    Session& session() { return session_; }

private:
    // The edit box as the application sees it: commits are appended.
    class Box final : public CommitSink {
    public:
        explicit Box(Simulator& owner) : owner_(owner) {}
        bool Commit(std::wstring_view text) override;

    private:
        Simulator& owner_;
    };

    void key(const ScriptEvent& event, bool released);
    void applyToBox(const ScriptEvent& event);
    void note(const Result& result);

    Session session_;
    bool capsLock_ = false;
    Box sink_{*this};
    std::wstring box_;
    std::vector<std::wstring> commits_;
    int beeps_ = 0;
};

} // namespace revaze
