"""Measures VEVaduDori against its floors, prints a table and writes the
Markdown report. Standard library only.

Usage: run_bench.py BUILD-DIR REPORT.md
       run_bench.py BUILD-DIR --kdxcfg    prints the figures of kdxcfg alone
BUILD-DIR is a tree configured with VEVADUDORI_BUILD_BENCH=ON and built (for
--kdxcfg, one with kdxcfg built)."""

import json
import os
import platform
import statistics
import shutil
import subprocess
import signal
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from desktop import start_x_server  # noqa: E402

ROUNDS = 6             # start-up rounds; each round alternates which program runs first
RUNS_PER_ROUND = 10
RSS_RUNS = 10
IDLE_SECONDS = 10
IDLE_ROUNDS = 2
KEEP_MARKER = "<!-- Everything below this line is kept by ./scripts/bench. -->"

BUILD = os.path.abspath(sys.argv[1])
REPORT = sys.argv[2]
PROGRAM = os.path.join(BUILD, "VEVaduDori")
PROBE = os.path.join(BUILD, "bench", "startup_probe")
MINIMAL = os.path.join(BUILD, "bench", "minimal_qt")
CAPTION_FLOOR = os.path.join(BUILD, "bench", "caption_floor")
CORE = os.path.join(BUILD, "bench", "core_benchmark")
KDXCFG = os.path.join(BUILD, "kdxcfg")
SAMPLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sample", "KDX.cfg")
KDXCFG_RUNS = 100
KDXCFG_SIZES = [1_000, 10_000, 100_000, 1_000_000]


RUNTIME_DIR = tempfile.TemporaryDirectory(prefix="vevadudori-bench-")  # Qt warns without one


def qt_env(**settings):
    env = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}
    env.update(settings, XDG_RUNTIME_DIR=RUNTIME_DIR.name)
    return env


def startup_times(env):
    """Wall times in seconds of the probe and the minimal program, from rounds of
    hyperfine whose order alternates."""
    times = {PROBE: [], MINIMAL: []}
    for round_number in range(ROUNDS):
        order = [PROBE, MINIMAL] if round_number % 2 == 0 else [MINIMAL, PROBE]
        with tempfile.NamedTemporaryFile(suffix=".json") as export:
            subprocess.run(["hyperfine", "-N", "--warmup", "2", "--runs", str(RUNS_PER_ROUND),
                            "--export-json", export.name, *order],
                           env=env, check=True, stdout=subprocess.DEVNULL)
            for result in json.load(export)["results"]:
                times[result["command"]] += result["times"]
    return statistics.median(times[PROBE]), statistics.median(times[MINIMAL])


def peak_rss_kib(command, env):
    peaks = []
    with tempfile.NamedTemporaryFile(mode="r") as out:
        for _ in range(RSS_RUNS):
            subprocess.run(["/usr/bin/time", "-f", "%M", "-o", out.name, command], env=env, check=True)
            out.seek(0)
            peaks.append(int(out.read().split()[-1]))
    return statistics.median(peaks)


def cpu_seconds(pid):
    """CPU time of all the threads of a process. The scheduler's nanoseconds,
    since utime + stime of /proc/PID/stat count whole 10 ms ticks: one tick is
    already 0.1 % of a core over 10 s."""
    total = 0
    for thread in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{thread}/schedstat") as schedstat:
            total += int(schedstat.read().split()[0])
    return total / 1e9


def idle_cpu_percent(command, env):
    """CPU of the running program over IDLE_SECONDS once its window is shown, in % of one core."""
    process = subprocess.Popen([command], cwd=os.path.dirname(command), env=env)
    try:
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(process.pid)],
                       env=env, check=True, stdout=subprocess.DEVNULL, timeout=30)
        start_cpu, start = cpu_seconds(process.pid), time.monotonic()
        time.sleep(IDLE_SECONDS)  # the measurement itself: a span of idle time
        return 100 * (cpu_seconds(process.pid) - start_cpu) / (time.monotonic() - start)
    finally:
        process.terminate()
        process.wait()


