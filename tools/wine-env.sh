# Sourced by the scripts that run Windows programs: a private Xvfb display and a Wine prefix
# inside the build folder, both torn down on exit (also on failure).
#   wine_start <build-folder>   starts Xvfb (unless WINE_USE_DISPLAY is set) and prepares the prefix
#   wine_run <exe> [args...]    runs a program under wine64 and returns its exit code
#   wine_stop                   stops the Wine server and Xvfb (installed as an EXIT trap)

WINE64=${WINE64:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || command -v wine)
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)

_xvfb_pid=""

wine_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then
        "$WINESERVER" -k >/dev/null 2>&1 || true
    fi
    if [ -n "$_xvfb_pid" ]; then
        kill "$_xvfb_pid" >/dev/null 2>&1 || true
        wait "$_xvfb_pid" 2>/dev/null || true
        _xvfb_pid=""
    fi
}

wine_start() {
    local build="$1"
    export WINEPREFIX="$(cd "$build" && pwd)/wineprefix"
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEARCH=win64
    # No Mono or Gecko installers: the program needs neither.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    trap wine_stop EXIT
    if [ -z "${WINE_USE_DISPLAY:-}" ]; then
        local display
        for display in $(seq 90 140); do
            [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] && continue
            Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            _xvfb_pid=$!
            local tries
            for tries in $(seq 50); do
                [ -e "/tmp/.X11-unix/X$display" ] && break
                sleep 0.1
            done
            if kill -0 "$_xvfb_pid" 2>/dev/null; then
                export DISPLAY=":$display"
                break
            fi
            _xvfb_pid=""
        done
        if [ -z "$_xvfb_pid" ]; then
            echo "wine-env: could not start Xvfb" >&2
            return 1
        fi
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        "$WINE64" wineboot --init >/dev/null 2>&1 || true
        "$WINESERVER" -w
    fi
    _wine_settings
}

# Wine sees the Linux file system as drive Z:.
windows_path() {
    printf 'Z:%s' "${1//\//\\}"
}

# Windows' fonts are not installed under Wine: the program's faces are mapped to the free ones
# installed with it. Without a window manager (Xvfb) Wine places the windows itself instead of
# waiting for a manager that never answers (it would wait 2 s at every hide).
_wine_settings() {
    local managed=Y
    [ -z "${WINE_USE_DISPLAY:-}" ] && managed=N
    local settings="$WINEPREFIX/ventrio-settings.reg"
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        printf '"Arial"="Liberation Sans"\r\n"黑体"="WenQuanYi Micro Hei"\r\n"宋体"="WenQuanYi Micro Hei"\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="%s"\r\n' "$managed"
    } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$settings"
    "$WINE64" regedit /S "$(windows_path "$settings")" >/dev/null 2>&1 || true
    "$WINESERVER" -w
}

wine_run() {
    "$WINE64" "$@"
}
