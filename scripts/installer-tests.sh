#!/usr/bin/env bash
# Builds RevazeSetup.exe signed with a throwaway certificate and tests it under Wine, in a fresh
# 64-bit prefix of its own (build/installer-prefix) under Xvfb: the signatures, the silent
# install and what it wrote, typing through the installed IME from a 32- and a 64-bit process,
# the text service's profile (when RevazeTip.dll was built; skipped otherwise), the silent
# uninstall, and that nothing of Revaze is left. Then the Windows on ARM branch, with the test
# switch /TESTARM64 and x64 forwarders in place of the ARM64X ones (RevazeSetup-wine-arm64.exe):
# the files System32 gets, the registered paths, typing through the forwarders, the removal.
#
#   scripts/installer-tests.sh              build the installer, then test it
#   scripts/installer-tests.sh --no-build   test build/installer/RevazeSetup.exe as it is
#   scripts/installer-tests.sh --build-only build the installers (and the certificate) only
#
# Prints one PASS/FAIL/SKIP line per check, the install and uninstall times, and last
# "N passed, M failed, K skipped".
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
installer=$build/installer/RevazeSetup.exe
stage=$build/installer/stage
certs=$build/installer/test-certificate
export WINEPREFIX=$build/installer-prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
wine64=/usr/lib/wine/wine64
[ -x "$wine64" ] || wine64=wine

# The installer the upgrade test starts from, and its version: the project's one lower in its
# last digit (0.1 -> 0.0, 1.0 -> 0.9), as long as the project's.
old_out=$build/installer-older
older_version() {
    "$build/native/bin/revaze" --version | awk '{print $2}' | python3 -c '
import sys
v = sys.stdin.read().strip()
digits = str(int(v.replace(".", "")) - 1).zfill(len(v.replace(".", "")))
out = iter(digits)
print("".join(c if c == "." else next(out) for c in v))'
}
seconds_since() { # seconds, to a tenth, since a `date +%s%N`
    local ms=$((($(date +%s%N) - $1) / 1000000))
    printf '%d.%d' $((ms / 1000)) $((ms % 1000 / 100))
}

if [ "${1:-}" != "--under-xvfb" ]; then
    for tool in wine wineserver xvfb-run openssl osslsigncode; do
        command -v "$tool" >/dev/null || { echo "installer-tests: $tool is missing"; exit 2; }
    done
    locale -a | grep -qx bo_CN.utf8 || { echo "installer-tests: no bo_CN.UTF-8 locale (scripts/setup.sh)"; exit 2; }
    # A throwaway code-signing certificate: everything the installer holds gets signed with it.
    if [ "${1:-}" != "--no-build" ] || [ ! -f "$certs/test.p12" ]; then
        rm -rf "$certs"
        mkdir -p "$certs"
        openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Revaze test signing" \
            -addext "extendedKeyUsage=codeSigning" -keyout "$certs/key.pem" \
            -out "$certs/cert.pem" 2>/dev/null
        openssl pkcs12 -export -inkey "$certs/key.pem" -in "$certs/cert.pem" \
            -passout pass:throwaway -out "$certs/test.p12"
    fi
    if [ "${1:-}" != "--no-build" ]; then
        REVAZE_SIGN_PFX=$certs/test.p12 REVAZE_SIGN_PASSWORD=throwaway \
            "$root/scripts/make-installer.sh" --wine-arm64 || exit 1
        # The installation the upgrade test starts from: the same files stamped older.
        start=$(date +%s%N)
        REVAZE_INSTALLER_VERSION=$(older_version) REVAZE_INSTALLER_DIR=$old_out \
            REVAZE_SIGN_PFX=$certs/test.p12 REVAZE_SIGN_PASSWORD=throwaway \
            "$root/scripts/make-installer.sh" || exit 1
        echo "the older installer took $(seconds_since "$start") s to build"
    fi
    [ "${1:-}" = "--build-only" ] && exit 0
    rm -rf "$WINEPREFIX"
    xvfb-run -a -n 300 -s "-screen 0 1024x768x24" "$0" --under-xvfb
    exit $?
fi

# ---- from here on: inside Xvfb -------------------------------------------------------------

