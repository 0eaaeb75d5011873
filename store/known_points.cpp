#include "store/known_points.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "engine/precision.h"

namespace corvanet {
namespace {

const QString kColumns = QStringLiteral("name, x, y, h, code, source, added_at");

KnownPoint PointOf(const QSqlQuery& q)
{
    KnownPoint p;
    p.name = q.value(0).toString();
    p.x = q.value(1).toDouble();
    p.y = q.value(2).toDouble();
    if (!q.value(3).isNull()) p.h = q.value(3).toDouble();
    p.code = q.value(4).toString();
    p.source = q.value(5).toString();
    p.addedAt = q.value(6).toString();
    return p;
}

void Bind(QSqlQuery& q, const KnownPoint& p, const QString& addedAt)
{
    q.addBindValue(p.name);
    q.addBindValue(p.x);
    q.addBindValue(p.y);
    q.addBindValue(p.h ? QVariant(*p.h) : QVariant());
    q.addBindValue(p.code.isNull() ? QString(QLatin1String("")) : p.code);
    q.addBindValue(p.source);
    q.addBindValue(addedAt);
}

QString Now() { return JobTime(QDateTime::currentDateTimeUtc()); }

}  // namespace

std::vector<KnownPoint> KnownPointsOf(const PointFileReading& reading, const QString& source)
{
    std::vector<KnownPoint> points;
    points.reserve(reading.points.size());
    for (const ReadPoint& r : reading.points) {
        KnownPoint p;
        p.name = QString::fromStdString(r.name);
        p.x = r.x;
        p.y = r.y;
        p.h = r.h;
        p.code = QString::fromStdString(r.code);
        p.source = source;
        points.push_back(std::move(p));
    }
    return points;
}

bool SameCoordinates(const KnownPoint& a, const KnownPoint& b)
{
    return a.x == b.x && a.y == b.y && a.h.has_value() == b.h.has_value() && (!a.h || *a.h == *b.h);
}

std::optional<KnownPoint> ComputedPoint(const StoredCalculation& calculation)
{
    const auto at = [&](std::string_view column) { return ColumnValue(calculation.row, column); };
    const QString name = at("point_name").toString().trimmed();
    if (at("outcome").toString() != QLatin1String("complete") || name.isEmpty()) return std::nullopt;
    static constexpr const char* kRoutes[3][2] = {{"xp1", "yp1"}, {"xp2", "yp2"}, {"xp3", "yp3"}};
    const auto route = static_cast<std::size_t>(
        ChooseRoute(at("s1_adjusted").toDouble(), at("s2_adjusted").toDouble(), at("s3_adjusted").toDouble()));
    KnownPoint p;
    p.name = name;
    p.x = at(kRoutes[route][0]).toDouble();
    p.y = at(kRoutes[route][1]).toDouble();
    p.source = QStringLiteral("computed");
    return p;
}

std::variant<std::optional<KnownPoint>, JobProblem> FindKnownPoint(const JobFile& job, const QString& name)
{
    std::optional<KnownPoint> found;
    if (auto problem = job.ForEachRow(QStringLiteral("SELECT %1 FROM known_points WHERE name = ?").arg(kColumns), {name},
                                      [&](const QSqlQuery& q) {
                                          found = PointOf(q);
                                          return false;
                                      }))
        return *problem;
    return found;
}

std::variant<std::vector<KnownPoint>, JobProblem> AllKnownPoints(const JobFile& job)
{
    std::vector<KnownPoint> points;
    if (auto problem = job.ForEachRow(QStringLiteral("SELECT %1 FROM known_points ORDER BY name").arg(kColumns), {},
                                      [&](const QSqlQuery& q) {
                                          points.push_back(PointOf(q));
                                          return true;
                                      }))
        return *problem;
    return points;
}

std::variant<KnownPointMerge, JobProblem> AddKnownPoints(JobFile& job, std::span<const KnownPoint> points, bool replace)
{
    KnownPointMerge merge;
    const QString addedAt = Now();
    const auto problem = job.Write([&](const QSqlDatabase& db) {
        merge = {};
        QSqlQuery find(db), insert(db), update(db);
        if (!find.prepare(QStringLiteral("SELECT %1 FROM known_points WHERE name = ?").arg(kColumns)))
            return SqlReason(find.lastError());
        if (!insert.prepare(QStringLiteral("INSERT INTO known_points (%1) VALUES (?, ?, ?, ?, ?, ?, ?)").arg(kColumns)))
            return SqlReason(insert.lastError());
        if (!update.prepare(QStringLiteral("UPDATE known_points SET name = ?, x = ?, y = ?, h = ?, code = ?, source = ?, "
                                           "added_at = ? WHERE name = ?")))
            return SqlReason(update.lastError());
        for (const KnownPoint& p : points) {
            find.addBindValue(p.name);
            if (!find.exec()) return SqlReason(find.lastError());
            const std::optional<KnownPoint> there = find.next() ? std::optional(PointOf(find)) : std::nullopt;
            find.finish();
            if (there && SameCoordinates(*there, p)) {
                ++merge.same;
                continue;
            }
            if (there && !replace) {
                merge.conflicts.push_back(p);
                continue;
            }
            QSqlQuery& write = there ? update : insert;
            Bind(write, p, addedAt);
            if (there) write.addBindValue(p.name);
            if (!write.exec()) return SqlReason(write.lastError());
            ++(there ? merge.replaced : merge.added);
        }
        return QString();
    });
    if (problem) return *problem;
    return merge;
}

std::optional<JobProblem> ReplaceKnownPoint(JobFile& job, const QString& oldName, const KnownPoint& point)
{
    return job.Write([&](const QSqlDatabase& db) {
        QSqlQuery q(db);
        if (!q.prepare(QStringLiteral("DELETE FROM known_points WHERE name = ?"))) return SqlReason(q.lastError());
        q.addBindValue(oldName);
        if (!q.exec()) return SqlReason(q.lastError());
        if (!q.prepare(QStringLiteral("INSERT INTO known_points (%1) VALUES (?, ?, ?, ?, ?, ?, ?)").arg(kColumns)))
            return SqlReason(q.lastError());
        Bind(q, point, point.addedAt.isEmpty() ? Now() : point.addedAt);
        // A new name already taken fails here, and the old point stays.
        if (!q.exec()) return SqlReason(q.lastError());
        return QString();
    });
}

std::optional<JobProblem> DeleteKnownPoints(JobFile& job, const QStringList& names)
{
    return job.Write([&](const QSqlDatabase& db) {
        QSqlQuery q(db);
        if (!q.prepare(QStringLiteral("DELETE FROM known_points WHERE name = ?"))) return SqlReason(q.lastError());
        for (const QString& name : names) {
            q.addBindValue(name);
            if (!q.exec()) return SqlReason(q.lastError());
        }
        return QString();
    });
}

}  // namespace corvanet