def idle_cpu(env):
    results = {PROGRAM: [], CAPTION_FLOOR: []}
    for round_number in range(IDLE_ROUNDS):
        for command in ([PROGRAM, CAPTION_FLOOR] if round_number % 2 == 0 else [CAPTION_FLOOR, PROGRAM]):
            results[command].append(idle_cpu_percent(command, env))
    return statistics.mean(results[PROGRAM]), statistics.mean(results[CAPTION_FLOOR])


def core_benchmarks():
    """CPU nanoseconds per run of ReadAndSave and CopyBytes, by file length in lines."""
    done = subprocess.run([CORE, "--benchmark_format=json", "--benchmark_min_time=0.2"],
                          check=True, capture_output=True, text=True)
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}
    timings = {}
    for entry in json.loads(done.stdout)["benchmarks"]:
        if entry.get("run_type") == "iteration":
            name, lines = entry["name"].split("/")
            # CPU time: on a shared machine wall time also counts the other processes.
            timings.setdefault(name, {})[int(lines)] = entry["cpu_time"] * scale[entry["time_unit"]]
    return timings["ReadAndSave"], timings["CopyBytes"]


def hyperfine(commands, folder, runs, options=()):
    """Median wall seconds of each command line, run in the folder without a shell."""
    with tempfile.NamedTemporaryFile(suffix=".json") as export:
        subprocess.run(["hyperfine", "-N", "--warmup", "3", "--runs", str(runs), "--export-json", export.name,
                        *options, *commands], cwd=folder, check=True, stdout=subprocess.DEVNULL)
        return [statistics.median(result["times"]) for result in json.load(export)["results"]]


def kdxcfg_set_against_sed():
    """Median seconds of kdxcfg set and sed -i on a copy of the sample KDX.cfg
    (max_bots 16), both in one hyperfine run, the copy made afresh before each
    run: setting 10, a real change, and setting 16, which kdxcfg finds
    unchanged and does not write while sed -i rewrites the file."""
    with tempfile.TemporaryDirectory(dir=BUILD) as folder:
        reset = ["--prepare", f"cp {SAMPLE} KDX.cfg"]
        return {value: hyperfine([f"{KDXCFG} set max_bots={value}",
                                  f"sed -i 's/^max_bots .*/max_bots {value}/' KDX.cfg"], folder, KDXCFG_RUNS, reset)
                for value in (10, 16)}


def kdxcfg_on_long_files():
    """Median seconds of kdxcfg show and kdxcfg check by file length in lines: the
    sample, then comment lines up to the length."""
    with open(SAMPLE, "rb") as sample:
        head = sample.read()
    timings = {"show": {}, "check": {}}
    with tempfile.TemporaryDirectory(dir=BUILD) as folder:
        for lines in KDXCFG_SIZES:
            with open(os.path.join(folder, "KDX.cfg"), "wb") as cfg:
                cfg.write(head + b"# a comment line of the padding\r\n" * (lines - head.count(b"\n")))
            runs = 10 if lines >= 1_000_000 else 30
            # check exits with 1: the padded file has more than 256 lines.
            timings["show"][lines], timings["check"][lines] = hyperfine(
                [f"{KDXCFG} show", f"{KDXCFG} check"], folder, runs, ["--ignore-failure"])
    return timings


def row(cells):
    return "| " + " | ".join(cells) + " |"


def table(header, rows):
    return "\n".join([row(header), row(["---"] * len(header)), *map(row, rows)])


