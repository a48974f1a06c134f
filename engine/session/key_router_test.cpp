#include "session/key_router.h"

#include <array>

#include <gtest/gtest.h>

#include "session/keys.h"
#include "session/test_ime.h"

namespace revaze {
namespace {

constexpr std::uint32_t kPress = 0x00000001;
constexpr std::uint32_t kRelease = 0xC0000001;

std::array<std::uint8_t, 256> noKeysDown() {
    return {};
}

TEST(ProcessKey, DecisionTableInTibetanModeWithNothingComposed) {
    struct Row {
        const char* what;
        unsigned vk;
        std::uint32_t data;
        bool ctrl;
        bool taken;
    };
    const Row rows[] = {
        {"letter", 'K', kPress, false, true},
        {"digit", '1', kPress, false, true},
        {"space", kVkSpace, kPress, false, true},
        {"escape", kVkEscape, kPress, false, true},
        {"page up", kVkPrior, kPress, false, true},
        {"page down", kVkNext, kPress, false, true},
        {"punctuation", kVkOem2, kPress, false, true},
        {"shift press", kVkShift, kPress, false, true},
        {"star key", kVkHelp, kPress, false, true},
        {"ctrl+1", '1', kPress, true, true},
        {"ctrl+c", 'C', kPress, true, false},
        {"tab", kVkTab, kPress, false, false},
        {"ctrl", kVkControl, kPress, false, false},
        {"alt", kVkMenu, kPress, false, false},
        {"caps lock", kVkCapital, kPress, false, false},
        {"home", kVkHome, kPress, false, false},
        {"end", kVkEnd, kPress, false, false},
        {"left", kVkLeft, kPress, false, false},
        {"up", kVkUp, kPress, false, false},
        {"right", kVkRight, kPress, false, false},
        {"down", kVkDown, kPress, false, false},
        {"insert", kVkInsert, kPress, false, false},
        {"delete", kVkDelete, kPress, false, false},
        {"numpad plus", kVkAdd, kPress, false, false},
        {"F1", kVkF1, kPress, false, false},
        {"F12", kVkF12, kPress, false, false},
        {"num lock", kVkNumLock, kPress, false, false},
        {"letter release", 'K', kRelease, false, false},
        {"backspace, nothing composed", kVkBack, kPress, false, false},
        {"enter, nothing composed", kVkReturn, kPress, false, false},
    };
    for (const Row& row : rows) {
        TestIme ime;
        auto keys = noKeysDown();
        if (row.ctrl) {
            keys[kVkControl] = 0x80;
        }
        EXPECT_EQ(ime.router.ProcessKey(true, row.vk, row.data, keys.data()), row.taken)
            << row.what;
        EXPECT_FALSE(ime.router.ProcessKey(false, row.vk, row.data, keys.data())) << row.what;
        EXPECT_EQ(ime.state.inputMode, kModeTibetan) << row.what;
    }
}

TEST(ProcessKey, BackspaceAndEnterAreTakenWhileComposing) {
    for (ActiveComposer which :
         {ActiveComposer::Wylie, ActiveComposer::Layout, ActiveComposer::SoftKey}) {
        TestIme ime;
        switch (which) {
        case ActiveComposer::Wylie:
            ime.wylie.AddKey('k');
            break;
        case ActiveComposer::Layout:
            ime.state.layoutId = 8;
            ime.layout.layoutIndex = ime.state.layoutIndex = 1;
            ime.layout.AddKey('k');
            break;
        case ActiveComposer::SoftKey:
            ime.state.softVisible = 1;
            ime.soft.AddKey('q', 0x0F40);
            break;
        }
        EXPECT_TRUE(ime.router.ProcessKey(true, kVkBack, kPress, nullptr));
        EXPECT_TRUE(ime.router.ProcessKey(true, kVkReturn, kPress, nullptr));
    }
}

TEST(ProcessKey, EmptyCompositionTestResetsTheComposerAndHidesTheWindow) {
    TestIme ime;
    ime.wylie.AddKey('k');
    ime.wylie.DeleteKey(); // no key left, but the display line still holds the old text
    ime.host.calls.clear();
    EXPECT_FALSE(ime.router.ProcessKey(true, kVkReturn, kPress, nullptr));
    EXPECT_EQ(ime.wylie.spaceCount, 1);
    EXPECT_EQ(ime.host.calls, (std::vector<std::string>{"HideAndInvalidate", "RepaintCompWindow"}));
}

TEST(ProcessKey, LoneShiftTapTogglesAndEnglishModeRefusesEverything) {
    TestIme ime;
    ime.wylie.AddKey('k');
    EXPECT_TRUE(ime.router.ProcessKey(true, kVkShift, kPress, nullptr));
    EXPECT_FALSE(ime.router.ProcessKey(true, kVkShift, kRelease, nullptr));
    EXPECT_EQ(ime.state.inputMode, kModeEnglish);
    EXPECT_EQ(ime.wylie.keyCount(), 0); // the toggle throws the composition away
    for (unsigned vk : {unsigned('K'), unsigned('1'), kVkSpace, kVkBack, kVkReturn, kVkShift}) {
        EXPECT_FALSE(ime.router.ProcessKey(true, vk, kPress, nullptr));
    }
    // The Shift press above was followed by its release: a lone tap again.
    EXPECT_FALSE(ime.router.ProcessKey(true, kVkShift, kRelease, nullptr));
    EXPECT_EQ(ime.state.inputMode, kModeTibetan);
}

TEST(ProcessKey, ShiftChordDoesNotToggle) {
    TestIme ime;
    ime.router.ProcessKey(true, kVkShift, kPress, nullptr);
    ime.router.ProcessKey(true, 'S', kPress, nullptr);
    ime.router.ProcessKey(true, 'S', kRelease, nullptr);
    EXPECT_FALSE(ime.router.ProcessKey(true, kVkShift, kRelease, nullptr));
    EXPECT_EQ(ime.state.inputMode, kModeTibetan);
    // A release of Shift with no press before it is no tap either.
    EXPECT_FALSE(ime.router.ProcessKey(true, kVkShift, kRelease, nullptr));
    EXPECT_EQ(ime.state.inputMode, kModeTibetan);
}

TEST(ToAsciiEx, ReleasesAndUnusableContextsProduceNothing) {
    TestIme ime;
    int context = 0;
    unsigned key = '1' | ('1' << 16);
    EXPECT_EQ(ime.router.ToAsciiEx(key, kScanReleased, nullptr, &context, true), 0u);
    EXPECT_EQ(ime.router.ToAsciiEx(key, 0, nullptr, &context, false), 0u);
    EXPECT_TRUE(ime.host.commits.empty());
    std::array<RecordedMessage, 2> messages{};
    EXPECT_EQ(ime.router.ToAsciiEx(key, 0, messages.data(), &context, true), 2u);
    EXPECT_EQ(ime.host.commits, (std::vector<std::wstring>{std::wstring{0x0F21}}));
    EXPECT_EQ(messages[0].message, kWmImeComposition);
    EXPECT_EQ(messages[0].lParam, kGcsResultStr);
    EXPECT_EQ(messages[1].message, kWmImeEndComposition);
}

TEST(ToAsciiEx, ACommitIntoAMissingContextReturnsNothingButStillResets) {
    TestIme ime;
    ime.wylie.AddKey('k');
    EXPECT_EQ(ime.router.ToAsciiEx(kVkReturn | ('\r' << 16), 0, nullptr, nullptr, true), 0u);
    EXPECT_TRUE(ime.host.commits.empty());
    EXPECT_EQ(ime.wylie.keyCount(), 0);
}

TEST(ToAsciiEx, OnlyTheLowByteOfTheCharacterCounts) {
    TestIme ime;
    int context = 0;
    ime.router.ToAsciiEx('K' | (0x016B << 16), 0, nullptr, &context, true); // 0x6B is 'k'
    EXPECT_EQ(ime.wylie.keyCount(), 1);
}

TEST(ToAsciiEx, SoftKeyboardTakesKeysWhateverTheLayout) {
    TestIme ime;
    int context = 0;
    ime.state.softVisible = 1;
    ime.router.ToAsciiEx('Q' | ('q' << 16), 0, nullptr, &context, true);
    EXPECT_EQ(ime.soft.compositionText.str(), std::wstring{0x0F40});
    EXPECT_EQ(ime.wylie.keyCount(), 0);
    // The star key steps the page through the soft keyboard.
    ime.router.ToAsciiEx(kVkHelp, 0, nullptr, &context, true);
    EXPECT_EQ(ime.state.softPage, 2);
    EXPECT_EQ(ime.host.softLabelReloads, 1);
}

} // namespace
} // namespace revaze
