#pragma once

#include "app/instance_guard.h"

#include <string_view>
#include <unistd.h>

// A child process that takes the running-copy marker, reports whether it got it, and then holds
// it until it is killed (or, with `stay` false, ends at once).
struct MarkerHolder {
    pid_t pid;
    bool tookMarker;
};

inline MarkerHolder startMarkerHolder(std::string_view marker, bool stay = true)
{
    int ready[2];
    if (pipe(ready) != 0)
        return {-1, false};
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        const InstanceGuard guard(marker);
        const char took = guard.anotherCopyRuns() ? 'n' : 'y';
        (void)!write(ready[1], &took, 1);
        if (stay)
            pause();
        _exit(0);
    }
    close(ready[1]);
    char took = 0;
    const bool reported = read(ready[0], &took, 1) == 1;
    close(ready[0]);
    return {child, reported && took == 'y'};
}