def measure_kdxcfg():
    """The tables of kdxcfg: against sed -i, and on long files."""
    def ms(seconds):
        return f"{seconds * 1000:.1f} ms"

    command_rows = []
    for value, (kdxcfg_set, sed) in kdxcfg_set_against_sed().items():
        ratio = kdxcfg_set / sed
        case = "a change" if value == 10 else "no change: kdxcfg writes nothing"
        command_rows.append([f"`kdxcfg set max_bots={value}` against `sed -i`, sample KDX.cfg ({case})",
                             ms(kdxcfg_set), ms(sed), f"{ratio:.2f}x", "<= 1.50x", "met" if ratio <= 1.5 else "MISSED"])
    long_files = kdxcfg_on_long_files()
    smallest_file, largest_file = min(KDXCFG_SIZES), max(KDXCFG_SIZES)
    long_file_rows = [[f"{lines:,}"] + [ms(long_files[command][lines]) for command in ("show", "check")]
                      for lines in KDXCFG_SIZES]
    # Linear: the time beyond the smallest file grows as the lines do.
    growth_rows = []
    for command in ("show", "check"):
        extra = {lines: long_files[command][lines] - long_files[command][smallest_file] for lines in KDXCFG_SIZES}
        factor = extra[largest_file] / extra[100_000]
        growth_rows.append([f"kdxcfg {command}: time beyond {smallest_file:,} lines, 10^6 lines / 10^5 lines",
                            f"{factor:.1f}", "linear: 10 (<= 15)", "met" if factor <= 15 else "MISSED"])

    return (table(["measure", "kdxcfg", "sed -i", "ratio", "target", ""], command_rows),
            table(["lines", "kdxcfg show", "kdxcfg check"], long_file_rows),
            table(["kdxcfg target", "measured", "target", ""], growth_rows))


def measure():
    offscreen = qt_env(QT_QPA_PLATFORM="offscreen")
    probe_off, minimal_off = startup_times(offscreen)
    rss_probe_off, rss_minimal_off = peak_rss_kib(PROBE, offscreen), peak_rss_kib(MINIMAL, offscreen)

    display, x_server_pid = start_x_server()
    try:
        x11 = qt_env(QT_QPA_PLATFORM="xcb", DISPLAY=display)
        probe_x, minimal_x = startup_times(x11)
        rss_probe_x, rss_minimal_x = peak_rss_kib(PROBE, x11), peak_rss_kib(MINIMAL, x11)
        cpu_program, cpu_floor = idle_cpu(x11)
    finally:
        os.kill(x_server_pid, signal.SIGTERM)

    def ms(seconds):
        return f"{seconds * 1000:.1f} ms"

    def mib(kib):
        return f"{kib / 1024:.1f} MiB"

    def pct(value):
        return f"{value:.2f} %"

    def compare(what, ours, floor, show, target):
        ratio = ours / floor
        return [what, show(ours), show(floor), f"{ratio:.2f}x", f"<= {target:.2f}x",
                "met" if ratio <= target else "MISSED"]

    process_rows = [
        compare("start-up to first paint, offscreen", probe_off, minimal_off, ms, 1.10),
        compare("start-up to first paint, Xvfb", probe_x, minimal_x, ms, 1.25),
        compare("peak RSS, offscreen", rss_probe_off, rss_minimal_off, mib, 1.20),
        compare("peak RSS, Xvfb", rss_probe_x, rss_minimal_x, mib, 1.20),
        compare(f"idle CPU over {IDLE_SECONDS} s of marquee, Xvfb", cpu_program, cpu_floor, pct, 1.10),
    ]

    read_save, copy = core_benchmarks()
    smallest, largest = min(read_save), max(read_save)
    # Beyond the 256 lines read the work is carrying bytes through, so the cost
    # is linear when it grows no faster than copying the same bytes does.
    growth = (read_save[largest] / copy[largest]) / (read_save[10_000] / copy[10_000])
    core_rows = [[f"{lines:,}", f"{read_save[lines] / 1000:.2f} us", f"{copy[lines] / 1000:.2f} us",
                  f"{read_save[lines] / copy[lines]:.1f}x", f"{read_save[lines] / lines:.1f} ns"]
                 for lines in sorted(read_save)]
    core_targets = [
        [f"read + save of {smallest} lines", f"{read_save[smallest] / 1000:.2f} us", "< 20 us",
         "met" if read_save[smallest] < 20_000 else "MISSED"],
        [f"ratio to the copy at {largest:,} lines / at 10,000 lines", f"{growth:.2f}",
         "linear: <= 1.5", "met" if growth <= 1.5 else "MISSED"],
    ]
    return (table(["measure", "VEVaduDori", "floor", "ratio", "target", ""], process_rows),
            *measure_kdxcfg(),
            table(["lines", "read + save", "copy of the bytes", "ratio", "per line"], core_rows),
            table(["core target", "measured", "target", ""], core_targets))


