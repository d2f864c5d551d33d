#!/usr/bin/env bash
# The Windows installer under Wine: tests/windows/package_test.sh [BUILD_DIR]
# (default build/windows, a build of the windows preset). Packs BUILD_DIR with
# scripts/package-windows, then in a throw-away Wine prefix installs it silently as the
# self-updater does, runs the installed brivane-cli.exe (--version, list), reads the record,
# installs again over a running and over an outdated copy, and uninstalls.
# BRIVANE_LINUX_CLI, when set, names a Linux brivane-cli whose inventory of the prefix
# must list the installed program.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/windows}"
[[ -f "$build/src/brivane-cli.exe" ]] || {
    echo "package_test: no $build/src/brivane-cli.exe (cmake --build --preset windows --target brivane-cli)" >&2
    exit 1
}
build="$(cd "$build" && pwd)"
started=$SECONDS

source "$root/tests/windows/wine_test_prefix.sh"
expect_equal() { # what, expected, actual
    [[ "$2" == "$3" ]] || fail "$1: expected '$2', got '$3'"
}
# Runs a Windows program in the prefix and waits until every process it started has ended
# (an NSIS uninstaller goes on from a copy of itself).
run() {
    local status=0
    wine "$@" || status=$?
    "$wineserver" -w
    return $status
}

# Bad build folders are refused with a message saying what is missing, and nothing is
# written; so is a version that cannot be read.
mkdir -p "$work/empty" "$work/no-cache/src" "$work/copy/src/base" "$work/copy/scripts" "$work/full"
ln -s "$build/src" "$work/full/src"
cp "$build/src/brivane-cli.exe" "$work/no-cache/src/"
cp "$root/scripts/package-windows" "$work/copy/scripts/"
printf 'inline constexpr const char* kProgramVersion = "";\n' >"$work/copy/src/base/identity.h"
while IFS='|' read -r script folder message; do
    output="$("$script" "$folder" 2>&1)" && fail "package-windows $folder succeeded"
    [[ "$output" == *"$message"* ]] || fail "package-windows $folder said '$output', not '$message'"
    [[ ! -e "$folder/brivane-setup.exe" ]] || fail "package-windows $folder wrote an installer"
done <<EOF
$root/scripts/package-windows|$work/missing|no build folder
$root/scripts/package-windows|$work/empty|no $work/empty/src/brivane-cli.exe
$root/scripts/package-windows|$work/no-cache|no $work/no-cache/src/Cache folder
$work/copy/scripts/package-windows|$work/full|names no program version
EOF

"$root/scripts/package-windows" "$build"
setup="$build/brivane-setup.exe"

seconds=$SECONDS
wine wineboot --init >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log" >&2; exit 1; }
"$wineserver" -w
echo "The Wine prefix's first start took $((SECONDS - seconds)) s"

installed="$WINEPREFIX/drive_c/Program Files/Brivane"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brivane'
expect_installed() { # what, folder (default: the default one)
    local folder="${2:-$installed}"
    cmp -s "$build/src/brivane-cli.exe" "$folder/brivane-cli.exe" || fail "$1: brivane-cli.exe differs from the build's"
    diff -r "$build/src/Cache" "$folder/Cache" >/dev/null 2>&1 || fail "$1: the Cache folder differs from the build's"
    diff -r "$build/src/Demo" "$folder/Demo" >/dev/null 2>&1 || fail "$1: the Demo folder differs from the build's"
    [[ -f "$folder/uninstall.exe" ]] || fail "$1: no uninstall.exe"
    # The program's own files and nothing else of the build (a user's file may be beside them).
    local entry
    for entry in "$folder"/* "$folder"/.[!.]*; do
        [[ -e "$entry" ]] || continue
        case "${entry##*/}" in
        brivane-cli.exe | Cache | Demo | uninstall.exe | notes.txt) ;;
        *) fail "$1: more was installed than the program: ${entry##*/}" ;;
        esac
    done
}
# One value of the uninstall record in the 64-bit view, as reg.exe shows it.
record_value() { # name
    wine reg query "$key" /v "$1" /reg:64 2>/dev/null | tr -d '\r' |
        sed -n "s/^    $1    REG_[A-Z]*    //p"
}

