// CPU use of the host program (build/mentarium, headless) left alone: on the main
// menu, and in a minigame (Concentration, easy) waiting for the player. The
// whole process, all threads: utime + stime from /proc over 20 s of wall time.
// Goal: under 1% of a core.
#include <benchmark/benchmark.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

constexpr auto kMeasured = std::chrono::seconds(20);
// From the loaded scene: the scripted clicks are done and their screens have settled.
constexpr auto kSettle = std::chrono::seconds(6);

std::filesystem::path buildDirectory() {
    return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path();
}

// utime + stime of a process, in seconds.
double processCpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t end = text.rfind(')');  // the command name may hold spaces
    if (end == std::string::npos) return -1;
    std::istringstream fields(text.substr(end + 2));
    std::string skip;
    for (int i = 3; i < 14; ++i) fields >> skip;  // state .. cmajflt
    long utime = 0, stime = 0;
    fields >> utime >> stime;
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The host program running a script, with its output read until it reports the loaded scene.
class HostRun {
public:
    explicit HostRun(const std::string& script) {
        char pattern[] = "/tmp/mentarium-idle-XXXXXX";
        dir_ = mkdtemp(pattern) ? pattern : "/tmp";
        std::ofstream(dir_ + "/script.txt") << script;
        int fds[2];
        if (pipe(fds) != 0) return;
        std::string program = (buildDirectory() / "mentarium").string();
        std::string scriptPath = dir_ + "/script.txt", profile = dir_ + "/profile.sqlite";
        pid_ = fork();
        if (pid_ == 0) {
            dup2(fds[1], 1);
            close(fds[0]);
            close(fds[1]);
            setenv("MENTARIUM_PROFILE", profile.c_str(), 1);  // leaves the player's options alone
            execl(program.c_str(), program.c_str(), "--headless", "--seed", "1", "--print-notifications", "--script",
                  scriptPath.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        out_ = fdopen(fds[0], "r");
    }
    ~HostRun() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        if (out_) fclose(out_);
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    // Reads the output up to the loaded notification; false when the program ended first.
    bool awaitLoaded() {
        char line[512];
        while (out_ && std::fgets(line, sizeof line, out_))
            if (std::string(line).rfind("notify 4", 0) == 0) return true;
        return false;
    }
    pid_t pid() const { return pid_; }

private:
    std::string dir_;
    pid_t pid_ = -1;
    FILE* out_ = nullptr;
};

void measureIdle(benchmark::State& state, const std::string& clicks) {
    // Clicks first, then nothing until long after the measured span.
    std::string script = clicks + "at 600000 quit\n";
    for (auto _ : state) {
        HostRun run(script);
        if (run.pid() <= 0 || !run.awaitLoaded()) {
            state.SkipWithError("the host program did not load its scene");
            break;
        }
        std::this_thread::sleep_for(kSettle);
        double before = processCpuSeconds(run.pid());
        auto wallBefore = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(kMeasured);
        double used = processCpuSeconds(run.pid()) - before;
        double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        state.counters["process_cpu_percent"] = used * 100.0 / wall;
    }
}

}  // namespace

static void BM_IdleMainMenu(benchmark::State& state) { measureIdle(state, ""); }
BENCHMARK(BM_IdleMainMenu)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// Practice area, Concentration, easy: the board waits for the first card.
static void BM_IdleMinigame(benchmark::State& state) {
    measureIdle(state, "at 1500 click 250 116\nat 2500 click 74 70\nat 3500 click 120 106\n");
}
BENCHMARK(BM_IdleMinigame)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
