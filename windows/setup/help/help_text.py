"""The words of the help document, section by section, as Pango markup. [[...]] marks Tibetan.
Blocks: ("p", paragraph), ("list", items), ("h", subheading), ("status", the status window's
picture), ("soft", a picture of the soft keyboard), ("picture", a PNG file of this folder). The key charts follow these sections; they are
drawn from the layout tables by make_help.py."""

SECTIONS = [
    ("Installing and removing Revaze", [
        ("p", "Revaze is a Tibetan input method for Windows. It turns the keys of an ordinary "
              "Latin keyboard into Tibetan text, with nine keyboard layouts, whole-word "
              "candidates from a dictionary and a soft keyboard."),
        ("p", "Run <b>RevazeSetup.exe</b> and let Windows run it as an administrator: Revaze is "
              "installed for every user of the computer. The setup offers two parts, both chosen "
              "by default:"),
        ("list", [
            "<b>Revaze text service</b> (recommended): Tibetan input in current applications, "
            "through the text services framework of Windows.",
            "<b>Revaze classic IME, for older applications and games</b>: the same input method "
            "for programs that do not use text services.",
        ]),
        ("p", "<tt>RevazeSetup.exe /S</tt> installs both parts without asking anything. On "
              "64-bit Windows both the 64-bit and the 32-bit input method are installed, so that "
              "Revaze works in every application. The dictionary goes beside them in the system "
              "folders, and this document to <tt>C:\\Windows\\IME\\devero2\\help.pdf</tt>, where "
              "the status window's Help item opens it."),
        ("p", "On Windows 11 on ARM the setup installs Revaze for native ARM64 applications "
              "(Start search, Explorer, Notepad, Edge) and for emulated x64 and 32-bit ones. "
              "The ARM64 build has been checked structurally but not yet run on an ARM computer: "
              "please report what you find."),
        ("p", "To remove Revaze, open <b>Settings › Apps › Installed apps</b> (Apps &amp; "
              "features), choose <b>Revaze</b> and <b>Uninstall</b>; or run "
              "<tt>C:\\Program Files\\Revaze\\Uninstall.exe</tt> (<tt>/S</tt> removes it without "
              "asking). Nothing of Revaze stays behind, your settings included. A file that a running application still "
              "uses is deleted when Windows restarts; the uninstaller says so."),
    ]),
    ("Switching to Revaze", [
        ("p", "Revaze is listed under the language Tibetan ([[བོད་ཡིག]]). Click the input "
              "indicator on the taskbar, or press <b>Windows key + Space</b>, and choose "
              "<b>Revaze</b>. If Tibetan is not in the list, add it under <b>Settings › Time "
              "&amp; language › Language &amp; region › Add a language</b>, then add Revaze as its "
              "keyboard."),
        ("p", "Revaze is listed under Dzongkha ([[རྫོང་ཁ]]) too; chosen there, it starts in the "
              "Dzongkha layout."),
        ("p", "Each application starts in Tibetan mode with the Wylie layout, unless the settings "
              "say otherwise: the layout and the mode chosen in one application do not change "
              "another."),
    ]),
    ("Typing", [
        ("p", "Keys typed in Tibetan mode are not sent to the application at once: they are "
              "composed in a small window beside the caret, which shows the keys and the Tibetan "
              "text they make. The text reaches the application when it is committed."),
        ("list", [
            "<b>Enter</b> commits what is composed. With nothing composed, Enter and Backspace "
            "belong to the application.",
            "<b>Backspace</b> takes back the last key; <b>Esc</b> drops the composition.",
            "In Wylie a <b>space</b> closes a syllable (the tsheg [[་]] is written), a second "
            "space commits, <b>,</b> commits, and <b>/</b> commits with a shad [[།]].",
            "In EWTS (Extended Wylie) the keys are one string, read as the standard spells it: "
            "a space closes a syllable, a second space commits, and <b>/</b> after text commits "
            "with a shad; <b>+</b> stacks any letters ([[པདྨ]] is <tt>pad+ma</tt>).",
            "In the other layouts one to four keys make one character; the charts at the end of "
            "this document show every key.",
        ]),
        ("p", "Example, in Wylie: <tt>b k r a</tt> space <tt>s h i s</tt> Enter types "
              "[[བཀྲ་ཤིས]]."),
    ]),
    ("Candidates", [
        ("p", "While you compose, the composition window lists up to five numbered words of the "
              "dictionary that begin with the composed text. Press <b>1</b> to <b>5</b> to "
              "commit that word whole. <b>Page Down</b> and <b>Page Up</b> show the next and the "
              "previous five (in Wylie also <b>=</b> and <b>-</b>, which EWTS keeps for its own signs); up to 100 words are found."),
        ("p", "The dictionary is the file <tt>ZovovUvoz2.dat</tt> in the Windows system folder."),
    ]),
    ("The status window", [
        ("p", "A small bar of five buttons shows the state of Revaze and switches it:"),
        ("status", None),
        ("list", [
            "<b>Logo</b>: drag it to move the window.",
            "<b>Mode</b>: Tibetan or English. In English mode every key goes to the application "
            "unchanged. A short tap of <b>Shift</b> alone switches the mode too.",
            "<b>Soft keyboard</b>: shows or hides the soft keyboard.",
            "<b>Layout</b>: shows the current layout's badge; click it for the menu of the nine "
            "layouts (Wylie, Wylie-F, Himalaya, Dzongkha, Sambhota-1, Sambhota-2, Monlam, BZD, "
            "EWTS).",
            "<b>Menu</b>: <b>Help</b> opens this document, <b>Website</b> the Revaze web site, "
            "<b>Settings</b> the settings window.",
        ]),
        ("p", "Switching the mode or the soft keyboard drops what is composed; switching the "
              "layout keeps it."),
    ]),
    ("The soft keyboard", [
        ("p", "The soft keyboard shows the Tibetan characters of one page of the current layout. "
              "Click a key to type its character, or type the key on your keyboard: while the soft "
              "keyboard is shown, keys type the characters of the page shown. The star key "
              "[[☆࿈☆]] shows the next page: five pages per layout, four for Dzongkha. The digits "
              "1 to 5 still choose candidates."),
        ("soft", None),
    ]),
    ("Settings", [
        ("p", "The settings window opens from <b>Settings</b> in the status window's menu, from "
              "the language bar's layout menu, and from <b>Options</b> of Revaze in the language "
              "settings of Windows. <b>Apply</b> or <b>OK</b> stores the settings for you; "
              "applications started from then on begin with them, and applications already "
              "running take the Caps Lock and Shift settings at their next activation."),
        ("picture", "settings_window.png"),
        ("list", [
            "<b>Start layout</b>: the layout every application begins with (Wylie unless you "
            "choose another).",
            "<b>Remember the layout I choose from the menu</b>: the layout you choose becomes the "
            "start layout of the applications started next.",
            "<b>Start in</b>: Tibetan or English mode.",
            "<b>Caps Lock</b>: gives capital letters (Wylie <tt>T</tt> is the retroflex ta); is "
            "ignored in Tibetan mode (Shift still gives capitals); or switches to English while it is on.",
            "<b>A lone Shift tap switches between Tibetan and English</b>: clear it to keep the "
            "mode when Shift is tapped; the mode button still switches.",
        ]),
        ("p", "The settings are stored under <tt>HKEY_CURRENT_USER\\Software\\Revaze</tt> as "
              "<tt>StartLayout</tt> (text: <tt>Wylie</tt>, <tt>Wylie-F</tt>, <tt>Himalaya</tt>, "
              "<tt>Dzongkha</tt>, <tt>Sambhota-1</tt>, <tt>Sambhota-2</tt>, <tt>Monlam</tt>, "
              "<tt>BZD</tt>), <tt>RememberLayout</tt> (number, 0 or 1), <tt>StartMode</tt> "
              "(<tt>Tibetan</tt> or <tt>English</tt>), <tt>CapsLock</tt> (<tt>Letters</tt>, "
              "<tt>Ignore</tt> or <tt>English</tt>) and <tt>ShiftToggles</tt> (number, 0 or 1). "
              "An administrator can store the same values under "
              "<tt>HKEY_LOCAL_MACHINE\\Software\\Revaze</tt> as defaults for every user; "
              "a user's own value wins. A value Revaze cannot read is ignored."),
    ]),
]