# A silent install that cannot write a file fails, and does not register a broken program.
# A file in the way of the Demo folder is the obstacle.
blocked="$WINEPREFIX/drive_c/Blocked/Brivane"
mkdir -p "$blocked"
echo "in the way" >"$blocked/Demo"
status=0
run "$setup" /silent '/D=C:\Blocked\Brivane' || status=$?
expect_equal "the exit code of an install that cannot write a file" 2 "$status"
wine reg query "$key" /reg:64 >/dev/null 2>&1 && fail "an install that cannot write a file left a record"

seconds=$SECONDS
run "$setup" /silent || fail "the silent install ended with exit code $?"
echo "The silent install took $((SECONDS - seconds)) s"
expect_installed "after the install"

# The installed program runs, is the build's and finds its Cache folder (the programs'
# descriptions); the record names it by the same version.
output_of() { # program, arguments
    wine "$@" 2>&1 | tr -d '\r'
}
program='C:\Program Files\Brivane\brivane-cli.exe'
build_version="$(output_of "$build/src/brivane-cli.exe" --version)" || fail "the build's --version failed"
installed_version="$(output_of "$program" --version)" || fail "the installed --version failed"
expect_equal "the installed brivane-cli.exe --version" "$build_version" "$installed_version"
build_lists="$(output_of "$build/src/brivane-cli.exe" list --json)" || fail "the build's list failed"
installed_lists="$(output_of "$program" list --json)" || fail "the installed list failed"
[[ "$installed_lists" == "$build_lists" ]] || fail "the installed brivane-cli.exe lists otherwise than the build's"
description_pattern='"InformationEn": "[^"]'
[[ "$installed_lists" =~ $description_pattern ]] || fail "the installed brivane-cli.exe found no description"
version_pattern='^Brivane ([0-9.]+) build ([0-9]+)$'
[[ "$build_version" =~ $version_pattern ]] || fail "the build's --version said '$build_version'"
version="${BASH_REMATCH[1]}.${BASH_REMATCH[2]}"
# Its version resource says the same, read by the program itself.
file_version="$(output_of "$program" version-of "$program" | sed -n 's/^FileVersion  *//p')"
expect_equal "the installed brivane-cli.exe's FileVersion" "$version" "$file_version"

while IFS='|' read -r name value; do
    expect_equal "the record's $name" "$value" "$(record_value "$name")"
done <<EOF
DisplayName|Brivane
DisplayVersion|$version
Publisher|Brivane
InstallLocation|C:\\Program Files\\Brivane
DisplayIcon|C:\\Program Files\\Brivane\\uninstall.exe,0
UninstallString|"C:\\Program Files\\Brivane\\uninstall.exe"
QuietUninstallString|"C:\\Program Files\\Brivane\\uninstall.exe" /S
NoModify|0x1
NoRepair|0x1
EOF
size_kb=$(($(du -sk "$installed" | cut -f1)))
estimated=$(($(record_value EstimatedSize)))
((estimated > size_kb / 2 && estimated < size_kb * 2)) ||
    fail "the record's EstimatedSize is $estimated KB for $size_kb KB installed"

# The program finds itself among the installed applications, on Windows and on Linux.
expect_listed() { # whose inventory, its JSON
    local listed
    listed="$(grep -F -A4 '"Name": "Brivane",' <<<"$2" | sed 's/^ *//')"
    expect_equal "Brivane in $1 inventory" '"Name": "Brivane",
"Version": "'"$version"'",
"Icon": "C:\\Program Files\\Brivane\\uninstall.exe,0",
"InstallLocation": "C:\\Program Files\\Brivane",
"UninstallString": "C:\\Program Files\\Brivane\\uninstall.exe"' "$listed"
}
expect_listed "the installed program's" "$(output_of "$program" inventory --json)"
if [[ -n "${BRIVANE_LINUX_CLI:-}" ]]; then
    "$wineserver" -w # the registry is on disk once the prefix is at rest
    expect_listed "the Linux program's" "$("$BRIVANE_LINUX_CLI" inventory --registry "$WINEPREFIX" --json)"
