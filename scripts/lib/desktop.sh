# shellcheck shell=bash
# Runs the editor under Wine on an X display; sourced by scripts/quelmarn and tests/e2e/run.
#
#   desktop_use_prefix DIR         Wine settings for the prefix DIR (exported)
#   desktop_prepare_prefix         makes the prefix on first use: Japanese fonts, Wine's own frames
#   desktop_start LOGDIR           locks the prefix, starts a private Xvfb and the window manager
#   desktop_open_editor EXE [ARG]  starts the editor, waits until its main window is drawn and active
#   desktop_capture PNG            saves a picture of the editor's main window
#   desktop_close_editor           File > Exit ("終了(&X)"), waits for the editor to end with 0
#   desktop_stop                   ends everything started here, by process id
#   desktop_windows_path PATH      the Windows form of PATH
#
# Failing functions say why on standard error and return 1. A caller that uses
# desktop_start traps desktop_stop on exit, so that nothing is left running.

desktop_lib_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/lib/wine-loader.sh
source "$desktop_lib_dir/wine-loader.sh"
# Bump when the prefix settings change, so that existing prefixes are set up again.
desktop_prefix_marker=.quelmarn-desktop-1
desktop_prefix_locked=
desktop_log_dir=
desktop_xvfb_pid=
desktop_wm_pid=
desktop_editor_pid=
desktop_editor_window=

desktop_use_prefix() {
    export WINEPREFIX=$1
    export WINEDEBUG=-all
    # The editor's 8-bit texts are code page 932: Wine takes the ANSI code page from the locale.
    export LC_ALL=ja_JP.UTF-8
    # No Mono or Gecko installer dialogs when the prefix is made.
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

# The Windows form of a Linux path, for a program under Wine.
desktop_windows_path() {  # PATH
    "$(wine_tool)" winepath -w "$1" 2>/dev/null 9>&-
}

# Waits up to SECONDS for COMMAND to succeed, polling ten times a second.
desktop_wait_for() {  # SECONDS WHAT COMMAND...
    local seconds=$1 what=$2 tries
    shift 2
    for ((tries = seconds * 10; tries > 0; tries--)); do
        "$@" && return 0
        sleep 0.1
    done
    echo "timed out after $seconds s waiting for $what" >&2
    return 1
}

desktop_lock_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    # File descriptor 9 holds the lock. Child processes get it closed (9>&-), so that the
    # lock ends with this shell's hold on it and not with a lingering wineserver.
    exec 9>"$WINEPREFIX.lock"
    if ! flock -w 300 9; then
        echo "the Wine prefix $WINEPREFIX stayed in use by another run for 5 minutes" >&2
        return 1
    fi
    desktop_prefix_locked=yes
}

desktop_unlock_prefix() {
    exec 9>&-
    desktop_prefix_locked=
}

desktop_prepare_prefix() {
    local held=$desktop_prefix_locked
    [ -n "$held" ] || desktop_lock_prefix || return 1
    if [ ! -f "$WINEPREFIX/$desktop_prefix_marker" ]; then
        echo "Setting up the Wine prefix $WINEPREFIX (once)" >&2
        desktop_set_up_prefix || return 1
    fi
    [ -n "$held" ] || desktop_unlock_prefix
}

desktop_set_up_prefix() {
    local reg_file
    reg_file=$(mktemp --suffix=.reg)
    # regedit reads version 5 files as UTF-16 with a byte order mark and CR LF line ends.
    { printf '\xff\xfe'; sed 's/$/\r/' "$desktop_lib_dir/wine-desktop.reg" | iconv -f UTF-8 -t UTF-16LE; } >"$reg_file"
    (
        unset DISPLAY
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            "$(wine_tool)" wineboot --init
        fi
        "$(wine_tool)" regedit /S "$(desktop_windows_path "$reg_file")"
        # Wine draws the caption buttons with Marlett, which it finds only among the
        # prefix's fonts.
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
        wineserver -w
    ) >/dev/null 2>&1 9>&-
    rm -f "$reg_file"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wineboot could not make the Wine prefix $WINEPREFIX" >&2
        return 1
    fi
    touch "$WINEPREFIX/$desktop_prefix_marker"
}

desktop_start() {  # LOGDIR
    desktop_log_dir=$1
    mkdir -p "$desktop_log_dir"
    desktop_lock_prefix || return 1
    desktop_prepare_prefix || return 1
    local display_file=$desktop_log_dir/display
    : >"$display_file"
    # Xvfb picks a free display number itself and writes it to file descriptor 3 once it
    # accepts connections.
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -br 3>"$display_file" >"$desktop_log_dir/xvfb.log" 2>&1 9>&- &
    desktop_xvfb_pid=$!
    desktop_wait_for 10 "the X server" grep -q . "$display_file" || return 1
    DISPLAY=:$(head -n 1 "$display_file")
    export DISPLAY
    # Without a window manager Wine's windows get no keyboard focus and input goes astray.
    FVWM_USERDIR=$desktop_log_dir fvwm -f "$desktop_lib_dir/fvwm-config" -s >"$desktop_log_dir/fvwm.log" 2>&1 9>&- &
    desktop_wm_pid=$!
    desktop_wait_for 10 "the window manager" desktop_window_manager_ready
}

