#!/usr/bin/env bash
# Start-up time and memory of Quillfeed against two desktop feed readers from
# Debian (QuiteRSS and RSS Guard), measured side by side in one run.
#
#   bash bench/startup.sh [RUNS]          (default 5 runs of every case)
#
# Each run starts every case once, in turn, each under its own xvfb-run with
# a fresh home folder, so that load on the machine hits all cases alike.
# Measured per start:
#   - window mapped: from just before exec to the MapNotify of the program's
#     main window (bench/window_mapped, an X client that waits for the event);
#   - memory: PSS (and USS) summed over every process of the program's
#     session from /proc/PID/smaps_rollup after IDLE seconds (default 10),
#     and the main process alone.
# Prints every start, the medians, and the ratios the goals are stated in.
#
# Environment:
#   QUILLFEED_BUILD     build folder (default ../quillfeed-build, as the scripts)
#   IDLE                seconds of idle before the memory is read (default 10)
#   CHANNELS, ITEMS     the large tree (default 1000 channels of 50 items)
#   QUILLFEED_BASELINE  another quillfeed binary (e.g. a build of main) to run
#                       as two more cases, for before/after in the same run
#   WORK                where the program folders and homes go (default a temp folder)
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${QUILLFEED_BUILD:-$ROOT/../quillfeed-build}"
IDLE="${IDLE:-10}"
CHANNELS="${CHANNELS:-1000}"
ITEMS="${ITEMS:-50}"
# WebEngine refuses to run as root without this; the peers' engines too.
if [ "$(id -u)" = 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi

# One start of one case, run inside xvfb-run by the loop below.
# Prints: CASE MS PSS_KB USS_KB MAIN_PSS_KB
one_start() {
    local name="$1" title="$2" home
    shift 2
    home="$(mktemp -d "$WORK/home.XXXXXX")"
    mkdir -m 700 "$home/runtime"
    local out
    out="$(env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME HOME="$home" \
        XDG_RUNTIME_DIR="$home/runtime" "$BUILD/bench/window_mapped" "$title" 60 -- "$@" 2>>"$WORK/log")" || true
    local pid="${out%% *}" ms="${out##* }"
    if [ -z "$out" ]; then
        rm -rf "$home"
        echo "$name -1 0 0 0"
        return
    fi
    sleep "$IDLE"
    local pss=0 uss=0 main=0 p
    for p in $(ps -e -o pid=,sid= | awk -v s="$pid" '$2 == s { print $1 }'); do
        local kb
        read -r kb u < <(awk '/^Pss:/ { p = $2 } /^Private_(Clean|Dirty):/ { u += $2 }
                               END { print p + 0, u + 0 }' "/proc/$p/smaps_rollup" 2>/dev/null ||
            echo "0 0")
        pss=$((pss + kb))
        uss=$((uss + u))
        if [ "$p" = "$pid" ]; then main=$kb; fi
    done
    kill -TERM -- "-$pid" 2>/dev/null || true
    for _ in $(seq 30); do
        [ -z "$(ps -e -o sid= | awk -v s="$pid" '$1 == s')" ] && break
        sleep 0.1
    done
    kill -KILL -- "-$pid" 2>/dev/null || true
    rm -rf "$home"
    echo "$name $ms $pss $uss $main"
}

if [ "${1:-}" = "--one" ]; then
    shift
    one_start "$@"
    exit 0
fi

RUNS="${1:-5}"

# Packages: the project's own, the two peers, and Xlib for the window watcher.
"$ROOT/scripts/setup.sh"
need=()
for p in quiterss rssguard libx11-dev xvfb xauth; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if ((${#need[@]})); then
    SUDO=""
    if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
fi

if [ ! -f "$BUILD/build.ninja" ]; then
    LAUNCHER=()
    if command -v ccache >/dev/null; then LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LAUNCHER[@]}" >&2
else
    cmake -S "$ROOT" -B "$BUILD" >&2 # finds Xlib when it was installed just now
fi
cmake --build "$BUILD" -j2 --target quillfeed startup_tree window_mapped >&2

export WORK="${WORK:-$(mktemp -d /tmp/quillfeed-startup.XXXXXX)}"
mkdir -p "$WORK"
: >"$WORK/log"

# A program folder: the binary and its pictures (the program reads and writes
# beside itself).
program_folder() {
    local dir="$1" bin="$2"
    rm -rf "$dir"
    mkdir -p "$dir/Data" "$dir/RSS" "$dir/Images"
    cp "$bin" "$dir/quillfeed"
    cp "$ROOT/resources/Images/"*.bmp "$dir/Images/"
}

# The sample tree, as the build lays it out; and the large tree, written by
# the program's own code.
make_folders() {
    local prefix="$1" bin="$2"
    program_folder "$WORK/$prefix-sample" "$bin"
    mkdir -p "$WORK/$prefix-sample/samples"
    cp "$ROOT/resources/sample/"*.xml "$WORK/$prefix-sample/samples/"
    sed "s|@QF_SAMPLES@|$WORK/$prefix-sample/samples|g" "$ROOT/resources/sample/KestrixRSS.xml.in" \
        >"$WORK/$prefix-sample/Data/KestrixRSS.xml"
    program_folder "$WORK/$prefix-large" "$bin"
    "$BUILD/bench/startup_tree" "$WORK/$prefix-large" "$CHANNELS" "$ITEMS" >&2
}
make_folders qf "$BUILD/quillfeed"
CASES=("quillfeed-sample" "quillfeed-$CHANNELS" "quiterss" "rssguard")
if [ -n "${QUILLFEED_BASELINE:-}" ]; then
    make_folders base "$QUILLFEED_BASELINE"
    CASES+=("baseline-sample" "baseline-$CHANNELS")
fi

start_case() {
    local c="$1" folder=""
    case "$c" in
    quillfeed-sample) folder="$WORK/qf-sample" ;;
    quillfeed-*) folder="$WORK/qf-large" ;;
    baseline-sample) folder="$WORK/base-sample" ;;
    baseline-*) folder="$WORK/base-large" ;;
    esac
    local args
    if [ -n "$folder" ]; then
        rm -f "$folder/quillfeed.lock"
        args=("$c" "Kestrix RSS" "$folder/quillfeed")
    elif [ "$c" = quiterss ]; then
        args=("$c" "QuiteRSS" quiterss) # its splash ("QuiteRss") is not the main window
    else
        args=("$c" "RSS Guard" rssguard)
    fi
    xvfb-run -a -s "-screen 0 1280x800x24" bash "$0" --one "${args[@]}"
}

