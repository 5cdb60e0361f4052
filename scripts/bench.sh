#!/usr/bin/env bash
# Builds the benchmarks in build/bench (installing what is missing) and runs them: the start-up of Dentaro's window against a
# bare window of the same size, then the computation against Qt's own conversions.
#   scripts/bench.sh [--runs N] [--openbox] [--windows] [--startup-only | --compute-only]
# Without DISPLAY it starts its own Xvfb on :77. Figures are medians; each ratio is taken against
# a baseline measured in the same run, so compare ratios between machines, not milliseconds.
# --windows also cross-builds the probe for Windows (scripts/qt-windows.sh gives Qt) and times the
# same windows under Wine, on a Xvfb of their own with openbox.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=25
openbox=0
windows=0
startup=1
compute=1
while [ $# -gt 0 ]; do
    case $1 in
    --runs) runs=$2; shift ;;
    --openbox) openbox=1 ;;
    --windows) windows=1 ;;
    --startup-only) compute=0 ;;
    --compute-only) startup=0 ;;
    *) sed -n '2,8p' "$0" >&2; exit 2 ;;
    esac
    shift
done

. scripts/setup.sh
packages=("${dentaro_packages[@]}" libbenchmark-dev)
if [ "$startup" = 1 ]; then
    packages+=(xvfb x11-utils dbus-daemon)
    [ "$openbox" = 1 ] && packages+=(openbox)
    [ "$windows" = 1 ] && packages+=(g++-mingw-w64-x86-64-posix wine wine64 fonts-wine openbox)
fi
dentaro_install "${packages[@]}"

cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DDENTARO_BENCHMARKS=ON \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench --parallel "$(nproc)" >/dev/null
probe=build/bench/bench/dentaro-startup-probe
compute_bench=build/bench/bench/dentaro-bench-compute
# How the probe is started: itself on Linux, through Wine for the Windows run.
probe_command=("$probe")

scratch=$(mktemp -d)
started=()
own_wine=0
cleanup() {
    local status=$? pid
    # Only the Wine server of the prefix made here: a WINEPREFIX of the user's stays alone.
    if [ "$own_wine" = 1 ]; then
        wineserver --kill 2>/dev/null || true
    fi
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    if [ "$status" != 0 ] && [ -s "$scratch/probe.log" ]; then
        echo "What the probe wrote:" >&2
        tail -n 20 "$scratch/probe.log" >&2
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT
# Qt wants a private runtime folder and warns on every start without one.
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$scratch}
chmod 700 "$scratch"

qt_version=$(qtpaths6 --qt-version 2>/dev/null || echo '?')
echo "Machine: $(nproc) CPUs, $(lscpu | sed -n 's/^Model name: *//p'), Qt $qt_version," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg)"

median() {
    sort -n | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "nan"; exit }
        print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

field() {
    sed -n "s/.*$1=\([0-9.]*\).*/\1/p" "$2"
}

# Starts the probe from a subshell that reads the clock just before it execs, so the time holds
# the exec and the dynamic loading to the microsecond, where the kernel's start time has 10 ms
# ticks. The launcher is a shell on purpose: started by a copy of itself that had just loaded Qt,
# the same probe came out about 10 ms faster, a head start no user's launcher gives Dentaro.
launch() {
    local which=$1
    shift
    (
        # The arguments are NAME=VALUE pairs.
        # shellcheck disable=SC2163
        export "$@"
        exec "${probe_command[@]}" --launched-at="$EPOCHREALTIME" "$which" 2>>"$scratch/probe.log"
    )
}

# Runs the probe on each window in turn, so that any drift of a shared machine falls on all of
# them alike; the first run of each is thrown away, as it may still be reading from disk.
table_header() {
    printf '%-12s %-8s %4s %8s %7s %7s %8s %7s %7s %7s %7s %9s\n' setting window runs ms x_bare \
        x_label rss_kib x_bare cpu_ms x_bare x_label loader_ms
}

shown=(dentaro label bare)
measure_startup() {
    local setting=$1 out=$scratch/$1
    shift
    local which i
    for which in "${shown[@]}"; do
        launch "$which" "$@" >/dev/null
        : >"$out.$which"
    done
    for ((i = 0; i < runs; ++i)); do
        for which in "${shown[@]}"; do
            launch "$which" "$@" >>"$out.$which"
        done
    done
    local bare_ms bare_kib bare_cpu label_ms label_cpu ms kib cpu load
    bare_ms=$(field startup_ms "$out.bare" | median)
    bare_kib=$(field rss_kib "$out.bare" | median)
    bare_cpu=$(field cpu_ms "$out.bare" | median)
    label_ms=$(field startup_ms "$out.label" | median)
    label_cpu=$(field cpu_ms "$out.label" | median)
    for which in "${shown[@]}"; do
        ms=$(field startup_ms "$out.$which" | median)
        kib=$(field rss_kib "$out.$which" | median)
        cpu=$(field cpu_ms "$out.$which" | median)
        load=$(field loader_ms "$out.$which" | median)
        awk -v s="$setting" -v w="$which" -v n="$(wc -l <"$out.$which")" -v ms="$ms" -v bm="$bare_ms" \
            -v lm="$label_ms" -v kib="$kib" -v bk="$bare_kib" -v cpu="$cpu" -v bc="$bare_cpu" \
            -v lc="$label_cpu" -v load="$load" 'BEGIN {
            printf "%-12s %-8s %4d %8.2f %6.2fx %6.2fx %8d %6.2fx %7.2f %6.2fx %6.2fx %9.2f\n",
                s, w, n, ms, ms / bm, ms / lm, kib, kib / bk, cpu, cpu / bc, cpu / lc, load }'
    done
}

