#include "tools/simulator.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "common/keys.h"
#include "common/text.h"
#include "session/key_text.h"

namespace revaze {

namespace {

ScriptEvent pressOf(unsigned vk, char ch) {
    return {ScriptEvent::Press, vk, ch};
}
ScriptEvent releaseOf(unsigned vk, char ch) {
    return {ScriptEvent::Release, vk, ch};
}

void addKeyStroke(ScriptToken& token, const KeyEvent& key) {
    token.events.push_back(pressOf(key.vk, key.ch));
    token.events.push_back(releaseOf(key.vk, key.ch));
}

// What a "{...}" token holds: a named key, a Shift chord, or a click on the status window or its
// layout menu. False for anything else.
bool addNamedToken(ScriptToken& token, std::string_view name) {
    // A single character is written without braces.
    if (const std::optional<KeyEvent> key = name.size() > 1 ? namedKey(name) : std::nullopt) {
        addKeyStroke(token, *key);
    } else if (name == "Soft") {
        token.events.push_back({ScriptEvent::SoftClick});
    } else if (name == "Mode") {
        token.events.push_back({ScriptEvent::ModeClick});
    } else if (name.starts_with("Shift+") && name.size() == 7 && name[6] >= 0x20 &&
               name[6] <= 0x7E) {
        const char k = name[6];
        token.events.push_back(pressOf(kVkShift, 0));
        addKeyStroke(token, KeyEvent{virtualKeyOf(k), k});
        token.events.push_back(releaseOf(kVkShift, 0));
    } else if (const Layout* layout =
                   name.starts_with("Layout:") ? findLayoutByName(name.substr(7)) : nullptr) {
        token.events.push_back({ScriptEvent::LayoutChoice, 0, 0, layout->id});
    } else {
        return false;
    }
    return true;
}

} // namespace

std::optional<std::vector<ScriptToken>> parseScript(std::string_view script, std::string& error) {
    std::vector<ScriptToken> tokens;
    std::size_t i = 0;
    while (i < script.size()) {
        char c = script[i];
        ScriptToken token;
        if (c != '{') {
            if (c == '}' || static_cast<unsigned char>(c) < 0x20 ||
                static_cast<unsigned char>(c) > 0x7E) {
                error = "unexpected character in script at offset " + std::to_string(i);
                return std::nullopt;
            }
            token.text = std::string(1, c);
            addKeyStroke(token, *namedKey(token.text));
            tokens.push_back(std::move(token));
            ++i;
            continue;
        }
        std::size_t end = script.find('}', i);
        if (end == std::string_view::npos) {
            error = "unterminated token at offset " + std::to_string(i);
            return std::nullopt;
        }
        // "{RBrace}" and "{Shift+}}" hold no brace inside, so the first '}' ends the token, except
        // for a Shift chord on the closing brace itself.
        if (script.substr(i, end - i) == "{Shift+" && end + 1 < script.size() &&
            script[end + 1] == '}') {
            ++end;
        }
        std::string_view name = script.substr(i + 1, end - i - 1);
        token.text = std::string(script.substr(i, end - i + 1));
        if (!addNamedToken(token, name)) {
            error = "unknown token " + token.text;
            return std::nullopt;
        }
        tokens.push_back(std::move(token));
        i = end + 1;
    }
    return tokens;
}

Simulator::Simulator(const Dictionary* dictionary, const SessionStart& start)
    : session_(dictionary, start) {}

bool Simulator::Box::Commit(std::wstring_view text) {
    owner_.box_ += text;
    owner_.commits_.emplace_back(text);
    return true;
}

bool Simulator::chooseLayout(std::string_view name) {
    const Layout* layout = findLayoutByName(name);
    if (layout == nullptr) {
        return false;
    }
    note(session_.SelectLayout(layout->id));
    return true;
}

void Simulator::run(const ScriptToken& token) {
    for (const ScriptEvent& event : token.events) {
        switch (event.kind) {
        case ScriptEvent::Press:
            key(event, false);
            break;
        case ScriptEvent::Release:
            key(event, true);
            break;
        case ScriptEvent::ModeClick:
            note(session_.ToggleInputMode());
            break;
        case ScriptEvent::SoftClick:
            note(session_.ToggleSoftKeyboard());
            break;
        case ScriptEvent::LayoutChoice:
            note(session_.SelectLayout(event.layout));
            break;
        }
    }
}

void Simulator::key(const ScriptEvent& event, bool released) {
    if (event.vk == kVkCapital && !released) {
        capsLock_ = !capsLock_;
    }
    // Only a release's character is never read: the character arrives with the press. Caps Lock
    // turns a letter's case over, as the keyboard does.
    char ch = released ? '\0' : event.ch;
    if (capsLock_ && ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'))) {
        ch = static_cast<char>(ch ^ 0x20);
    }
    const KeyEvent key{event.vk, ch, released, false, capsLock_};
    Result result = session_.Key(key, sink_);
    note(result);
    if (!released && !result.taken) {
        ScriptEvent typed = event;
        typed.ch = ch;
        applyToBox(typed);
    }
}

void Simulator::note(const Result& result) {
    if (result.beep) {
        ++beeps_;
    }
}

void Simulator::applyToBox(const ScriptEvent& event) {
    unsigned char c = static_cast<unsigned char>(event.ch);
    if (event.vk == kVkBack) {
        if (!box_.empty()) {
            wchar_t last = box_.back();
            box_.pop_back();
            // A low surrogate takes its high surrogate along: one code point goes.
            if (last >= 0xDC00 && last <= 0xDFFF && !box_.empty() && box_.back() >= 0xD800 &&
                box_.back() <= 0xDBFF) {
                box_.pop_back();
            }
        }
    } else if (event.vk == kVkReturn) {
        box_.push_back(L'\n');
    } else if (c >= 0x20 && c <= 0x7E) {
        box_.push_back(static_cast<wchar_t>(c));
    }
}

TraceRecord Simulator::trace(const std::string& key, const std::wstring& committed) const {
    const View& view = session_.view();
    TraceRecord record;
    record.key = key;
    record.commit = committed;
    record.text = box_;
    record.display = view.displayLine;
    record.candidates = view.candidates;
    record.mode = static_cast<int>(view.mode);
    const Layout* layout = findLayout(view.state.layoutId);
    record.layout = layout != nullptr ? std::string(layout->name) : std::string();
    record.soft = view.state.softVisible ? 1 : 0;
    record.page = view.state.softPage;
    return record;
}

std::string jsonString(std::string_view utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            out += buf;
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
    return out;
}

std::string traceJson(const TraceRecord& r) {
    std::string out = "{\"key\": " + jsonString(r.key);
    out += ", \"commit\": " + jsonString(unitsToUtf8(r.commit));
    out += ", \"text\": " + jsonString(unitsToUtf8(r.text));
    out += ", \"display\": " + jsonString(unitsToUtf8(r.display));
    out += ", \"candidates\": [";
    for (std::size_t i = 0; i < r.candidates.size(); ++i) {
        if (i > 0) {
            out += ", ";
        }
        out += jsonString(unitsToUtf8(r.candidates[i]));
    }
    out += "], \"mode\": " + std::to_string(r.mode);
    out += ", \"layout\": " + jsonString(r.layout);
    out += ", \"soft\": " + std::to_string(r.soft);
    out += ", \"page\": " + std::to_string(r.page) + "}";
    return out;
}

} // namespace revaze
