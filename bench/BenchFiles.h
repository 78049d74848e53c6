// Where the benchmarks keep their database files: /tmp/varnel-<name>-<pid>.<extension>, apart for each
// run of each program; and their removal when the program ends.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace varnel::bench {

inline std::string BenchPath(const char* name, const char* extension)
{
    return "/tmp/varnel-" + std::string(name) + "-" + std::to_string(::getpid()) + "." + extension;
}

// Removes the file when the program ends, for a file the program keeps for all its benchmarks.
inline void RemoveAtExit(std::string path)
{
    static std::vector<std::string> paths;
    if (paths.empty())
        std::atexit([] {
            for (const std::string& file : paths) std::remove(file.c_str());
        });
    paths.push_back(std::move(path));
}

}  // namespace varnel::bench
