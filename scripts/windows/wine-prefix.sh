# The Windows release: a quiet Wine and a Wine prefix of the build's own.
# Sourced by what runs the Windows build under Wine (after scripts/lib/steps.sh):
# a quiet Wine, and make_wine_prefix.
# shellcheck shell=bash
export WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='

# Sets up a new Wine prefix at $WINEPREFIX with Windows' dialog font, Tahoma,
# and the other fonts named (marlett draws the frame's buttons); without them
# Wine falls back to fonts of the host. Wine's processes outlive the command
# that starts them, so none is left holding the caller's output.
#   make_wine_prefix [FONT...]
make_wine_prefix() {
    need wine wineboot wineserver
    wineboot --init </dev/null >/dev/null 2>&1 || fail "wineboot could not set up $WINEPREFIX"
    wineserver --wait
    local font
    for font in tahoma "$@"; do
        [ -f "/usr/share/wine/fonts/$font.ttf" ] || fail "/usr/share/wine/fonts/$font.ttf is missing (package fonts-wine)"
        cp "/usr/share/wine/fonts/$font.ttf" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
}
