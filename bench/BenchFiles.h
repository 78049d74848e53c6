// Where the benchmarks keep their database files: /tmp/varnel-<name>-<pid>.<extension>, apart for each
// run of each program.
#pragma once

#include <string>
#include <unistd.h>

namespace varnel::bench {

inline std::string BenchPath(const char* name, const char* extension)
{
    return "/tmp/varnel-" + std::string(name) + "-" + std::to_string(::getpid()) + "." + extension;
}

}  // namespace varnel::bench
