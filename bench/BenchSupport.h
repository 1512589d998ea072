// What the benchmarks share: heap figures, programs run as processes of their own (a fresh
// heap, as the user gets it), the generated laser program and LinuxCNC's rs274 as the peer.
#pragma once

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "kernel/db/DtbPool.h"

namespace bench {

inline double Min(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}
inline double Max(const std::vector<double>& v) {
    return *std::max_element(v.begin(), v.end());
}

// Min and max beside the mean, median and spread of the repetitions.
inline benchmark::internal::Benchmark* WithMinMax(benchmark::internal::Benchmark* b) {
    return b->ComputeStatistics("min", Min)->ComputeStatistics("max", Max);
}

// A benchmark whose every run is a process of its own, timed by hand: one run per repetition,
// five repetitions, milliseconds.
inline benchmark::internal::Benchmark* ProcessRuns(benchmark::internal::Benchmark* b) {
    return WithMinMax(
        b->UseManualTime()->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond));
}

// Bytes the allocator has handed out, blocks taken straight from the system included.
inline size_t HeapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// Bytes in use by the program's objects: the heap's, and the element pool's (its blocks lie
// apart from the heap) counted by what they hand out (a pool keeps its blocks for the next
// build).
inline size_t BytesInUse() {
    return HeapInUse() + GetDtbPoolUsage().inUse;
}

struct ProcessRun {
    double seconds = 0;  // wall time from start to exit
    double peakMiB = 0;  // the process's peak resident memory
    int exitCode = -1;   // -1 when it did not exit normally
    std::string output;  // what it wrote to its standard output
};

// Runs argv as a process of its own with extra environment entries ("NAME=value"), its
// standard error discarded, and waits for it.
inline ProcessRun RunProcess(const std::vector<std::string>& argv,
                             const std::vector<std::string>& env = {}) {
    ProcessRun r;
    int out[2];
    if (pipe(out) != 0) return r;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        if (FILE* null = std::fopen("/dev/null", "w")) dup2(fileno(null), 2);
        for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(out[1]);
    char buf[4096];
    for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;) r.output.append(buf, size_t(n));
    close(out[0]);
    int status = 0;
    struct rusage usage {};
    if (pid > 0 && wait4(pid, &status, 0, &usage) == pid) {
        r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        r.peakMiB = usage.ru_maxrss / 1024.0;
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return r;
}

// The folder of this benchmark program (the other programs of the build lie beside it).
inline std::filesystem::path ProgramFolder() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

// LinuxCNC's interpreter, or empty when it is not installed (scripts/bench.sh installs it).
inline std::string Rs274() {
    for (const char* p : {"/usr/bin/rs274", "/usr/local/bin/rs274"})
        if (access(p, X_OK) == 0) return p;
    return {};
}

// The generated laser program of /work/shared/bench/gen_laser.py: a grid of parts, each a
// circular hole by two G02 halves and an outline of four lines with G03 corners, 12 blocks a
// part. For rs274 "G21 F1000" comes first and M2 ends it instead of M30.
inline std::string LaserProgram(int parts, bool forRs274) {
    std::string s;
    s.reserve(size_t(parts) * 300 + 32);
    if (forRs274) s += "G21 F1000\n";
    s += "G90\n";
    char line[128];
    auto add = [&](const char* fmt, double a, double b, const char* tail = "") {
        std::snprintf(line, sizeof line, fmt, a, b, tail);
        s += line;
    };
    for (int k = 0; k < parts; ++k) {
        const double x0 = (k % 100) * 60.0, y0 = (k / 100) * 60.0;
        add("G00X%.3fY%.3f%s\n", x0 + 33, y0 + 25);
        add("G02X%.3fY%.3f%s\n", x0 + 17, y0 + 25, "I-8.J0.");
        add("G02X%.3fY%.3f%s\n", x0 + 33, y0 + 25, "I8.J0.");
        add("G00X%.3fY%.3f%s\n", x0 + 5, y0);
        add("G01X%.3fY%.3f%s\n", x0 + 45, y0);
        add("G03X%.3fY%.3f%s\n", x0 + 50, y0 + 5, "I0.J5.");
        add("G01X%.3fY%.3f%s\n", x0 + 50, y0 + 45);
        add("G03X%.3fY%.3f%s\n", x0 + 45, y0 + 50, "I-5.J0.");
        add("G01X%.3fY%.3f%s\n", x0 + 5, y0 + 50);
        add("G03X%.3fY%.3f%s\n", x0, y0 + 45, "I0.J-5.");
        add("G01X%.3fY%.3f%s\n", x0, y0 + 5);
        add("G03X%.3fY%.3f%s\n", x0 + 5, y0, "I5.J0.");
    }
    s += forRs274 ? "M2\n" : "M30\n";
    return s;
}

// A folder of its own under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder() {
        char name[] = "/tmp/morvalen-bench-XXXXXX";
        if (mkdtemp(name)) path_ = name;
    }
    ~TempFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path Write(const std::string& name, const std::string& text) const {
        const std::filesystem::path p = path_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }

private:
    std::filesystem::path path_;
};

}  // namespace bench
