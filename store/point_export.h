#pragma once
// The points of a job's complete calculations, exported to a DAT or CSV
// file: read from the job a row at a time and written as they are read, so
// a job of any size exports in the same memory.
#include <QString>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "store/job_file.h"
#include "text/point_file.h"

namespace corvanet {

struct PointExport {
    PointFileFormat format = PointFileFormat::Csv;
    PointEncoding encoding = PointEncoding::Gb18030;  // of DAT; CSV is always UTF-8
    // Only these calculations; none: every one. Either way in the order of
    // their ids, the oldest first.
    std::optional<std::vector<qint64>> ids;
};

// Writes P of every complete calculation chosen (from the route whose
// precision is reported) to the file `path`, named as the file system has
// it and shown in messages as `shownPath`; stopped calculations have no P
// and are left out. The file is written whole or not at all. Returns the
// number of points written, or a sentence that names the file and says why
// nothing was.
std::variant<long long, QString> ExportPoints(const JobFile& job, const std::string& path, const QString& shownPath,
                                              const PointExport& what);
// The same for a name as the window has it.
std::variant<long long, QString> ExportPoints(const JobFile& job, const QString& path, const PointExport& what);

}  // namespace corvanet
