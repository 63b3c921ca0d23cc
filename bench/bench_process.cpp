// Start-up, peak memory and idle cost of the real program, each beside a
// minimal Qt Widgets program measured in the same run. Runs under an X
// server (xvfb-run) without a window manager. Frames are seen through the X
// Damage extension: the first frame is the first drawing after the process
// starts, the settled frame the last one before the screen stays still for
// half a second. Memory is the peak resident size when it has settled.
//
// Usage: bench_process PROGRAM BASELINE LANGUAGE_FILE RUNS IDLE_SECONDS
#include "bench_table.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <poll.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// Every drawing on the screen, as it happens.
class ScreenWatch {
public:
    explicit ScreenWatch(Display* display) : display_(display)
    {
        int error = 0;
        if (!XDamageQueryExtension(display, &eventBase_, &error))
            throw std::runtime_error("the X server has no Damage extension");
        const Window root = DefaultRootWindow(display);
        XSelectInput(display, root, SubstructureNotifyMask);
        damage_ = XDamageCreate(display, root, XDamageReportRawRectangles);
    }
    ScreenWatch(const ScreenWatch&) = delete;
    ScreenWatch& operator=(const ScreenWatch&) = delete;
    ~ScreenWatch() { XDamageDestroy(display_, damage_); }

    void forget() const { XSync(display_, True); }

    // Waits for drawing until the screen stays still for the quiet time;
    // the times of the first and the last drawing after start.
    std::pair<Clock::time_point, Clock::time_point> frames(Clock::time_point start) const
    {
        using namespace std::chrono_literals;
        const auto deadline = start + 20s;
        std::optional<Clock::time_point> first;
        Clock::time_point last = start;
        bool mapped = false;
        for (auto now = Clock::now(); now < deadline && !(first && mapped && now - last > 500ms); now = Clock::now()) {
            while (XPending(display_)) {
                XEvent event;
                XNextEvent(display_, &event);
                mapped = mapped || (event.type == MapNotify && !event.xmap.override_redirect);
                if (event.type == eventBase_ + XDamageNotify) {
                    last = Clock::now();
                    first = first.value_or(last);
                }
            }
            pollfd connection{ConnectionNumber(display_), POLLIN, 0};
            poll(&connection, 1, 10);
        }
        if (!first || !mapped)
            throw std::runtime_error("no window was drawn");
        return {*first, last};
    }

private:
    Display* display_;
    int eventBase_ = 0;
    Damage damage_ = 0;
};