desktop_window_manager_ready() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# A fingerprint of what a window shows: the number of colours and a hash of the pixels.
desktop_look() {  # WINDOW
    import -window "$1" -format '%k %#' info: 2>/dev/null
}

desktop_changed_from() {  # WINDOW LOOK
    local now
    now=$(desktop_look "$1") && [ "$now" != "$2" ]
}

desktop_unchanged() {  # WINDOW; true when two looks in a row agree
    local now
    now=$(desktop_look "$1") || return 1
    if [ "$now" = "${desktop_last_look:-}" ]; then
        return 0
    fi
    desktop_last_look=$now
    return 1
}

desktop_wait_settled() {  # WINDOW WHAT
    desktop_last_look=
    desktop_wait_for 10 "$2" desktop_unchanged "$1"
}

desktop_wait_change() {  # WINDOW LOOK WHAT: waits until the window no longer shows LOOK and settles
    desktop_wait_for 10 "$3" desktop_changed_from "$1" "$2" && desktop_wait_settled "$1" "$3 to settle"
}

desktop_editor_active() {
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$desktop_editor_window" ]
}

# A drawn window shows more than its background colour.
desktop_editor_drawn() {
    local look
    look=$(desktop_look "$desktop_editor_window") && [ "${look%% *}" -gt 2 ]
}

# The display is private, so the window is found by its caption alone: Wine may run the
# program in a process of its own start helper, whose id is not the one started here.
desktop_editor_shown_or_ended() {
    desktop_editor_window=$(xdotool search --onlyvisible --name '^Quelmarn' 2>/dev/null | head -n 1)
    [ -n "$desktop_editor_window" ] || desktop_editor_ended
}

desktop_open_editor() {  # EXE [ARG]: started in its own directory, where its settings file lies
    local exe=$1 loader
    shift
    loader=$(wine_loader "$exe")
    (cd "$(dirname "$exe")" && exec "$loader" "$(basename "$exe")" "$@") >>"$desktop_log_dir/wine.log" 2>&1 9>&- &
    desktop_editor_pid=$!
    desktop_wait_for 60 "the editor's main window to appear" desktop_editor_shown_or_ended || return 1
    if [ -z "$desktop_editor_window" ]; then
        echo "the editor ended before its main window appeared" >&2
        return 1
    fi
    desktop_wait_for 10 "the editor's main window to take the keyboard focus" desktop_editor_active &&
        desktop_wait_for 10 "the editor's main window to be drawn" desktop_editor_drawn &&
        desktop_wait_settled "$desktop_editor_window" "the editor's main window to be drawn completely"
}

desktop_capture() {  # PNG
    # -strip leaves out the time stamps, so that the same picture gives the same file.
    import -window "$desktop_editor_window" -strip "$1"
}

# Gone, or a zombie that only waits for this shell to collect its exit status.
desktop_editor_ended() {
    local stat
    stat=$(cat "/proc/$desktop_editor_pid/stat" 2>/dev/null) || return 0
    stat=${stat##*) }
    [ "${stat%% *}" = Z ]
}

desktop_close_editor() {
    local look status=0
    look=$(desktop_look root)
    xdotool key alt+f
    desktop_wait_change root "$look" "the File menu to open" || return 1
    xdotool key x
    desktop_wait_for 15 "the editor to end after File > Exit" desktop_editor_ended || return 1
    wait "$desktop_editor_pid" || status=$?
    desktop_editor_pid=
    if [ "$status" -ne 0 ]; then
        echo "the editor ended with status $status" >&2
        return 1
    fi
}

# Safe in an exit trap under set -e: nothing here stops it half-way.
desktop_stop() {
    if [ -n "$desktop_editor_pid" ]; then
        kill "$desktop_editor_pid" 2>/dev/null || true
    fi
    if [ -n "$desktop_prefix_locked" ]; then
        # Ends every Wine process of this prefix: the editor and Wine's own helpers.
        wineserver -k 9>&- 2>/dev/null || true
        # A wineserver that is still going down would take the next run's first program
        # with it.
        wineserver -w 9>&- 2>/dev/null || true
    fi
    local pid
    for pid in $desktop_wm_pid $desktop_xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in $desktop_editor_pid $desktop_wm_pid $desktop_xvfb_pid; do
        wait "$pid" 2>/dev/null || true
    done
    desktop_editor_pid=''
    desktop_wm_pid=''
    desktop_xvfb_pid=''
    if [ -n "$desktop_prefix_locked" ]; then
        desktop_unlock_prefix
    fi
}
