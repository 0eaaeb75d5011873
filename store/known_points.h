#pragma once
// The job's known points: control points kept by name, imported from
// coordinate files, typed, or computed, and picked by name at the prompts.
// Nothing already in the job is replaced without the caller saying so.
#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "store/job_file.h"
#include "text/point_reading.h"

namespace corvanet {

struct KnownPoint {
    QString name;
    double x = 0.0;  // northing
    double y = 0.0;  // easting
    std::optional<double> h;
    QString code;
    QString source;   // the file it came from, "entered" or "computed"
    QString addedAt;  // ISO 8601, UTC; set when it is added
};

// What adding points did: how many were new, how many were there already
// with the same coordinates, and those whose name is there with other
// coordinates (kept as they were, unless replacing).
struct KnownPointMerge {
    int added = 0;
    int same = 0;
    int replaced = 0;
    std::vector<KnownPoint> conflicts;  // the points offered, not the ones kept
};

// The point named `name`; none when the job has no such point.
std::variant<std::optional<KnownPoint>, JobProblem> FindKnownPoint(const JobFile& job, const QString& name);

// Every known point, by name.
std::variant<std::vector<KnownPoint>, JobProblem> AllKnownPoints(const JobFile& job);

// Adds `points` in one transaction. A name already there with the same X, Y
// and H is passed over; with others it is a conflict, replaced only when
// `replace` is set.
std::variant<KnownPointMerge, JobProblem> AddKnownPoints(JobFile& job, std::span<const KnownPoint> points, bool replace);

// Puts `point` in the place of the one named `oldName` (an edit).
std::optional<JobProblem> ReplaceKnownPoint(JobFile& job, const QString& oldName, const KnownPoint& point);

std::optional<JobProblem> DeleteKnownPoints(JobFile& job, const QStringList& names);

// P of a complete calculation as a known point named as P (from the route
// whose precision is reported, source "computed"); none for a stopped one or
// one without a name.
std::optional<KnownPoint> ComputedPoint(const StoredCalculation& calculation);

// The points of a coordinate file as the job keeps them, `source` the
// file's name.
std::vector<KnownPoint> KnownPointsOf(const PointFileReading& reading, const QString& source);

// Whether two points have the same coordinates (and height), bit for bit.
bool SameCoordinates(const KnownPoint& a, const KnownPoint& b);

}  // namespace corvanet