if [ "$startup" = 1 ]; then
    # A desktop has a session bus. Without one, Qt's D-Bus thread tries to autolaunch a bus while
    # the GUI thread waits for it, which costs every window alike and only blurs the ratios.
    if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && command -v dbus-daemon >/dev/null; then
        bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null)
        export DBUS_SESSION_BUS_ADDRESS=${bus%%$'\n'*}
        started+=("${bus##*$'\n'}")
    fi
    display=${DISPLAY:-}
    own_display=0
    if [ -z "$display" ]; then
        own_display=1
        display=:77
        Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
        started+=($!)
        for _ in $(seq 50); do
            xdpyinfo -display "$display" >/dev/null 2>&1 && break
            sleep 0.1
        done
    fi
    echo
    echo "Start-up, process start to first painted frame, medians (goal: dentaro's cpu_ms within" \
        "1.25x and its ms within 1.3x of label's)"
    table_header
    measure_startup "xcb$display" DISPLAY="$display" QT_QPA_PLATFORM=xcb
    if [ "$openbox" = 1 ] && [ "$own_display" = 0 ]; then
        echo "xcb+openbox: skipped, $display already has its own window manager or none by choice"
    elif [ "$openbox" = 1 ]; then
        DISPLAY=$display openbox >"$scratch/openbox.log" 2>&1 &
        started+=($!)
        sleep 1
        if ! kill -0 "$!" 2>/dev/null; then
            cat "$scratch/openbox.log" >&2
            echo "openbox did not start" >&2
            exit 1
        fi
        measure_startup "xcb+openbox" DISPLAY="$display" QT_QPA_PLATFORM=xcb
    fi
    measure_startup offscreen QT_QPA_PLATFORM=offscreen
fi

if [ "$startup" = 1 ] && [ "$windows" = 1 ]; then
    qt_log=$scratch/qt-windows.log
    scripts/qt-windows.sh >"$qt_log" || { cat "$qt_log" >&2; exit 1; }
    rm -f build/bench-windows/CMakeCache.txt
    cmake -S . -B build/bench-windows --toolchain cmake/dentaro-windows.cmake \
        -DDENTARO_QT_WINDOWS="$(tail -n 1 "$qt_log")" -DCMAKE_BUILD_TYPE=Release \
        -DDENTARO_BENCHMARKS=ON -DBUILD_TESTING=OFF >/dev/null
    cmake --build build/bench-windows --target dentaro-startup-probe --parallel "$(nproc)" \
        >/dev/null
    probe_command=(cmake/wine-run.sh build/bench-windows/dentaro-startup-probe.exe)
    # Wine's server kept running between the starts, as on a desktop that has Wine open already;
    # the prefix is made before the first run.
    export WINEPREFIX=$scratch/wine DENTARO_WINE_DLL_DIRS
    DENTARO_WINE_DLL_DIRS=$(cat build/bench-windows/wine-dll-dirs.txt)
    mkdir -p "$WINEPREFIX"
    own_wine=1
    wineserver --persistent
    cmake/wine-run.sh wineboot --init >/dev/null 2>&1
    mkdir "$scratch/windows"
    dentaro_start_xvfb "$scratch/windows"
    started+=("$dentaro_xvfb_pid")
    windows_display=$dentaro_display
    DISPLAY=$windows_display openbox >"$scratch/openbox-windows.log" 2>&1 &
    started+=($!)
    sleep 1
    echo
    echo "Windows under Wine $(wine --version 2>/dev/null), the windows platform on Xvfb with" \
        "openbox (goal: dentaro's ms within 1.3x of label's)"
    table_header
    measure_startup "wine+openbox" DISPLAY="$windows_display" QT_QPA_PLATFORM=windows
fi

if [ "$compute" = 1 ]; then
    echo
    "$compute_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_color=false | tee "$scratch/compute.txt"
    echo
    # CPU time rather than wall time: on a shared machine the wall clock also counts the time the
    # benchmark spent waiting for a core.
    echo "Medians of CPU time against Qt's own conversions of the same numbers in the same run"
    awk '$1 ~ /_median$/ {
        name = $1; sub(/_median$/, "", name)
        ns = $4; if ($5 == "us") ns *= 1000; if ($5 == "ms") ns *= 1e6
        t[name] = ns; order[++n] = name }
    END {
        printf "%-40s %10s  %s\n", "benchmark", "cpu_ns", "ratio to baselines"
        for (i = 1; i <= n; ++i) {
            name = order[i]; split(name, part, "/"); rest = substr(name, length(part[1]) + 1)
            ratios = ""
            if (part[1] == "BM_TextToNumber")
                ratios = sprintf("%.2fx QLocale::toDouble, %.2fx QString::toDouble",
                    t[name] / t["BM_QLocaleToDouble" rest], t[name] / t["BM_QStringToDouble" rest])
            else if (part[1] == "BM_NumberToText")
                ratios = sprintf("%.2fx QLocale::toString, %.2fx QString::number",
                    t[name] / t["BM_QLocaleToString" rest], t[name] / t["BM_QStringNumber" rest])
            else if (part[1] != "BM_Compute")
                continue
            printf "%-40s %10.1f  %s\n", name, t[name], ratios
        }
    }' "$scratch/compute.txt"
fi
