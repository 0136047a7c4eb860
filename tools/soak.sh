#!/usr/bin/env bash
# Real-time soak: the installed program played for some minutes under Xvfb by
# a restless player (random keys from a seed, held for random times), with
# its resident memory sampled every ten seconds. Fails when the program dies
# or its memory grows more than 5 % past the level it had after the first
# minute. Not part of ./dev test; run it by hand:
#   tools/soak.sh [--minutes 10] [--seed 1] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
MINUTES=10 SEED=1 BUILD_DIR=build
while [ $# -gt 0 ]; do
  case "$1" in
    --minutes) MINUTES=$2; shift 2 ;;
    --seed) SEED=$2; shift 2 ;;
    -h|--help) sed -n '2,8p' "$0"; exit 0 ;;
    *) BUILD_DIR=$1; shift ;;
  esac
done
case "$BUILD_DIR" in /*) ;; *) BUILD_DIR="$ROOT/$BUILD_DIR" ;; esac

# Xvfb of our own (the tests' one harness), so that the keys reach no one
# else's windows.
if [ -z "${HERO_SOAK_IN_XVFB:-}" ]; then
  export HERO_SOAK_IN_XVFB=1
  exec python3 "$ROOT/tests/support/xserver.py" --size 1920x1080 -- \
    "$0" --minutes "$MINUTES" --seed "$SEED" "$BUILD_DIR"
fi

INSTALL="$BUILD_DIR/Hero50"
PROGRAM=""
[ -x "$INSTALL/hero50" ] && PROGRAM="$INSTALL/hero50"
[ -n "$PROGRAM" ] || { echo "soak: no program in $INSTALL" >&2; exit 2; }

# The player's store: splash switched off, first skin, no sound, windowed.
CONFIG=$(mktemp -d /tmp/hero-soak.XXXXXX)
trap 'rm -rf "$CONFIG"' EXIT
mkdir -p "$CONFIG/Quillon"
printf '[General]\nSplashScreen=0\nSkin=1\nSoundMode=2\nFullscreenMode=0\n' >"$CONFIG/Quillon/Hero50.conf"

cd "$INSTALL"
XDG_CONFIG_HOME="$CONFIG" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy "$PROGRAM" >"$CONFIG/out.log" 2>&1 &
PID=$!
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$PID/status" 2>/dev/null || echo 0; }
alive() { kill -0 "$PID" 2>/dev/null; }

WINDOW=""
for _ in $(seq 1 100); do
  WINDOW=$(xdotool search --onlyvisible --pid "$PID" 2>/dev/null | head -n 1 || true)
  [ -n "$WINDOW" ] && break
  alive || break
  sleep 0.1
done
if [ -z "$WINDOW" ]; then
  echo "soak: the program showed no window" >&2
  cat "$CONFIG/out.log" >&2
  kill -9 "$PID" 2>/dev/null || true
  exit 1
fi
xdotool windowfocus "$WINDOW" 2>/dev/null || true

# The bound keys of a fresh store: 1 Game A, 2 Game B, 3 Time, 5 ACL,
# arrows left and right, space pause. Moves come most often; ACL, which
# abandons a game, seldom, so that games also run to their end.
KEYS=(1 2 3 space 5)
for _ in $(seq 1 13); do KEYS+=(Left Right); done
RANDOM=$SEED
END=$((SECONDS + MINUTES * 60))
NEXT_SAMPLE=$((SECONDS + 10))
BASE_KB="" MAX_KB=0 EVENTS=0 SAMPLES=()
while [ $SECONDS -lt $END ]; do
  key=${KEYS[$((RANDOM % ${#KEYS[@]}))]}
  hold=$(printf '0.%03d' $((RANDOM % 300)))
  gap=$(printf '0.%03d' $((RANDOM % 700)))
  # Real key events (XTEST) to the focused handheld, as a keyboard makes them.
  xdotool windowfocus "$WINDOW" keydown "$key" sleep "$hold" keyup "$key" sleep "$gap" 2>/dev/null || true
  EVENTS=$((EVENTS + 1))
  if ! alive; then
    wait "$PID"; status=$?
    echo "soak: the program ended during play (status $status) after $EVENTS key presses" >&2
    cat "$CONFIG/out.log" >&2
    exit 1
  fi
  if [ $SECONDS -ge $NEXT_SAMPLE ]; then
    kb=$(rss_kb)
    SAMPLES+=("$kb")
    [ "$kb" -gt "$MAX_KB" ] && MAX_KB=$kb
    # The level after the first minute is the baseline: fonts, pictures and
    # the X connection are all set up by then.
    [ -z "$BASE_KB" ] && [ ${#SAMPLES[@]} -ge 6 ] && BASE_KB=$kb
    NEXT_SAMPLE=$((NEXT_SAMPLE + 10))
  fi
done
FINAL_KB=$(rss_kb)
BASE_KB=${BASE_KB:-${SAMPLES[0]:-$FINAL_KB}}

# Esc ends the program as the player would end it.
xdotool key --window "$WINDOW" Escape 2>/dev/null || true
for _ in $(seq 1 50); do alive || break; sleep 0.1; done
if alive; then
  echo "soak: the program did not end on Esc" >&2
  kill -9 "$PID"
  exit 1
fi
wait "$PID" && STATUS=0 || STATUS=$?

GROWTH=$(awk -v b="$BASE_KB" -v f="$FINAL_KB" 'BEGIN { printf "%.2f", (f - b) * 100 / b }')
echo "soak: $MINUTES min, seed $SEED, $EVENTS key presses, program $(basename "$PROGRAM")"
echo "soak: resident memory after 1 min $((BASE_KB / 1024)) MB, at the end $((FINAL_KB / 1024)) MB, highest $((MAX_KB / 1024)) MB, growth $GROWTH %"
echo "soak: samples (kB, every 10 s): ${SAMPLES[*]}"
echo "soak: exit status after Esc: $STATUS"
# Proof that the games were really played: the high scores they left.
echo "soak: high scores stored: $(grep -E '^HiScore' "$CONFIG/Quillon/Hero50.conf" | tr '\n' ' ')"
if awk -v g="$GROWTH" 'BEGIN { exit !(g > 5) }'; then
  echo "soak: FAILED: memory grew more than 5 %" >&2
  exit 1
fi
[ "$STATUS" -eq 0 ] || { echo "soak: FAILED: exit status $STATUS" >&2; exit 1; }
echo "soak: passed"
