#pragma once

#include <fstream>
#include <string>
#include <unistd.h>

// The process's resident memory, in megabytes.
inline double residentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// The most resident memory the process has held so far (VmHWM), in megabytes.
inline double peakResidentMegabytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:"))
            return std::stod(line.substr(6)) * 1024 / 1e6;
    }
    return 0;
}