class RunningProgram {
public:
    RunningProgram(const ScreenWatch& screen, const fs::path& executable, const char* argument = nullptr)
    {
        screen.forget();
        const auto start = Clock::now();
        pid_ = fork();
        if (pid_ == 0) {
            execl(executable.c_str(), executable.c_str(), argument, static_cast<char*>(nullptr));
            _exit(127);
        }
        const auto [first, settled] = screen.frames(start);
        firstFrameMs_ = std::chrono::duration<double, std::milli>(first - start).count();
        settledFrameMs_ = std::chrono::duration<double, std::milli>(settled - start).count();
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram()
    {
        if (pid_ > 0)
            stop();
    }

    double firstFrameMs() const { return firstFrameMs_; }
    double settledFrameMs() const { return settledFrameMs_; }

    // CPU time of all its threads so far, in seconds, to the nanosecond
    // (the scheduler's count; /proc/PID/stat counts in 10 ms ticks).
    double cpuSeconds() const
    {
        double total = 0;
        for (const auto& thread : fs::directory_iterator("/proc/" + std::to_string(pid_) + "/task")) {
            std::ifstream stat(thread.path() / "schedstat");
            double nanoseconds = 0;
            stat >> nanoseconds;
            total += nanoseconds / 1e9;
        }
        return total;
    }

    // Ends the program; its peak resident memory in MiB.
    double stop()
    {
        kill(pid_, SIGTERM);
        int status = 0;
        rusage usage{};
        wait4(pid_, &status, 0, &usage);
        pid_ = -1;
        return double(usage.ru_maxrss) / 1024.0;
    }

private:
    pid_t pid_ = -1;
    double firstFrameMs_ = 0;
    double settledFrameMs_ = 0;
};

// The figures of each start of one program, in the order they ran.
struct Samples {
    std::vector<double> firstFrame, settledFrame, memory;
    void add(RunningProgram&& running)
    {
        firstFrame.push_back(running.firstFrameMs());
        settledFrame.push_back(running.settledFrameMs());
        memory.push_back(running.stop());
    }
};

// A figure beside its floor: the medians, and the median of the ratios of
// the runs taken side by side, with their spread.
BenchRow ratioRow(const std::string& what, const std::vector<double>& ours, const std::vector<double>& floor,
                  const std::string& unit, double goal)
{
    char target[48];
    std::snprintf(target, sizeof target, "<= %.2g x one label", goal);
    return pairedRow(what, ours, floor, unit, target, goal);
}

struct IdleShares {
    double ours, floor, busiestSecond;  // % of one core; ms of CPU
};

// The share of one core each program uses while it sits still, counted from
// when it has settled, and the most CPU time the program took in one second.
IdleShares idleShares(const ScreenWatch& screen, const fs::path& program, const fs::path& floor, int seconds)
{
    RunningProgram ours(screen, program);
    RunningProgram label(screen, floor, "text");
    const double oursBefore = ours.cpuSeconds(), labelBefore = label.cpuSeconds();
    double busiest = 0, previous = oursBefore;
    for (int second = 0; second < seconds; ++second) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const double now = ours.cpuSeconds();
        busiest = std::max(busiest, now - previous);
        previous = now;
    }
    return {(previous - oursBefore) / seconds * 100, (label.cpuSeconds() - labelBefore) / seconds * 100,
            busiest * 1000};
}

void copyInto(const fs::path& file, const fs::path& folder)
{
    fs::copy_file(file, folder / file.filename(), fs::copy_options::overwrite_existing);
}

}  // namespace

// NOLINTNEXTLINE(readability-function-size): the benchmark's steps in the order they run
int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s PROGRAM BASELINE LANGUAGE_FILE RUNS IDLE_SECONDS\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    // A program folder with the program, a language file and a licence
    // defaults file.
    const fs::path folder = fs::temp_directory_path() / ("trumi-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    copyInto(argv[1], folder);
    copyInto(argv[2], folder);
    // The windows' module, where the program has one beside it.
    const fs::path module = fs::path(argv[1]).parent_path() / "trumi-editor-window.so";
    if (fs::exists(module))
        copyInto(module, folder);
    fs::copy_file(argv[3], folder / "TE.ini", fs::copy_options::overwrite_existing);
    std::ofstream(folder / "Config.lic") << "\"Free to use.\",\"Copy unchanged.\"\r\n";
    const fs::path program = folder / fs::path(argv[1]).filename();
    const fs::path baseline = folder / fs::path(argv[2]).filename();
    const int runs = std::atoi(argv[4]);
    const int idleSeconds = std::atoi(argv[5]);

    // Interleaved, so that a noisy moment of the machine hits both.
    auto screen = std::make_unique<ScreenWatch>(display);
    Samples ours, floor;
    for (int i = 0; i < runs; ++i) {
        ours.add(RunningProgram(*screen, program));
        floor.add(RunningProgram(*screen, baseline, "text"));
    }
    const IdleShares idle = idleShares(*screen, program, baseline, idleSeconds);
    printRows({
        ratioRow("first frame", ours.firstFrame, floor.firstFrame, "ms", 1.1),
        ratioRow("settled frame (the last start-up repaint)", ours.settledFrame, floor.settledFrame, "ms", 1.1),
        ratioRow("peak resident memory, settled", ours.memory, floor.memory, "MiB", 1.1),
        {"idle CPU over " + std::to_string(idleSeconds) + " s (% of one core)", idle.ours, idle.floor, "%", "< 0.2 %",
         idle.ours < 0.2},
        {"  its busiest second", idle.busiestSecond, 1000, "ms", "-", true},
    });
    fs::remove_all(folder);
    screen.reset();
    XCloseDisplay(display);
    return 0;
}
