# Sourced by the Windows tests: a throw-away Wine prefix under $work, removed with $work
# when the test ends, and a count of failures.
work="$(mktemp -d)"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wine_program="${WINE:-$(command -v wine64 || command -v wine)}"
# A program that shows a window where it should not would wait for a click for ever.
wine() {
    timeout 300 "$wine_program" "$@"
}
wineserver="${WINESERVER:-$(command -v wineserver64 || command -v wineserver || echo /usr/lib/wine/wineserver)}"
cleanup() {
    if [[ -d "$WINEPREFIX" ]]; then
        "$wineserver" -k 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
