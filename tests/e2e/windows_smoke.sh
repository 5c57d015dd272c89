#!/usr/bin/env bash
# Runs the Windows executable under Wine in a private tmux server at 80x25 and
# plays the menu as a person would: the menu is drawn, the rules screen opens
# and goes back to the menu on a key, and the third entry ends the process
# with status 0. Wine's console counts every character as one cell, Hangul
# too, so this checks texts and their order, not the columns after Hangul.
#
# Usage: tests/e2e/windows_smoke.sh [path/to/solbangul.exe]
set -euo pipefail

exe=$(realpath "${1:-build-mingw/frontend/solbangul.exe}")
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
[[ -x $wine ]] || { echo "wine64 not found" >&2; exit 2; }
[[ -f $exe ]] || { echo "no executable at $exe" >&2; exit 2; }
# Wine writes the console to the terminal in the locale's character set: with
# none set (C, ASCII) every glyph would come out as '?'. tmux reads the same
# variable, so the pane holds UTF-8 whatever the caller's locale.
export LC_ALL=C.UTF-8

work=$(mktemp -d /tmp/sol-wine-XXXXXX)
socket=sol-wine-$$
# A prefix of its own unless one is given, so that nothing of the user's Wine
# setup is touched; a given one is reused, which saves its setting up.
export WINEPREFIX=${WINEPREFIX:-$work/prefix}
export WINEDEBUG=-all
# No Mono or Gecko installer: a console program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

cleanup() {
    tmux -L "$socket" kill-server 2>/dev/null || true
    if [[ $WINEPREFIX == "$work/prefix" ]]; then
        "${wine%/*}/wineserver" -k 2>/dev/null || wineserver -k 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

screen() { tmux -L "$socket" capture-pane -p -t 0; }
fail() { echo "FAIL: $1" >&2; screen >&2 || true; exit 1; }
# shows <text>...: every text is on the screen; shows_none: none of them is.
shows() { local s t; s=$(screen); for t; do grep -qF -- "$t" <<<"$s" || return 1; done; }
shows_none() { local s t; s=$(screen); for t; do grep -qF -- "$t" <<<"$s" && return 1; done; return 0; }
# wait_until <seconds> <description> <command...>
wait_until() {
    local end=$((SECONDS + $1)) what=$2
    shift 2
    until "$@"; do
        ((SECONDS < end)) || fail "timed out waiting for $what"
        sleep 0.2
    done
}

# A fresh prefix takes a while to set up; that is done before any screen is
# waited for.
"$wine" wineboot -i </dev/null >/dev/null 2>&1 || true

menu=("< 메 뉴 >" "게임 시작" "게임 설명" "종료 하기")
rules=("솔방울게임" "게임 규칙" "목차화면으로 돌아갑니다")

tmux -L "$socket" -f /dev/null new-session -d -x 80 -y 25 -c "$work" \
    "cd '${exe%/*}' && '$wine' '$exe'; echo \$? > '$work/status'; sleep 600"
tmux -L "$socket" set-option -g status off >/dev/null

wait_until 60 "the menu" shows "${menu[@]}"
# The drawing runs top to bottom: entry 1 above entry 2 above entry 3, each on its row.
order=$(screen | sed -nE 's/.*(게임 시작|게임 설명|종료 하기).*/\1/p' | paste -sd,)
[[ $order == "게임 시작,게임 설명,종료 하기" ]] || fail "menu entries not on three rows in order: $order"
[[ $(screen | grep -F "게임 시작") == *☞* ]] || fail "marker not beside entry 1"

tmux -L "$socket" send-keys -t 0 Down Enter
wait_until 20 "the rules screen" shows "${rules[@]}"
shows_none "게임 시작" "종료 하기" || fail "menu still shown under the rules"

tmux -L "$socket" send-keys -t 0 x
wait_until 20 "the menu after the rules" shows "${menu[@]}"
shows_none "솔방울게임" || fail "rules still shown under the menu"

tmux -L "$socket" send-keys -t 0 Down Down Enter
wait_until 20 "the process to end" test -s "$work/status"
status=$(<"$work/status")
[[ $status == 0 ]] || fail "exit status $status, expected 0"
shows_none "${menu[@]}" || fail "menu still shown after quitting"

echo "windows smoke test passed"
