// Runs the program's CPU and memory monitors over the real Win32 layer, for
// the scripts in this directory, which compare what they report with the
// host's own figures. One "name<TAB>value" line per fact.
//
// usage: orbiquell-monitors-probe cpu
//            creates a sampler; after a line on standard input its first
//            CPUString, after another line the second, covering the time in
//            between
//        orbiquell-monitors-probe memory
//            GetMemoryUsage between two readings of the committed bytes
//            straight from GlobalMemoryStatusEx; then waits for a line on
//            standard input, so that the caller can read the host's figures
//            while this process still counts in them
#include <windows.h>

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "app/os_version.h"
#include "common/globals.h"
#include "monitors/cpu_load.h"
#include "monitors/mem_stats.h"

namespace {

void Print(const char* name, const std::string& value) {
    std::printf("%s\t%s\n", name, value.c_str());
    std::fflush(stdout);
}

void AwaitLine() {
    std::string line;
    std::getline(std::cin, line);
}

int Cpu() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    Print("processors", std::to_string(system.dwNumberOfProcessors));
    CPULoad load;
    // Wine's own start-up keeps processors busy for a while; the caller
    // decides when the first sample is taken.
    Print("ready", "");
    AwaitLine();
    Print("first", load.CPUString());
    AwaitLine();
    Print("second", load.CPUString());
    return 0;
}

std::string CommittedBytes() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return "failed";
    return std::to_string(status.ullTotalPageFile - status.ullAvailPageFile);
}

int Memory() {
    // As the program sets it at start-up, which picks the record.
    GetOSVersion();
    Print("win2k_or_later", gIsWin2kOrLater ? "1" : "0");
    const std::string before = CommittedBytes();
    const std::string text = GetMemoryUsage();
    const std::string after = CommittedBytes();
    char separator[4] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    Print("separator", separator);
    Print("committed_before", before);
    Print("text", text);
    Print("committed_after", after);
    AwaitLine();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc == 2 ? argv[1] : "";
    try {
        if (command == "cpu") return Cpu();
        if (command == "memory") return Memory();
    } catch (const std::exception& error) {
        Print("error", error.what());
        return 1;
    }
    std::fprintf(stderr, "usage: orbiquell-monitors-probe cpu | memory\n");
    return 2;
}
