#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/window_centring.h"
#include "ui/window_design.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QWidget>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <psapi.h>
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

constexpr std::int64_t nanosPerSecond = 1'000'000'000;

#ifdef _WIN32
// Windows has one clock for all of this, the system time, which Wine takes from the host's
// CLOCK_REALTIME: the launcher's stamp and the probe's readings are on the same clock. MinGW
// names CLOCK_REALTIME; the code below also names the boot clock, which is no clock of
// Windows', so the name stands for the system time there.
constexpr clockid_t CLOCK_BOOTTIME = CLOCK_REALTIME;
// 100-ns intervals from 1601 to 1970.
constexpr std::int64_t fileTimeAtUnixEpoch = 116'444'736'000'000'000;

// A FILETIME counts 100-ns ticks.
std::int64_t ticksOf(const FILETIME &time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}

std::int64_t nanosOn(clockid_t) {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    return (ticksOf(now) - fileTimeAtUnixEpoch) * 100;
}
#else
std::int64_t nanosOn(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * nanosPerSecond + now.tv_nsec;
}
#endif

// Taken while the executable's own globals are initialised: the dynamic loader has mapped and
// relocated Qt by then and run its initialisers, so the gap from the process start to here is
// what loading costs. Both clocks are read, as either may be the reference.
const std::int64_t loadedOnBootClock = nanosOn(CLOCK_BOOTTIME);
const std::int64_t loadedOnRealClock = nanosOn(CLOCK_REALTIME);

// Where the start-up is timed from, on the clock that moment was read with.
struct StartReference {
    clockid_t clock;
    std::int64_t startedAt;
    const char *name;
};

#ifdef _WIN32
// The system's stamp of this process, taken when it was created.
std::optional<StartReference> kernelStart() {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return std::nullopt;
    }
    return StartReference{CLOCK_REALTIME, (ticksOf(created) - fileTimeAtUnixEpoch) * 100, "kernel"};
}
#else
// The kernel's stamp of this process, taken on CLOCK_BOOTTIME when it was forked (field 22 of
// /proc/self/stat, in clock ticks of usually 10 ms, rounded down).
std::optional<StartReference> kernelStart() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return std::nullopt;
    }
    // The command name in field 2 may hold spaces; the fields after it are counted from its ')'.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) {
        return std::nullopt;
    }
    const char *cursor = line.c_str() + close + 1;
    for (int field = 3; field < 22; ++field) {
        cursor = std::strchr(cursor + 1, ' ');
        if (!cursor) {
            return std::nullopt;
        }
    }
    const long long ticks = std::strtoll(cursor + 1, nullptr, 10);
    return StartReference{CLOCK_BOOTTIME, ticks * (nanosPerSecond / sysconf(_SC_CLK_TCK)),
                          "kernel"};
}
#endif

// The moment the launcher was about to start this process, in seconds on CLOCK_REALTIME with
// up to nine decimals, as bash's $EPOCHREALTIME spells it (with the locale's decimal separator).
std::optional<StartReference> launcherStart(std::string_view seconds) {
    std::int64_t whole = 0;
    std::size_t at = 0;
    for (; at < seconds.size() && std::isdigit(static_cast<unsigned char>(seconds[at])); ++at) {
        whole = whole * 10 + (seconds[at] - '0');
    }
    if (at == 0) {
        return std::nullopt;
    }
    std::int64_t fraction = 0;
    std::int64_t scale = nanosPerSecond;
    if (at < seconds.size()) {
        for (++at; at < seconds.size() && scale > 1; ++at) {
            if (!std::isdigit(static_cast<unsigned char>(seconds[at]))) {
                return std::nullopt;
            }
            scale /= 10;
            fraction += (seconds[at] - '0') * scale;
        }
    }
    return StartReference{CLOCK_REALTIME, whole * nanosPerSecond + fraction, "launcher"};
}

#ifdef _WIN32
long residentKib() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) {
        return -1;
    }
    return static_cast<long>(counters.WorkingSetSize / 1024);
}

