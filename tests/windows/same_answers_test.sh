#!/usr/bin/env bash
# The Windows build answers as the Linux build does:
#   tests/windows/same_answers_test.sh WINDOWS_BUILD_DIR LINUX_BRIVANE_CLI
# In a throw-away Wine prefix, brivane-cli.exe reads the live registry and brivane-cli
# reads the prefix's files: the inventories must be the same. Then both run the demo's
# check against the loopback world: the lists before and after its installs must be the
# same (which installer finished first may differ, so the names installed are compared
# as a set).
set -euo pipefail
build="$(cd "${1:?usage: $0 WINDOWS_BUILD_DIR LINUX_BRIVANE_CLI}" && pwd)"
linux_cli="${2:?usage: $0 WINDOWS_BUILD_DIR LINUX_BRIVANE_CLI}"
windows_cli="$build/src/brivane-cli.exe"

source "$(dirname "$0")/wine_test_prefix.sh"
unset BRIVANE_REGISTRY BRIVANE_HOSTS APPDATA

windows() { # the Windows program's output with Windows' line ends made plain
    wine "$windows_cli" "$@" | tr -d '\r'
}
# Everything of the demo's JSON but the order of the names installed.
lists_of() {
    sed '/^  "installed": \[/,/^  \],$/d' "$1"
}
installed_of() {
    sed -n '/^  "installed": \[/,/^  \],$/p' "$1" | grep -v '[][]' | sed 's/[ ,]//g' | sort
}

wine wineboot -i >/dev/null 2>&1
windows inventory --json >"$work/inventory.windows"
"$wineserver" -w # the registry is on disk once the prefix is at rest
"$linux_cli" inventory --registry "$WINEPREFIX" --json >"$work/inventory.linux"
diff -u "$work/inventory.linux" "$work/inventory.windows" >&2 ||
    fail "the inventories of one prefix differ (- Linux, + Windows)"

windows demo --json >"$work/demo.windows" 2>"$work/demo.windows.err" ||
    fail "the Windows demo failed: $(cat "$work/demo.windows.err")"
"$linux_cli" demo --json >"$work/demo.linux" 2>"$work/demo.linux.err" ||
    fail "the Linux demo failed: $(cat "$work/demo.linux.err")"
grep -q '"before": {' "$work/demo.linux" || fail "the Linux demo printed no lists"
diff -u <(lists_of "$work/demo.linux") <(lists_of "$work/demo.windows") >&2 ||
    fail "the demo's lists differ (- Linux, + Windows)"
diff -u <(installed_of "$work/demo.linux") <(installed_of "$work/demo.windows") >&2 ||
    fail "the demo installed other programs (- Linux, + Windows)"
[[ -n "$(installed_of "$work/demo.linux")" ]] || fail "the demo installed nothing"

if ((failures)); then
    echo "same_answers_test: $failures failure(s)" >&2
    exit 1
fi
echo "same_answers_test: PASS"