passed=0
failed=0
skipped=0
pass() { echo "PASS: $*"; passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
skip() { echo "SKIP: $*"; skipped=$((skipped + 1)); }
expect() { # expect DESCRIPTION COMMAND...: passes when the command succeeds
    local what=$1
    shift
    if "$@" >/dev/null 2>&1; then pass "$what"; else fail "$what"; fi
}
absent() { [ ! -e "$1" ]; }
machine() { # the PE machine of a file: 8664 (x86_64) or 14c (i386)
    python3 -c 'import struct, sys
d = open(sys.argv[1], "rb").read(4096)
print("%x" % struct.unpack_from("<H", d, struct.unpack_from("<I", d, 60)[0] + 4)[0])' "$1"
}
signed() { osslsigncode verify -CAfile "$certs/cert.pem" -in "$1" 2>&1 | grep -q "Signature verification: ok"; }
# The value of a registry value in the 64-bit view, or nothing.
regvalue() {
    "$wine64" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
# The default value of a key in the 64-bit view, in lower case.
regdefault() {
    "$wine64" reg query "$1" /ve 2>/dev/null | tr -d '\r' | awk '/REG_SZ/ { sub(/.*REG_SZ +/, ""); print tolower($0) }'
}
regkey() { "$wine64" reg query "$1" >/dev/null 2>&1; }
# The classes (both registry views) whose in-process server is RevazeTip.dll.
tip_clsids() {
    for view in 'HKLM\Software\Classes\CLSID' 'HKLM\Software\Classes\WOW6432Node\CLSID'; do
        "$wine64" reg query "$view" /s 2>/dev/null | tr -d '\r' |
            awk '/^HKEY/ { key = $0 } key ~ /InprocServer32$/ && tolower($0) ~ /revazetip\.dll/ {
                n = split(key, part, "\\"); print part[n - 1] }'
    done | sort -u
}
# The keys the text service's registration and the user's profile write, for one class: the
# 32-bit view's text-service key is listed for the removal check only.
tip_keys() {
    printf '%s\n' "HKLM\\Software\\Microsoft\\CTF\\TIP\\$1" \
        "HKLM\\Software\\WOW6432Node\\Microsoft\\CTF\\TIP\\$1" \
        "HKCU\\Software\\Microsoft\\CTF\\TIP\\$1" \
        "HKLM\\Software\\Classes\\CLSID\\$1" \
        "HKLM\\Software\\Classes\\WOW6432Node\\CLSID\\$1"
}
# Runs build/PRESET/bin/installed_check.exe with ARGS, by the loader of its bitness, into LOG.
# Wine switches only to layouts of the user's language: the user here is Tibetan.
installed_check() { # installed_check PRESET LOG ARGS...
    local loader=$wine64
    [ "$1" = win32 ] && loader=wine
    LANG=bo_CN.UTF-8 timeout 120 "$loader" "$build/$1/bin/installed_check.exe" "${@:3}" >"$2" 2>&1
}
show_log() { sed "s/^/    /" "$1" | tr -d '\r'; }
# The layouts (their keys) that load Revaze.ime.
revaze_layouts() {
    "$wine64" reg query 'HKLM\System\CurrentControlSet\Control\Keyboard Layouts' /s 2>/dev/null |
        tr -d '\r' | awk '/^HKEY/ { key = $0 } /Ime File/ && tolower($0) ~ /revaze\.ime/ { print key }'
}

windows=$WINEPREFIX/drive_c/windows
system64=$windows/system32
system32=$windows/syswow64
program=$WINEPREFIX/drive_c/Program\ Files/Revaze
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Revaze'
version=$("$build/native/bin/revaze" --version | awk '{print $2}')
tip=0
grep -qw text-service "$stage/components.txt" 2>/dev/null && tip=1

"$wine64" wineboot -i >/dev/null 2>&1
wineserver -w

echo "-- signatures"
for file in "$installer" "$stage"/x86/* "$stage"/x64/*; do
    expect "$(basename "$(dirname "$file")")/$(basename "$file") is signed" signed "$file"
done

echo "-- the help document"
help_text=$(pdftotext "$stage/help.pdf" - 2>/dev/null | tr -d "\f")
for name in Wylie Wylie-F Himalaya Dzongkha Sambhota-1 Sambhota-2 Monlam BZD EWTS; do
    expect "help.pdf has a key chart of $name" grep -qx "$name" <<<"$help_text"
done
expect "help.pdf embeds the Tibetan font it was shaped with" \
    bash -c 'pdffonts "$0" | grep -q Tibetan_Machine_Uni' "$stage/help.pdf"

echo "-- silent install"
start=$(date +%s%N)
wine "$installer" /S
rc=$?
echo "install took $(seconds_since "$start") s (wine RevazeSetup.exe /S)"
[ $rc = 0 ] && pass "RevazeSetup.exe /S exits 0" || fail "RevazeSetup.exe /S exits $rc"

for pair in "$system64:8664:x64" "$system32:14c:x86"; do
    dir=${pair%%:*}
    rest=${pair#*:}
    arch=${rest%%:*}
    staged=$stage/${rest#*:}
    name=$(basename "$dir")
    expect "$name/Revaze.ime is the $arch build" test "$(machine "$dir/Revaze.ime")" = "$arch"
    expect "$name/Revaze.ime is the staged one" cmp "$dir/Revaze.ime" "$staged/Revaze.ime"
    for dict in "$stage"/dictionary/*; do
        expect "$name/$(basename "$dict") is installed" cmp "$dir/$(basename "$dict")" "$dict"
    done
    if [ $tip = 1 ]; then
        expect "$name/RevazeTip.dll is the $arch build" cmp "$dir/RevazeTip.dll" "$staged/RevazeTip.dll"
    else
        skip "$name/RevazeTip.dll (not built)"
    fi
done
expect "no ARM64 build or forwarder target on an x64 machine" bash -c \
    'for f in RevazeTipA64.dll RevazeTipX64.dll RevazeImeA64.dll RevazeImeX64.dll; do [ ! -e "$0/$f" ] || exit 1; done' "$system64"
expect "the help document is where the Help item opens it" \
    cmp "$windows/IME/devero2/help.pdf" "$stage/help.pdf"
expect "the 64-bit helper is installed" test "$(machine "$program/RevazeSetupHelper.exe")" = 8664
expect "the uninstaller is written" test -f "$program/Uninstall.exe"
expect "the uninstaller is signed" signed "$program/Uninstall.exe"

echo "-- Apps & features"
expect "DisplayName is Revaze" test "$(regvalue "$uninstall_key" DisplayName)" = "Revaze"
expect "DisplayVersion is $version" test "$(regvalue "$uninstall_key" DisplayVersion)" = "$version"
expect "Publisher is set" test -n "$(regvalue "$uninstall_key" Publisher)"
expect "DisplayIcon is the uninstaller" \
    test "$(regvalue "$uninstall_key" DisplayIcon)" = '"C:\Program Files\Revaze\Uninstall.exe",0'
expect "UninstallString runs the uninstaller" \
    test "$(regvalue "$uninstall_key" UninstallString)" = '"C:\Program Files\Revaze\Uninstall.exe"'
expect "QuietUninstallString adds /S" \
    test "$(regvalue "$uninstall_key" QuietUninstallString)" = '"C:\Program Files\Revaze\Uninstall.exe" /S'
size=$(regvalue "$uninstall_key" EstimatedSize)
expect "EstimatedSize ($size KB) is above the dictionary's size" \
    test $((size)) -gt $(($(stat -c %s "$stage/dictionary/ZovovUvoz2.dat") / 1024))
expect "the entry is in the 64-bit view, not WOW6432Node" \
    bash -c '! "$0" reg query "HKLM\Software\WOW6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Revaze"' "$wine64"

echo "-- keyboard layout and typing"
layouts=$(revaze_layouts)
expect "one keyboard layout loads Revaze.ime" test "$(echo "$layouts" | grep -c .)" = 1
tip_arg=()
[ $tip = 1 ] && tip_arg=(--tip)
for preset in win64 win32; do
    log=$build/installer/installed_check_$preset.log
    installed_check $preset "$log" "$version" "${tip_arg[@]}"
    rc=$?
    show_log "$log"
    [ $rc = 0 ] && pass "$preset installed_check" || fail "$preset installed_check (exit code $rc)"
done
[ $tip = 1 ] || skip "text service profile present and enabled (RevazeTip.dll not built)"

echo "-- silent uninstall"
tip_services=$(tip_clsids)
# The user's preload list as it is once the user chose Revaze between two other layouts.
preload='HKCU\Keyboard Layout\Preload'
revaze_id=$(echo "$layouts" | sed 's/.*\\//')
"$wine64" reg add "$preload" /v 1 /d 00000409 /f >/dev/null 2>&1
"$wine64" reg add "$preload" /v 2 /d "$revaze_id" /f >/dev/null 2>&1
"$wine64" reg add "$preload" /v 3 /d 00000407 /f >/dev/null 2>&1
# A setting the user stored.
"$wine64" reg add 'HKCU\Software\Revaze' /v StartLayout /d Dzongkha /f >/dev/null 2>&1
if [ $tip = 1 ]; then
    expect "a class serves RevazeTip.dll" test -n "$tip_services"
    for clsid in $tip_services; do
        for key in $(tip_keys "$clsid" | grep -v WOW6432Node.Microsoft); do
            expect "$key was written" "$wine64" reg query "$key"
        done
    done
fi
start=$(date +%s%N)
wine "C:\\Program Files\\Revaze\\Uninstall.exe" /S
rc=$?
# The uninstaller runs on from a copy in the temporary folder: wait for it.
wineserver -w
echo "uninstall took $(seconds_since "$start") s (wine Uninstall.exe /S, then wineserver -w)"
[ $rc = 0 ] && pass "Uninstall.exe /S hands over to its copy (exit 0)" || fail "Uninstall.exe /S exits $rc"

echo "-- nothing left"
for dir in "$system64" "$system32"; do
    name=$(basename "$dir")
    for file in Revaze.ime RevazeTip.dll "$stage"/dictionary/*; do
        expect "$name/$(basename "$file") is gone" absent "$dir/$(basename "$file")"
    done
done
expect "the help document and its folder are gone" absent "$windows/IME/devero2"
expect "the program folder is gone" absent "$program"
expect "the Apps & features entry is gone" bash -c '! "$0" reg query "$1"' "$wine64" "$uninstall_key"
expect "no keyboard layout loads Revaze.ime" test -z "$(revaze_layouts)"
expect "the user's settings are gone" bash -c '! "$0" reg query "HKCU\Software\Revaze"' "$wine64"
expect "the user's preload list loses $revaze_id and closes the gap" test \
    "$(regvalue "$preload" 1) $(regvalue "$preload" 2) $(regvalue "$preload" 3)" = "00000409 00000407 "
expect "nothing waits for a restart" \
    bash -c '! "$0" reg query "HKLM\System\CurrentControlSet\Control\Session Manager" /v PendingFileRenameOperations 2>/dev/null | grep -qi revaze' "$wine64"
if [ $tip = 1 ]; then
    expect "no class serves RevazeTip.dll" test -z "$(tip_clsids)"
    for clsid in $tip_services; do
        for key in $(tip_keys "$clsid"); do
            expect "$key is gone" bash -c '! "$0" reg query "$1"' "$wine64" "$key"
        done
    done
else
    skip "text service unregistered and forgotten (RevazeTip.dll not built)"
fi

echo "-- removing while an application uses Revaze.ime"
wine "$installer" /S || fail "RevazeSetup.exe /S into the cleaned prefix"
log=$build/installer/installed_check_hold.log
installed_check win32 "$log" "$version" --hold 15 &
holder=$!
for _ in $(seq 60); do
    grep -q "holding Revaze.ime" "$log" && break
    sleep 1
done
expect "a 32-bit application has Revaze.ime loaded" grep -q "holding Revaze.ime" "$log"
# A copy of the uninstaller run in place waits for the removal and reports its exit code; cmd
# hands NSIS its "_?=" parameter unquoted. Linux sees the low 8 bits of the exit code.
cp "$program/Uninstall.exe" "$WINEPREFIX/drive_c/revaze-uninstall.exe"
wine cmd /c 'C:\revaze-uninstall.exe /S _?=C:\Program Files\Revaze'
rc=$?
expect "the silent uninstaller asks for a restart (exit code 3010, here $rc)" test $rc = $((3010 % 256))
expect "the loaded syswow64/Revaze.ime stays until then" test -f "$system32/Revaze.ime"
expect "its deletion is scheduled" bash -c '"$0" reg query "HKLM\System\CurrentControlSet\Control\Session Manager" /v PendingFileRenameOperations 2>/dev/null | grep -qi "syswow64.revaze.ime"' "$wine64"
expect "the unused system32/Revaze.ime is gone at once" absent "$system64/Revaze.ime"
wait $holder
rm -f "$WINEPREFIX/drive_c/revaze-uninstall.exe"
"$wine64" wineboot -r >/dev/null 2>&1
wineserver -w
expect "after the restart syswow64/Revaze.ime is gone" absent "$system32/Revaze.ime"
expect "and nothing of Revaze waits for a restart" \
    bash -c '! "$0" reg query "HKLM\System\CurrentControlSet\Control\Session Manager" /v PendingFileRenameOperations 2>/dev/null | grep -qi revaze' "$wine64"
expect "the program folder is gone" absent "$program"

echo "-- Windows on ARM (/TESTARM64, x64 forwarders standing in for the ARM64X ones)"
arm_installer=$build/installer/RevazeSetup-wine-arm64.exe
behind="RevazeTipA64.dll RevazeTipX64.dll RevazeImeA64.dll RevazeImeX64.dll"
if grep -qw arm64 "$stage/components.txt" 2>/dev/null && [ -f "$arm_installer" ]; then
    arm_start=$(date +%s%N)
    wine "$arm_installer" /S /TESTARM64
    rc=$?
    [ $rc = 0 ] && pass "RevazeSetup-wine-arm64.exe /S /TESTARM64 exits 0" ||
        fail "RevazeSetup-wine-arm64.exe /S /TESTARM64 exits $rc"
    for pair in RevazeTip.dll:wine-forwarder/RevazeTip.dll RevazeTipA64.dll:a64/RevazeTip.dll \
        RevazeTipX64.dll:x64/RevazeTip.dll Revaze.ime:wine-forwarder/Revaze.ime \
        RevazeImeA64.dll:a64/Revaze.ime RevazeImeX64.dll:x64/Revaze.ime; do
        expect "system32/${pair%%:*} is the staged ${pair#*:}" cmp "$system64/${pair%%:*}" "$stage/${pair#*:}"
    done
    expect "system32/RevazeTipA64.dll is an ARM64 build" test "$(machine "$system64/RevazeTipA64.dll")" = aa64
    for file in Revaze.ime RevazeTip.dll; do
        expect "syswow64/$file is the x86 build" cmp "$system32/$file" "$stage/x86/$file"
    done
    for dict in "$stage"/dictionary/*; do
        for dir in "$system64" "$system32"; do
            expect "$(basename "$dir")/$(basename "$dict") is installed" cmp "$dir/$(basename "$dict")" "$dict"
        done
    done
    clsid=$(tip_clsids | head -n 1)
    expect "the 64-bit view's server is the forwarder" test \
        "$(regdefault "HKLM\\Software\\Classes\\CLSID\\$clsid\\InprocServer32")" = 'c:\windows\system32\revazetip.dll'
    expect "the 32-bit view's server is syswow64's build" test \
        "$(regdefault "HKLM\\Software\\Classes\\WOW6432Node\\CLSID\\$clsid\\InprocServer32")" = 'c:\windows\syswow64\revazetip.dll'
    layouts=$(revaze_layouts)
    expect "one keyboard layout loads Revaze.ime" test "$(echo "$layouts" | grep -c .)" = 1
    log=$build/installer/installed_check_arm64.log
    installed_check win64 "$log" "$version" --tip
    rc=$?
    show_log "$log"
    [ $rc = 0 ] && pass "win64 installed_check through the forwarders" ||
        fail "win64 installed_check through the forwarders (exit code $rc)"
    wine "C:\\Program Files\\Revaze\\Uninstall.exe" /S /TESTARM64
    wineserver -w
    for file in Revaze.ime RevazeTip.dll $behind; do
        expect "system32/$file is gone" absent "$system64/$file"
    done
    expect "syswow64/RevazeTip.dll is gone" absent "$system32/RevazeTip.dll"
    expect "no class serves RevazeTip.dll" test -z "$(tip_clsids)"
    expect "no keyboard layout loads Revaze.ime" test -z "$(revaze_layouts)"
    expect "the program folder is gone" absent "$program"
    echo "the ARM64 branch took $(seconds_since "$arm_start") s (install, check, uninstall)"
else
    skip "Windows on ARM branch (no ARM64 build staged)"
fi

# ---- upgrading in place ------------------------------------------------------------------------
# The older installation, a 32-bit and a 64-bit application holding both of its DLLs, then this
# installer run silently over it: the held files move aside (deleted at the restart, exit code
# 3010) and the new ones take their names at once, so that no application can load a mix; after
# the restart only the new files are left, registered once, and an uninstall leaves nothing.
pending_renames() {
    "$wine64" reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' \
        /v PendingFileRenameOperations 2>/dev/null | tr -d '\r'
}
# The files of Revaze in a system directory, set-aside copies included.
revaze_files() { (cd "$1" && ls -d Revaze* revaze* ZovovUvoz2* 2>/dev/null); }
# Every installed file of both system directories is the one staged in $1 (default: this
# installer's stage).
all_files_new() {
    local from=${1:-$stage} pair dir arch file
    for pair in "$system64:x64" "$system32:x86"; do
        dir=${pair%%:*}
        arch=${pair##*:}
        for file in "$from/$arch/Revaze.ime" "$from"/dictionary/*; do
            cmp -s "$dir/$(basename "$file")" "$file" || return 1
        done
        if [ $tip = 1 ]; then cmp -s "$dir/RevazeTip.dll" "$from/$arch/RevazeTip.dll" || return 1; fi
    done
}
no_waiting_copies() {
    ! grep -qi '\.\(old\|new\)$' <<<"$(revaze_files "$system64") $(revaze_files "$system32")"
}
# How many entries of a kind there are: Apps & features entries named Revaze, Tibetan profiles.
uninstall_entries() {
    "$wine64" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
        tr -d '\r' | grep -c 'DisplayName *REG_SZ *Revaze$'
}
tibetan_profiles() {
    "$wine64" reg query "HKLM\\Software\\Microsoft\\CTF\\TIP\\$1\\LanguageProfile\\0x00000451" \
        2>/dev/null | tr -d '\r' | grep -c '^HKEY.*\\{'
}
upgrade_in_place() {
    echo "-- upgrading in place while applications hold the older files"
    local older=$old_out/RevazeSetup.exe old_version start rc preset log holders=()
    old_version=$(older_version)
    [ -f "$older" ] || { fail "the older installer $older is built"; return; }
    start=$(date +%s%N)
    wine "$older" /S
    rc=$?
    expect "RevazeSetup.exe $old_version /S exits 0 (here $rc)" test $rc = 0
    expect "Apps & features shows $old_version" \
        test "$(regvalue "$uninstall_key" DisplayVersion)" = "$old_version"
    local tip_arg=()
    [ $tip = 1 ] && tip_arg=(--tip)
    # One after the other: each types into its own window while it is in front.
    for preset in win32 win64; do
        log=$build/installer/upgrade_hold_$preset.log
        installed_check $preset "$log" "$old_version" "${tip_arg[@]}" \
            --hold $([ $preset = win32 ] && echo 14 || echo 8) &
        holders+=($!)
        for _ in $(seq 60); do
            grep -q "holding" "$log" && break
            sleep 0.5
        done
    done
    for preset in win32 win64; do
        expect "a $preset application holds the older Revaze.ime${tip_arg:+ and RevazeTip.dll}" \
            grep -q "holding Revaze.ime${tip_arg:+ and RevazeTip.dll}" \
            "$build/installer/upgrade_hold_$preset.log"
    done
    wine "$installer" /S
    rc=$?
    expect "the newer installer over held files asks for a restart (exit code 3010, here $rc)" \
        test $rc = $((3010 % 256))
    expect "every file in both system directories is the new one at once" all_files_new
    expect "the held older files wait for the restart to be deleted" \
        bash -c 'grep -qi "revaze.ime.old" <<<"$0"' "$(pending_renames)"
    expect "Apps & features shows $version" \
        test "$(regvalue "$uninstall_key" DisplayVersion)" = "$version"
    for i in 0 1; do
        wait "${holders[$i]}"
        rc=$?
        preset=$([ $i = 0 ] && echo win32 || echo win64)
        show_log "$build/installer/upgrade_hold_$preset.log"
        expect "the $preset application typed on through the upgrade" test $rc = 0
    done
    "$wine64" wineboot -r >/dev/null 2>&1
    wineserver -w
    expect "after the restart nothing of Revaze waits" \
        bash -c '! grep -qi revaze <<<"$0"' "$(pending_renames)"
    for dir in "$system64" "$system32"; do
        expect "$(basename "$dir") holds no set-aside or waiting copy" \
            bash -c '! grep -qi "\.\(old\|new\)$" <<<"$0"' "$(revaze_files "$dir")"
    done
    expect "only the new files are left" all_files_new
    for preset in win64 win32; do
        log=$build/installer/upgrade_check_$preset.log
        installed_check $preset "$log" "$version" "${tip_arg[@]}"
        rc=$?
        show_log "$log"
        expect "$preset installed_check after the upgrade: version $version, one layout, typing" \
            test $rc = 0
    done
    if [ $tip = 1 ]; then
        local clsids
        clsids=$(tip_clsids)
        expect "one class serves RevazeTip.dll" test "$(grep -c . <<<"$clsids")" = 1
        expect "it has one Tibetan profile" test "$(tibetan_profiles "$clsids")" = 1
    fi
    expect "one Apps & features entry is named Revaze" test "$(uninstall_entries)" = 1
    wine "C:\\Program Files\\Revaze\\Uninstall.exe" /S
    wineserver -w
    for dir in "$system64" "$system32"; do
        expect "after the uninstall $(basename "$dir") holds nothing of Revaze" \
            test -z "$(revaze_files "$dir")"
    done
    expect "the program folder and the help document are gone" \
        bash -c '[ ! -e "$0" ] && [ ! -e "$1" ]' "$program" "$windows/IME/devero2"
    expect "no Apps & features entry, layout or class of Revaze is left" \
        bash -c '[ "$0" = 0 ] && [ -z "$1" ] && [ -z "$2" ]' "$(uninstall_entries)" \
        "$(revaze_layouts)" "$(tip_clsids)"
    echo "upgrade test took $(seconds_since "$start") s"
}

# The same upgrade while a 32-bit application keeps a dictionary file open without delete
# sharing: nothing can be moved aside, so every file stays the older one and every new one
# waits for the restart; after it only the new files are left.
upgrade_with_a_locked_file() {
    echo "-- upgrading while a file can be neither deleted nor renamed"
    local older=$old_out/RevazeSetup.exe old_version start rc holder log
    old_version=$(older_version)
    [ -f "$older" ] || return
    start=$(date +%s%N)
    wine "$older" /S
    log=$build/installer/upgrade_lock.log
    installed_check win32 "$log" "$old_version" --hold 6 --lock ZovovUvoz2.dat &
    holder=$!
    for _ in $(seq 60); do
        grep -q "holding" "$log" && break
        sleep 0.5
    done
    wine "$installer" /S
    rc=$?
    expect "the installer asks for a restart (exit code 3010, here $rc)" test $rc = $((3010 % 256))
    expect "until then every installed file is the older one: no mix" all_files_new "$old_out/stage"
    expect "the new files wait beside them" \
        bash -c '[ -f "$0/Revaze.ime.new" ] && [ -f "$1/Revaze.ime.new" ]' "$system64" "$system32"
    wait $holder
    rc=$?
    show_log "$log"
    expect "the locking application typed on" test $rc = 0
    "$wine64" wineboot -r >/dev/null 2>&1
    wineserver -w
    expect "after the restart only the new files are left" all_files_new
    expect "and no waiting copy" no_waiting_copies
    wine "C:\\Program Files\\Revaze\\Uninstall.exe" /S
    wineserver -w
    expect "an uninstall then leaves no file of Revaze" \
        test -z "$(revaze_files "$system64")$(revaze_files "$system32")"
    echo "locked-file upgrade test took $(seconds_since "$start") s"
}

upgrade_in_place
upgrade_with_a_locked_file

wineserver -k
echo "$passed passed, $failed failed, $skipped skipped"
[ $failed = 0 ]
