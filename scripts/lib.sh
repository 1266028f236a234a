# shellcheck shell=bash
# Shared helpers of the scripts in this directory; sourced, never run. Works with or without
# `set -euo pipefail` in the caller, so scripts/env.sh can use it in an interactive shell.
#
# Settings (environment):
#   VTL_BUILD_DIR   build root (default <repo>/build): win32/, native/, logs/, the Wine prefix
#   VTL_WINEPREFIX  private Wine prefix (default $VTL_BUILD_DIR/wineprefix); never ~/.wine

VTL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VTL_BUILD="${VTL_BUILD_DIR:-$VTL_ROOT/build}"
VTL_XVFB_SCREEN="1280x1024x24"
VTL_FIRST_DISPLAY=91
VTL_LAST_DISPLAY=199

vtl_log() {
    printf '[%s] %s\n' "$(basename "$0")" "$*" >&2
}

vtl_die() {
    vtl_log "error: $*"
    exit 1
}

# Exports the Wine settings every wine, wineboot and wineserver call of ours runs with.
vtl_wine_env() {
    export VTL_WINEPREFIX="${VTL_WINEPREFIX:-$VTL_BUILD/wineprefix}"
    export WINEPREFIX="$VTL_WINEPREFIX"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    unset WINEARCH
}

vtl_prefix_ready() {
    [[ -f "$VTL_WINEPREFIX/.vtl-ready" && -f "$VTL_WINEPREFIX/drive_c/windows/Fonts/tahoma.ttf" ]]
}

# Creates the prefix unless it is ready (scripts/init-wineprefix serialises concurrent callers).
vtl_prefix_ensure() {
    vtl_prefix_ready || "$VTL_ROOT/scripts/init-wineprefix"
}

# Holds an exclusive lock on $1 for as long as the calling script runs, so that two runs never
# share the prefix, the display setup or a build tree. A holder subshell owns the lock (so that
# nothing else the script starts, like Xvfb or Wine, ever carries it) and lets go when the
# script ends, however it ends; vtl_cleanup releases it last. Ctrl-C does not stop the holder:
# the lock stays held while the script cleans up.
vtl_lock() {
    local lock="$1" fd answer=""
    mkdir -p "$(dirname "$lock")"
    if ! flock -n "$lock" true; then
        vtl_log "waiting for another run that holds $lock"
    fi
    exec {fd}< <(
        trap '' INT TERM
        exec 2>/dev/null {held}>>"$lock" && flock "$held" || exit 1
        echo locked
        # A pipe nobody writes to: `read -t 1` on it naps without starting a process.
        exec {nap}<> <(:)
        while kill -0 "$$"; do
            read -r -t 1 -u "$nap" || true
        done
    )
    VTL_LOCK_PIDS+=("$!")
    read -r -u "$fd" answer || true
    exec {fd}<&-
    [[ "$answer" == locked ]] || vtl_die "could not lock $lock"
}

# --- Processes we start: tracked by PID, stopped by vtl_cleanup. ------------------------------

VTL_PIDS=()      # background jobs, stopped in reverse order
VTL_LOCK_PIDS=() # lock holders, released last
VTL_XVFB_PID=""
VTL_WINESERVER_PID=""

vtl_track() {
    VTL_PIDS+=("$1")
}

# Forgets a job that has ended, so that cleanup never signals a reused PID.
vtl_untrack() {
    local pid kept=()
    for pid in "${VTL_PIDS[@]}"; do
        [[ "$pid" == "$1" ]] || kept+=("$pid")
    done
    VTL_PIDS=("${kept[@]}")
}

# Runs a command as a tracked background job in a process group of its own and waits for it.
# Bash holds back its INT/TERM traps while a foreground command runs; this way an interruption
# stops the script at once, and vtl_cleanup stops the command with everything it started.
vtl_run() {
    setsid "$@" &
    local pid=$! rc=0
    VTL_PIDS+=("$pid")
    wait "$pid" || rc=$?
    vtl_untrack "$pid"
    return "$rc"
}

