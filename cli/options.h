#pragma once
// The command line of corvanet-cli: one table of options, read by one loop.
#include <string>
#include <variant>

#include "engine/tolerance.h"

namespace corvanet {

struct CliOptions {
    bool help = false;
    bool version = false;
    bool json = false;
    bool report = false;
    bool bom = false;
    std::string pdf;
    std::string svg;
    std::string batch;  // "-" for standard input
    std::string precision;  // as typed; read into `meter`
    MeterPrecision meter;   // the distance meter's precision for the misclosure test
};

// The options of `argv`, or a one-line message on what is wrong with them.
std::variant<CliOptions, std::string> ParseCliOptions(int argc, const char* const* argv);

// The usage text that --help prints.
std::string CliUsage();

}  // namespace corvanet
