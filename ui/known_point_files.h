#pragma once
// The files of the 已知点 window: a coordinate file read for import, what
// the import did in words, and the DAT or CSV file of points written whole.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

#include "store/known_points.h"
#include "text/point_file.h"
#include "text/point_reading.h"
#include "ui/known_point_dialogs.h"

namespace corvanet {

// The coordinate file at `path` read whole, or why it cannot be.
std::variant<PointFileReading, QString> ReadImportFile(const QString& path);

// What an import did: `merge` of the points read, `reading`'s skipped rows,
// and each conflict beside the job's point of that name (`job`, by name).
ImportReport MakeImportReport(const PointFileReading& reading, const KnownPointMerge& merge,
                              const QHash<QString, KnownPoint>& job);

// The bytes of a DAT or CSV file of `points`, or why a point cannot go in it.
std::variant<QByteArray, QString> KnownPointFileBytes(const std::vector<KnownPoint>& points, PointFileFormat format,
                                                      PointEncoding encoding);

// Writes `bytes` to `path` whole or not at all, as every file the program
// writes, leaving an earlier file as it was on failure. Why it could not,
// in a sentence; none when it was written.
std::optional<QString> WritePointFile(const QString& path, const QByteArray& bytes);

}  // namespace corvanet
