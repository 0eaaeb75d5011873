#pragma once
// The command line of corvanet-cli: one table of options, read by one loop.
#include <string>
#include <variant>

#include "engine/tolerance.h"
#include "text/point_file.h"

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
    std::string job;           // the job file the calculations are appended to, or exported from
    std::string exportPoints;  // the point file to write from the job
    std::string importPoints;  // the coordinate file whose points go into the job
    bool replace = false;      // an imported point takes the place of the job's of that name
    std::string encoding;      // as typed; read into `pointEncoding`
    PointFileFormat pointFormat = PointFileFormat::Dat;
    PointEncoding pointEncoding = PointEncoding::Gb18030;
};

// The options of `argv`, or a one-line message on what is wrong with them.
std::variant<CliOptions, std::string> ParseCliOptions(int argc, const char* const* argv);

// The usage text that --help prints.
std::string CliUsage();

}  // namespace corvanet
