# shellcheck shell=bash
# shellcheck disable=SC2031 # the subshells only compute; the exports below are meant
# For a developer's shell:  source scripts/env.sh
# Starts (or reuses) a private Xvfb for this checkout and makes sure the private Wine prefix
# exists, then exports DISPLAY, VTL_WINEPREFIX, WINEPREFIX, WINEDEBUG and WINEDLLOVERRIDES, so
# that ctest in build/win32 or build/native, scripts/wine-exec and plain `wine` work by hand.
# `vtl_env_stop` stops the Wine processes of the prefix and that Xvfb again.
# Note: scripts/test and scripts/run stop all Wine processes of the prefix when they start and end.

_vtl_env_scripts="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# Prints "<display> <xvfb pid> <state file> <prefix>", starting Xvfb when the saved one is gone.
_vtl_env_setup() (
    set -euo pipefail
    # shellcheck source=scripts/lib.sh
    source "$_vtl_env_scripts/lib.sh"
    vtl_wine_env
    state="$VTL_BUILD/env-session"
    display="" pid=""
    if [[ -f "$state" ]]; then
        read -r display pid <"$state" || true
    fi
    if [[ -z "$pid" || "$(cat "/proc/$pid/comm" 2>/dev/null)" != Xvfb || ! -S "/tmp/.X11-unix/X${display#:}" ]]; then
        vtl_xvfb_start >&2 # keeps running after this subshell: the state file remembers it
        display="$DISPLAY" pid="$VTL_XVFB_PID"
        mkdir -p "$VTL_BUILD"
        echo "$display $pid" >"$state"
    fi
    DISPLAY="$display" vtl_prefix_ensure >&2
    echo "$display $pid $state $VTL_WINEPREFIX"
)

vtl_env_stop() {
    (
        # shellcheck source=scripts/lib.sh
        source "$_vtl_env_scripts/lib.sh"
        vtl_wine_env
        vtl_stop_wine
        state="$VTL_BUILD/env-session"
        if [[ -f "$state" ]]; then
            read -r _ pid <"$state" || true
            if [[ -n "${pid:-}" && "$(cat "/proc/$pid/comm" 2>/dev/null)" == Xvfb ]]; then
                kill -TERM "$pid" 2>/dev/null || true
            fi
            rm -f "$state"
        fi
    )
    unset DISPLAY
}

if _vtl_env_out="$(_vtl_env_setup)"; then
    read -r _vtl_display _ _ _vtl_prefix <<<"$_vtl_env_out"
    export DISPLAY="$_vtl_display"
    export VTL_WINEPREFIX="$_vtl_prefix" WINEPREFIX="$_vtl_prefix"
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    echo "DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX (vtl_env_stop to stop)"
else
    echo "scripts/env.sh: could not set up the display or the Wine prefix" >&2
fi
unset _vtl_env_out _vtl_display _vtl_prefix