fi

# A new version over a running program fails, and leaves the running one alone, rather
# than report success with the old program still in place. A console that waits for its
# input stands in for the running program.
cmd="$WINEPREFIX/drive_c/windows/system32/cmd.exe"
cp "$cmd" "$installed/brivane-cli.exe"
touch "$installed/Cache/A program no longer in the catalogue"
coproc running { wine 'C:\Program Files\Brivane\brivane-cli.exe' 2>&1; }
read -r -t 60 _ <&"${running[0]}" || fail "the stand-in for a running program did not start"
status=0
wine "$setup" /silent || status=$?
expect_equal "the exit code of an install over a running program" 2 "$status"
cmp -s "$cmd" "$installed/brivane-cli.exe" || fail "an install over a running program replaced it"
[[ -e "$installed/Cache/A program no longer in the catalogue" ]] ||
    fail "an install over a running program changed the Cache folder"
# So does an uninstall, run in place (_?=) so that its exit code shows; the program stays
# listed. NSIS wants the folder unquoted at the end of its command line: given in two
# arguments, Wine joins them with the space and no quotes.
status=0
wine "$installed/uninstall.exe" /S '_?=C:\Program' 'Files\Brivane' || status=$?
expect_equal "the exit code of an uninstall of a running program" 2 "$status"
cmp -s "$cmd" "$installed/brivane-cli.exe" || fail "an uninstall of a running program removed it"
[[ -d "$installed/Cache" ]] || fail "an uninstall of a running program removed the Cache folder"
expect_equal "the record's DisplayName after an uninstall of a running program" Brivane \
    "$(record_value DisplayName)"
input="${running[1]}"
exec {input}>&-
# shellcheck disable=SC2154 # coproc sets running_PID
wait "$running_PID" || true
"$wineserver" -w

run "$setup" /SILENT || fail "the install over an outdated copy ended with exit code $?"
expect_installed "after the install over an outdated copy"
[[ ! -e "$installed/Cache/A program no longer in the catalogue" ]] ||
    fail "the install over an outdated copy left an outdated cache file"

# Uninstalled as other programs do it, through the record's quiet command: nothing stays.
quiet="$(record_value QuietUninstallString)"
command_pattern='^"([^"]+)" (.*)$'
[[ "$quiet" =~ $command_pattern ]] || fail "the quiet uninstall command '$quiet'"
run "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" || fail "the silent uninstall ended with exit code $?"
[[ ! -e "$installed" ]] || fail "the uninstall left $(find "$installed" | tr '\n' ' ') behind"
wine reg query "$key" /reg:64 >/dev/null 2>&1 && fail "the uninstall left the record behind"

# A folder of the user's choice (/D=, last and unquoted) is where a new version goes too;
# a file the user put into it survives the uninstall, and only that.
chosen="$WINEPREFIX/drive_c/Apps/Brivane"
run "$setup" /silent '/D=C:\Apps\Brivane' || fail "the install into a chosen folder ended with exit code $?"
run "$setup" /silent || fail "the install over a chosen folder ended with exit code $?"
expect_installed "after the install over a chosen folder" "$chosen"
[[ ! -e "$installed" ]] || fail "the install over a chosen folder went to Program Files instead"
expect_equal "the record's InstallLocation for a chosen folder" 'C:\Apps\Brivane' \
    "$(record_value InstallLocation)"
echo "mine" >"$chosen/notes.txt"
run "$chosen/uninstall.exe" /silent || fail "the uninstall beside a user's file ended with exit code $?"
expect_equal "what the uninstall left beside a user's file" "notes.txt" "$(ls -A "$chosen" 2>&1)"

echo "The installer's test took $((SECONDS - started)) s"
if ((failures > 0)); then
    echo "$failures failures" >&2
    exit 1
fi
echo "PASS"
