// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the folvar window and the floor window in turn until each has
// painted once, and prints their wall times, instruction counts and peak
// memory side by side with the ratios.
//
// startup_bench <folvar_startup> <floor_startup> [runs]
// The xcb runs use the display in DISPLAY (an Xvfb started with -noreset).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Sample
{
    double milliseconds = 0;
    double peakKilobytes = 0;
};

struct Pair
{
    std::vector<double> ours;
    std::vector<double> floor;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double medianRatio(const Pair &pair)
{
    std::vector<double> ratios;
    ratios.reserve(pair.ours.size());
    for (std::size_t index = 0; index < pair.ours.size(); ++index)
        ratios.push_back(pair.ours[index] / pair.floor[index]);
    return median(ratios);
}

std::vector<char *> environmentWith(const std::string &platform, std::vector<std::string> &storage)
{
    storage.clear();
    for (char **entry = environ; *entry; ++entry) {
        if (std::string(*entry).rfind("QT_QPA_PLATFORM=", 0) != 0)
            storage.emplace_back(*entry);
    }
    storage.push_back("QT_QPA_PLATFORM=" + platform);
    std::vector<char *> pointers;
    pointers.reserve(storage.size() + 1);
    for (std::string &entry : storage)
        pointers.push_back(entry.data());
    pointers.push_back(nullptr);
    return pointers;
}

Sample start(std::vector<std::string> command, const std::string &platform)
{
    std::vector<std::string> storage;
    std::vector<char *> environment = environmentWith(platform, storage);
    std::vector<char *> arguments;
    arguments.reserve(command.size() + 1);
    for (std::string &argument : command)
        arguments.push_back(argument.data());
    arguments.push_back(nullptr);

    // What the programs and valgrind print would only clutter the table.
    posix_spawn_file_actions_t quiet{};
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const auto begin = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned
        = posix_spawn(&child, arguments[0], &quiet, nullptr, arguments.data(), environment.data());
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) {
        std::perror(arguments[0]);
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not end cleanly\n", arguments[0]);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(end - begin).count(),
            static_cast<double>(usage.ru_maxrss)};
}

// Alternates the two programs, folvar first in even rounds and the floor
// first in odd ones, after one unmeasured start of each.
void timeStartUp(const std::string &ours, const std::string &floor, const std::string &platform,
                 int runs, Pair &times, Pair &memory)
{
    start({ours}, platform);
    start({floor}, platform);
    for (int round = 0; round < runs; ++round) {
        const bool oursFirst = round % 2 == 0;
        const Sample first = start({oursFirst ? ours : floor}, platform);
        const Sample second = start({oursFirst ? floor : ours}, platform);
        const Sample &mine = oursFirst ? first : second;
        const Sample &theirs = oursFirst ? second : first;
        times.ours.push_back(mine.milliseconds);
        times.floor.push_back(theirs.milliseconds);
        memory.ours.push_back(mine.peakKilobytes);
        memory.floor.push_back(theirs.peakKilobytes);
    }
}

double instructions(const std::string &program)
{
    const std::string output = "startup.callgrind.out";
    start({"/usr/bin/valgrind", "--tool=callgrind", "--callgrind-out-file=" + output, program},
          "offscreen");
    std::ifstream file(output);
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind("summary: ", 0) == 0 || line.rfind("totals: ", 0) == 0)
            return std::stod(line.substr(line.find(' ') + 1));
    }
    std::fprintf(stderr, "no instruction count in %s\n", output.c_str());
    std::exit(1);
}

void countInstructions(const std::string &ours, const std::string &floor, int runs, Pair &counts)
{
    for (int round = 0; round < runs; ++round) {
        counts.ours.push_back(instructions(ours));
        counts.floor.push_back(instructions(floor));
    }
}

// A target of 0 marks a row kept for information.
void printRow(const char *what, const Pair &pair, double target, const char *unit, double scale)
{
    const double ratio = medianRatio(pair);
    std::printf("%-28s %12.2f %12.2f %7.2fx", what, median(pair.ours) / scale,
                median(pair.floor) / scale, ratio);
    if (target > 0)
        std::printf(" %7.2fx%s", target, ratio <= target ? "" : "  missed");
    else
        std::printf(" %8s", "-");
    std::printf("   (%s)\n", unit);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <folvar_startup> <floor_startup> [runs]\n", argv[0]);
        return 2;
    }
    const std::string ours = argv[1];
    const std::string floor = argv[2];
    const int runs = argc > 3 ? std::atoi(argv[3]) : 20;
    const int callgrindRuns = 3;

    Pair xcbTimes;
    Pair xcbMemory;
    Pair offscreenTimes;
    Pair offscreenMemory;
    Pair counts;
    timeStartUp(ours, floor, "xcb", runs, xcbTimes, xcbMemory);
    timeStartUp(ours, floor, "offscreen", runs, offscreenTimes, offscreenMemory);
    countInstructions(ours, floor, callgrindRuns, counts);

    std::printf("\n%-28s %12s %12s %8s %8s\n", "start-up (median)", "folvar", "floor", "ratio",
                "target");
    printRow("wall time, Xvfb", xcbTimes, 1.3, "ms", 1);
    printRow("wall time, offscreen", offscreenTimes, 1.3, "ms", 1);
    printRow("instructions, offscreen", counts, 0, "millions", 1e6);
    printRow("peak memory, Xvfb", xcbMemory, 1.15, "MiB", 1024);
    printRow("peak memory, offscreen", offscreenMemory, 1.15, "MiB", 1024);
    std::printf("(%d alternating runs of each for the times and memory, %d callgrind runs)\n", runs,
                callgrindRuns);
    return 0;
}
