// What a running process holds, read from /proc: resident memory and open
// descriptors. Used by the load tool to watch the server it drives.
#pragma once

namespace listload {

struct ProcStats {
    long long rssKb = -1; // VmRSS; -1 when unknown
    int fds = -1;         // entries of /proc/PID/fd; -1 when unknown
};

ProcStats ReadProcStats(int pid);

} // namespace listload