def kept_notes():
    try:
        with open(REPORT) as old:
            text = old.read()
    except FileNotFoundError:
        return KEEP_MARKER + "\n"
    return text[text.index(KEEP_MARKER):] if KEEP_MARKER in text else KEEP_MARKER + "\n"


def main():
    if REPORT == "--kdxcfg":
        print(*measure_kdxcfg(), sep="\n\n")
        return
    load_before = os.getloadavg()[0]
    processes, command, long_files, long_file_targets, core, core_targets = measure()
    print(processes, command, long_files, long_file_targets, core, core_targets, sep="\n\n")
    with open("/proc/cpuinfo") as cpuinfo:
        cpu = next((line.split(":", 1)[1].strip() for line in cpuinfo if line.startswith("model name")), "unknown")
    notes = kept_notes()  # before the report is emptied for writing
    with open(REPORT, "w") as report:
        report.write(f"""# Performance

Produced by `./scripts/bench` on {time.strftime('%Y-%m-%d')}: {os.cpu_count()} cores of {cpu},
{platform.system()} {platform.release()}, Release build; load average
{load_before:.1f} when the run began (other work on the machine slows the timings).

## The program against minimal Qt programs

Start-up is the whole process, from launch to the main window painted with every
control filled from the sample KDX.cfg (bench/startup_probe.cpp, the program's
own start-up path), against one empty window of the same size
(bench/minimal_qt.cpp); median of {ROUNDS} hyperfine rounds of {RUNS_PER_ROUND} runs each,
the order alternating between rounds. Peak RSS is the median of {RSS_RUNS} runs
under `/usr/bin/time -f %M`. Idle CPU is the CPU time of all threads
(/proc/PID/task/*/schedstat) over
{IDLE_SECONDS} s after the window appeared, mean of {IDLE_ROUNDS} runs, against a window
that only rewrites its caption every 111 ms (bench/caption_floor.cpp).

{processes}

## kdxcfg

Whole processes under hyperfine (median of {KDXCFG_RUNS} runs, no shell): `kdxcfg set
max_bots=10` on a copy of the sample KDX.cfg against `sed -i 's/^max_bots
.*/max_bots 10/' KDX.cfg` on the same file, in the same run, the copy made
afresh before each run (`--prepare`); then the same with 16, the sample's own
value. kdxcfg reads the file, applies the window's rules, saves in place and
renames a flushed temporary file over the old one, then flushes the folder;
given the file's own value it compares the bytes and writes nothing. `sed -i`
always writes a new file and renames it, without flushing either to the disk.

{command}

`kdxcfg show` and `kdxcfg check` on the sample KDX.cfg padded with comment lines
to each length (median of 30 runs, 10 at 10^6 lines):

{long_files}

{long_file_targets}

## The configuration core

readConfiguration followed by annotatedSave of a file of comments, all 26
settings and four custom commands, padded with comment lines; beyond line 256 the
lines are only looked through for settings set again, and carried through. Against a plain copy of the same bytes
(bench/core_benchmark.cpp, Google Benchmark, CPU time per run).

{core}

{core_targets}

{notes}""")


if __name__ == "__main__":
    main()