// The processor time of all the probe's threads so far, kernel and user.
double cpuMillis() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return static_cast<double>(ticksOf(kernel) + ticksOf(user)) / 1e4;
}
#else
long residentKib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmRSS:")) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// The processor time of all the probe's threads so far. On a shared machine it moves far less
// than the wall clock when other work takes a core, though it leaves out the X server's share.
double cpuMillis() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) {
        return t.tv_sec * 1e3 + t.tv_usec / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}
#endif

double millis(std::int64_t nanos) {
    return static_cast<double>(nanos) / 1e6;
}

// Waits for the window's first paint and reports once that frame has been handed to the window
// system: the paint event of the top-level widget comes before its children are painted, so the
// report is queued behind the whole repaint.
class FirstPaintProbe final : public QObject {
public:
    explicit FirstPaintProbe(StartReference start)
        : m_start(start) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QMetaObject::invokeMethod(this, &FirstPaintProbe::report, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void report() const {
        const std::int64_t paintedAt = nanosOn(m_start.clock);
        const long rss = residentKib();
        const double cpu = cpuMillis();
        const std::int64_t loadedAt =
            m_start.clock == CLOCK_REALTIME ? loadedOnRealClock : loadedOnBootClock;
        std::printf("startup_ms=%.2f rss_kib=%ld loader_ms=%.2f cpu_ms=%.2f from=%s\n",
                    millis(paintedAt - m_start.startedAt), rss,
                    millis(loadedAt - m_start.startedAt), cpu, m_start.name);
        std::fflush(stdout);
        // Tearing the application down is no part of starting it.
        std::_Exit(EXIT_SUCCESS);
    }

    StartReference m_start;
    bool m_seen = false;
};

int runWindow(int argc, char *argv[], std::string_view which, StartReference start) {
    // Dentaro's start-up as the program has it; the baselines show what the toolkit costs alone.
    QApplication app(argc, argv);
    identifyApplication();

    FirstPaintProbe probe(start);
    if (which == "dentaro") {
        useWindowFontEverywhere();
        MainWindow window;
        window.installEventFilter(&probe);
        showCentred(window);
        return QApplication::exec();
    }
    QWidget window;
    if (which == "label") {
        // One caption in the toolkit's default font: what showing any text at all costs, the
        // font database and one run of glyphs, which the bare window never pays.
        (new QLabel(QStringLiteral("Giri Motore"), &window))->move(8, 8);
    }
    window.installEventFilter(&probe);
    window.resize(toPixels(clientWidthTwips), toPixels(clientHeightTwips));
    showCentred(window);
    return QApplication::exec();
}

int usage(const char *self) {
    std::fprintf(
        stderr,
        "usage: %s [--launched-at=SECONDS] {dentaro|bare|label}\n"
        "Prints the time from the process start to the first paint of Dentaro's window, of a\n"
        "bare window of the same size, or of that window with one label, and the resident\n"
        "memory then. The start is the kernel's start time of the process (10 ms ticks) unless\n"
        "--launched-at gives the launcher's CLOCK_REALTIME just before it started the probe,\n"
        "e.g. --launched-at=\"$EPOCHREALTIME\" from bash.\n",
        self);
    return EXIT_FAILURE;
}

} // namespace

int main(int argc, char *argv[]) {
    std::optional<StartReference> start;
    const char *which = nullptr;
    constexpr std::string_view launchedAt = "--launched-at=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with(launchedAt)) {
            start = launcherStart(argument.substr(launchedAt.size()));
            if (!start) {
                return usage(argv[0]);
            }
        } else if (argument == "dentaro" || argument == "bare" || argument == "label") {
            which = argv[i];
        } else {
            return usage(argv[0]);
        }
    }
    if (!which) {
        return usage(argv[0]);
    }
    if (!start) {
        start = kernelStart();
    }
    if (!start) {
        std::fprintf(stderr, "cannot read the process's start time\n");
        return EXIT_FAILURE;
    }
    return runWindow(argc, argv, which, *start);
}