echo "case                 mapped_ms   PSS_MiB  USS_MiB  main_PSS_MiB"
: >"$WORK/results"
for run in $(seq "$RUNS"); do
    for c in "${CASES[@]}"; do
        line="$(start_case "$c" | tail -n 1)"
        echo "$line" >>"$WORK/results"
        echo "$line" | awk '{ printf "%-20s %9s %9.1f %8.1f %13.1f\n", $1, $2, $3/1024, $4/1024, $5/1024 }'
    done
done

echo
echo "Medians of $RUNS runs (failed starts, mapped_ms -1, are left out):"
awk -v cases="${CASES[*]}" '
function median(list,    n, a, i, j, t) {
    n = split(list, a, " ")
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] + 0 < a[i] + 0) { t = a[i]; a[i] = a[j]; a[j] = t }
    if (n == 0) return -1
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
$2 >= 0 { ms[$1] = ms[$1] " " $2; pss[$1] = pss[$1] " " $3; uss[$1] = uss[$1] " " $4; mainp[$1] = mainp[$1] " " $5 }
END {
    n = split(cases, names, " ")
    for (i = 1; i <= n; i++) {
        c = names[i]
        M[c] = median(ms[c]); P[c] = median(pss[c]) / 1024
        printf "%-20s mapped %6.0f ms   PSS %6.1f MiB (main %5.1f)   USS %6.1f MiB\n", c, M[c], P[c], median(mainp[c]) / 1024, median(uss[c]) / 1024
    }
    faster = M["quiterss"] < M["rssguard"] ? "quiterss" : "rssguard"
    print ""
    print "Ratios (same run; goals: time <= 0.75 x the faster peer, sample-tree memory <= 0.8 x RSS Guard):"
    for (i = 1; i <= n; i++) {
        c = names[i]
        if (c == "quiterss" || c == "rssguard") continue
        printf "%-20s time / faster peer (%s) = %.2f   time / quiterss = %.2f   time / rssguard = %.2f   PSS / rssguard = %.2f\n", c, faster, M[c] / M[faster], M[c] / M["quiterss"], M[c] / M["rssguard"], P[c] / P["rssguard"]
    }
}' "$WORK/results"
echo
echo "Program folders, homes and the log of the starts: $WORK"
