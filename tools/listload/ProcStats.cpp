#include "ProcStats.h"

#include <dirent.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace listload {

ProcStats ReadProcStats(int pid) {
    ProcStats stats;
    const std::string base = "/proc/" + std::to_string(pid);
    if (std::FILE* f = std::fopen((base + "/status").c_str(), "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f)) {
            if (std::strncmp(line, "VmRSS:", 6) == 0) {
                stats.rssKb = std::atoll(line + 6);
                break;
            }
        }
        std::fclose(f);
    }
    if (DIR* dir = opendir((base + "/fd").c_str())) {
        int count = 0;
        while (dirent* e = readdir(dir)) {
            if (e->d_name[0] != '.') {
                ++count;
            }
        }
        closedir(dir);
        stats.fds = count;
    }
    return stats;
}

} // namespace listload
