#include "store/point_export.h"

#include <sys/stat.h>

#include <QFile>
#include <QSqlQuery>
#include <algorithm>

#include "report/whole_file.h"
#include "store/job_schema.h"

namespace corvanet {
namespace {

// Ids bound to one statement at a time: well under SQLite's limit on
// parameters, and a list of any length still streams.
constexpr std::size_t kIdsAStatement = 500;

std::optional<double> Number(const QVariant& v)
{
    return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
}

QString Select(std::size_t ids)
{
    QString sql = QStringLiteral("SELECT id, point_name, %1, %2, md, m, w, limit_w, verdict, calculated_at "
                                 "FROM calculations WHERE outcome = 'complete'")
                      .arg(ReportedXpSql(), ReportedYpSql());
    if (ids > 0) {
        QStringList marks;
        for (std::size_t i = 0; i < ids; ++i) marks << QStringLiteral("?");
        sql += QStringLiteral(" AND id IN (%1)").arg(marks.join(u','));
    }
    return sql + QStringLiteral(" ORDER BY id");
}

bool SameFile(const std::string& a, const QString& b)
{
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

std::variant<long long, QString> ExportPoints(const JobFile& job, const std::string& path, const QString& shownPath,
                                              const PointExport& what)
{
    const auto cannot = [&](const QString& why) {
        return QStringLiteral("无法写入点文件“%1”：%2。").arg(shownPath, why);
    };
    if (SameFile(path, job.path())) return cannot(QStringLiteral("它就是作业文件本身，没有改动它"));

    std::vector<qint64> ids;
    if (what.ids) {
        ids = *what.ids;
        std::sort(ids.begin(), ids.end());
        ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    }
    long long written = 0;
    std::optional<QString> problem;  // the job's, or the point's: told as it is
    const ContentProducer produce = [&](const WritePiece& write, std::string& why) {
        if (!write(PointFileHeader(what.format))) return false;
        std::string line;
        bool stop = false;
        const auto each = [&](const QSqlQuery& q) {
            const QVariant x = q.value(2), y = q.value(3);
            if (x.isNull() || y.isNull()) return true;
            const std::string name = q.value(1).toString().toUtf8().toStdString();
            const std::string verdict = q.value(8).toString().toStdString();
            const std::string time = q.value(9).toString().toStdString();
            const ExportedPoint point{name, x.toDouble(), y.toDouble(), Number(q.value(4)), Number(q.value(5)),
                                      Number(q.value(6)), Number(q.value(7)), verdict, time};
            line.clear();
            if (auto refusal = AppendPointLine(line, point, what.format, what.encoding)) {
                why = QStringLiteral("第 %1 号计算的").arg(q.value(0).toLongLong()).toStdString() + *refusal +
                      "，没有导出任何点（导出为 CSV 可以）";
                stop = true;
            } else if (!write(line)) {
                stop = true;
            } else {
                ++written;
            }
            return !stop;
        };
        const auto run = [&](std::size_t from, std::size_t n) {
            const std::vector<QVariant> values(ids.begin() + from, ids.begin() + from + n);
            if (auto failed = job.ForEachRow(Select(what.ids ? n : 0), values, each)) {
                problem = failed->message;
                stop = true;
            }
        };
        if (!what.ids) run(0, 0);
        // Sorted ids in sorted groups: the rows still come oldest first.
        for (std::size_t from = 0; what.ids && !stop && from < ids.size(); from += kIdsAStatement)
            run(from, std::min(kIdsAStatement, ids.size() - from));
        return !stop;
    };
    std::string reason;
    if (WriteWholeFile(path, produce, &reason)) return written;
    if (problem) return *problem;
    return cannot(QString::fromStdString(reason));
}

std::variant<long long, QString> ExportPoints(const JobFile& job, const QString& path, const PointExport& what)
{
    return ExportPoints(job, QFile::encodeName(path).toStdString(), JobPathText(path), what);
}

}  // namespace corvanet