# Stops a process and the process group it leads, if any: TERM, up to 5 s, then KILL. Bash reaps
# its children by itself (PID 1 here would not); `wait` only for one still there: after an
# interrupted `wait`, bash may take a child that it already reaped for running and `wait` would
# block for good.
vtl_stop_pid() {
    local pid="$1" i
    kill -TERM -- "-$pid" 2>/dev/null || true
    kill -TERM "$pid" 2>/dev/null || true
    for ((i = 0; i < 50; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL -- "-$pid" 2>/dev/null || true
    if kill -KILL "$pid" 2>/dev/null; then
        wait "$pid" 2>/dev/null || true
    fi
}

# Stops every process of our prefix: wineserver -k first (it ends the Windows processes and the
# server in order; killing the server first would orphan them), then any Wine binary still
# running with our WINEPREFIX in its environment. Other prefixes on the machine are never touched.
vtl_stop_wine() {
    [[ -n "${VTL_WINEPREFIX:-}" && -d "$VTL_WINEPREFIX" ]] || return 0
    WINEPREFIX="$VTL_WINEPREFIX" timeout 20 wineserver -k >/dev/null 2>&1 || true
    local proc pid exe
    for proc in /proc/[0-9]*; do
        pid="${proc#/proc/}"
        exe="$(readlink "$proc/exe" 2>/dev/null)" || continue
        [[ "$exe" == /usr/lib/wine/wine* ]] || continue
        if tr '\0' '\n' 2>/dev/null <"$proc/environ" | grep -qxF "WINEPREFIX=$VTL_WINEPREFIX"; then
            kill -KILL "$pid" 2>/dev/null || true
        fi
    done
    if [[ -n "$VTL_WINESERVER_PID" ]]; then
        vtl_stop_pid "$VTL_WINESERVER_PID"
        VTL_WINESERVER_PID=""
    fi
}

# Starts a wineserver that stays up until vtl_cleanup: every Wine program then starts in about
# 0.1 s instead of 0.6 s.
vtl_wineserver_start() {
    wineserver -f -p >"$VTL_BUILD/logs/wineserver.log" 2>&1 &
    VTL_WINESERVER_PID=$!
}

VTL_STOP_WINE_AT_EXIT=0

# Stops, in this order: our background jobs, everything on the prefix (scripts that run Wine
# only), Xvfb, the locks.
vtl_cleanup() {
    local i
    for ((i = ${#VTL_PIDS[@]} - 1; i >= 0; i--)); do
        vtl_stop_pid "${VTL_PIDS[i]}"
    done
    VTL_PIDS=()
    if ((VTL_STOP_WINE_AT_EXIT)); then
        vtl_stop_wine
    fi
    if [[ -n "$VTL_XVFB_PID" ]]; then
        vtl_stop_pid "$VTL_XVFB_PID"
        VTL_XVFB_PID=""
    fi
    for ((i = ${#VTL_LOCK_PIDS[@]} - 1; i >= 0; i--)); do
        if kill -KILL "${VTL_LOCK_PIDS[i]}" 2>/dev/null; then
            wait "${VTL_LOCK_PIDS[i]}" 2>/dev/null || true
        fi
    done
    VTL_LOCK_PIDS=()
}

# Installs vtl_cleanup for the end of the script, including Ctrl-C and TERM.
# Usage: vtl_cleanup_on_exit --wine     also stop every process of the prefix then
#        vtl_cleanup_on_exit --no-wine  leave the prefix alone (e.g. scripts/build)
vtl_cleanup_on_exit() {
    case "$1" in
    --wine) VTL_STOP_WINE_AT_EXIT=1 ;;
    --no-wine) VTL_STOP_WINE_AT_EXIT=0 ;;
    *) vtl_die "vtl_cleanup_on_exit: --wine or --no-wine" ;;
    esac
    trap 'set +e; vtl_cleanup' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

# --- Private X display ------------------------------------------------------------------------

# Starts Xvfb on the first free display from :91 up, of the screen size given (WxHxD, default
# $VTL_XVFB_SCREEN); exports DISPLAY and sets VTL_XVFB_PID.
vtl_xvfb_start() {
    local n pid i log screen="${1:-$VTL_XVFB_SCREEN}"
    mkdir -p "$VTL_BUILD/logs"
    for ((n = VTL_FIRST_DISPLAY; n <= VTL_LAST_DISPLAY; n++)); do
        if [[ -e "/tmp/.X11-unix/X$n" || -e "/tmp/.X$n-lock" ]]; then
            continue
        fi
        log="$VTL_BUILD/logs/xvfb-$n.log"
        Xvfb ":$n" -screen 0 "$screen" -nolisten tcp -noreset >"$log" 2>&1 &
        pid=$!
        for ((i = 0; i < 100; i++)); do
            if ! kill -0 "$pid" 2>/dev/null; then
                break # lost the race for this number: another server took it
            fi
            if [[ -S "/tmp/.X11-unix/X$n" ]] && DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
                export DISPLAY=":$n"
                VTL_XVFB_PID=$pid
                return 0
            fi
            sleep 0.05
        done
        vtl_stop_pid "$pid"
    done
    vtl_die "no free X display between :$VTL_FIRST_DISPLAY and :$VTL_LAST_DISPLAY"
}

# Runs a command once process $1 has ended, however it ended (a test killed at its timeout
# included), from a process of its own session: nothing that stops $1 and its children stops it.
vtl_when_gone() {
    # shellcheck disable=SC2016 # expanded by the inner shell
    setsid -f bash -c 'exec {nap}<> <(:)
        while kill -0 "$0" 2>/dev/null; do read -r -t 1 -u "$nap" || true; done
        "$@"' "$@" </dev/null >/dev/null 2>&1
}

# Formats seconds as "Xm Ys".
vtl_duration() {
    printf '%dm %02ds' $(($1 / 60)) $(($1 % 60))
}

# --- Builds from a copy of the sources (scripts/check-reproducible, scripts/release) -----------

# Copies the files of the working tree that git knows (tracked, or new and not ignored) to $1.
vtl_copy_sources() {
    local dest="$1"
    mkdir -p "$dest"
    git -C "$VTL_ROOT" ls-files -z --cached --others --exclude-standard |
        tar -C "$VTL_ROOT" --null --ignore-failed-read -T - -cf - |
        tar -C "$dest" -xf -
}

# Configures a Release build of the sources in $1 into $2 and builds Vantrel.exe (and the guide
# beside it) only, at low priority.
vtl_build_program() {
    local src="$1" dir="$2"
    vtl_run nice -n 10 cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" &&
        vtl_run nice -n 10 cmake --build "$dir" --target Vantrel
}

# vtl_release_zip ZIP EPOCH FILE...: the release zip of the files, in that order, each dated
# EPOCH (seconds, UTC) with fixed attributes: the same files give the same bytes anywhere.
vtl_release_zip() {
    python3 - "$@" <<'PY'
import sys, time, zipfile
out, epoch, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
stamp = time.gmtime(max(epoch, 315532800))[:6]  # zip times start in 1980
with zipfile.ZipFile(out, "w") as z:
    for path in files:
        info = zipfile.ZipInfo(path.rsplit("/", 1)[-1], stamp)
        info.create_system = 0  # MS-DOS attributes, the same from any build machine
        info.external_attr = 0x20  # archive
        info.compress_type = zipfile.ZIP_DEFLATED
        with open(path, "rb") as f:
            z.writestr(info, f.read(), compresslevel=9)
PY
}

# vtl_size_line FILE...: each file's name and size in bytes and in KB, one line each.
vtl_size_line() {
    local f
    for f in "$@"; do
        printf '%s: %d bytes (%d KB)\n' "$(basename "$f")" "$(stat -c %s "$f")" \
            $(( ($(stat -c %s "$f") + 512) / 1024 ))
    done
}
