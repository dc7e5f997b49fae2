#!/usr/bin/env bash
# Kills the editor program (kill -9) at random moments after a change and
# counts how often the next start offered the change back:
#   bench/recoverykills.sh EDITOR EXAMPLES [KILLS] [MOST-SECONDS]
# Each round starts the editor on a fresh copy of the Seals sample under
# Xvfb, loads it, types a new health into the first class and stores it
# (Save to Memory), waits 0 to MOST-SECONDS (default 5) seconds, kills it,
# starts it again, takes Restore when it is offered, writes out and checks
# the file for the health. The editor keeps the recovery file within two
# seconds of a change, so kills sooner than that lose it by design; the
# figures are given for kills before and after 2.5 seconds. KILLS: 100.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/app/editordriver.sh" "$1"
examples=$2
kills=${3:-100}
most=${4:-5}
driver_start
seals="$GAME/tvclass_seals.cfg"
declare -A asked offered restored
for bucket in early late; do
    asked[$bucket]=0 offered[$bucket]=0 restored[$bucket]=0
done
for round in $(seq "$kills"); do
    cp "$examples/tvclass_seals.cfg" "$seals"
    rm -rf "$DATA_HOME"/*/recovery
    health=$((200 + round % 700))
    delay=$(awk -v seed="$RANDOM" -v most="$most" 'BEGIN { srand(seed); printf "%.2f", rand() * most }')
    editor_start
    change_health "$health"
    sleep "$delay"
    editor_kill
    bucket=$(awk -v d="$delay" 'BEGIN { print (d < 2.5 ? "early" : "late") }')
    asked[$bucket]=$((asked[$bucket] + 1))
    editor_start
    # The offer comes before the window shows.
    editor_window '^Tolvane Class Creator' >/dev/null || driver_fail "round $round: the editor did not start again"
    if question_window 0 >/dev/null; then
        offered[$bucket]=$((offered[$bucket] + 1))
        editor_answer Return
        editor_keys ctrl+s
        for _ in $(seq 30); do
            grep -q "^health $health\$" "$seals" && break
            sleep 0.1
        done
        grep -q "^health $health\$" "$seals" && restored[$bucket]=$((restored[$bucket] + 1))
    fi
    echo "round $round: killed ${delay} s after the change; offered ${offered[$bucket]}, restored ${restored[$bucket]} of ${asked[$bucket]} $bucket"
    editor_kill
done
for bucket in early late; do
    when=$([ $bucket = early ] && echo before || echo after)
    echo "killed $when 2.5 s: of ${asked[$bucket]} kills, ${offered[$bucket]} offered the change back," \
        "${restored[$bucket]} restored it"
done
echo "all: of $((asked[early] + asked[late])) kills, $((offered[early] + offered[late])) offered the change back"
