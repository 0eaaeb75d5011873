#include "ui/known_point_files.h"

#include <QFile>
#include <string>

#include "report/whole_file.h"
#include "text/result_columns.h"

namespace corvanet {
namespace {

QString Shortest(double value) { return QString::fromStdString(TableNumber(value)); }

// X and Y, and H when there is one, exactly as kept: two points may differ
// past the table's three decimals.
QString Coordinates(const KnownPoint& p)
{
    QString text = QStringLiteral("X %1，Y %2").arg(Shortest(p.x), Shortest(p.y));
    if (p.h) text += QStringLiteral("，H %1").arg(Shortest(*p.h));
    return text;
}

}  // namespace

std::variant<PointFileReading, QString> ReadImportFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("无法读取文件“%1”（%2），没有导入。").arg(JobPathText(path), file.errorString());
    const QString tooLarge = QStringLiteral("文件“%1”大于 %2 MB，没有导入。")
                                 .arg(JobPathText(path))
                                 .arg(kMaxPointFileBytes / (1024 * 1024));
    if (file.size() > kMaxPointFileBytes) return tooLarge;
    // Read past the cap by one byte: a file that grew, or one with no size.
    const QByteArray bytes = file.read(kMaxPointFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("无法读取文件“%1”（%2），没有导入。").arg(JobPathText(path), file.errorString());
    if (bytes.size() > kMaxPointFileBytes) return tooLarge;
    return ReadPointFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

ImportReport MakeImportReport(const PointFileReading& reading, const KnownPointMerge& merge,
                              const QHash<QString, KnownPoint>& job)
{
    ImportReport report;
    report.summary = QStringLiteral("%1 个点已导入，%2 个点已有且相同。").arg(merge.added).arg(merge.same);
    if (reading.headerSkipped) report.summary += QStringLiteral("第一行是列名，没有当作点。");
    if (!reading.skipped.empty())
        report.summary += QStringLiteral("%1 行不是点，没有导入。").arg(reading.skipped.size());
    if (!merge.conflicts.empty()) {
        report.summary += QStringLiteral("\n%1 个点的点名作业中已有，坐标却不同：替换为文件中的坐标，还是保留作业中的？")
                              .arg(merge.conflicts.size());
        report.offersReplace = true;
    }

    QStringList lines;
    if (!reading.skipped.empty()) {
        lines << QStringLiteral("没有导入的行：");
        for (const SkippedRow& row : reading.skipped)
            lines << QStringLiteral("第 %1 行：%2").arg(row.line).arg(QString::fromStdString(row.reason));
    }
    if (!merge.conflicts.empty()) {
        if (!lines.isEmpty()) lines << QString();
        lines << QStringLiteral("坐标不同的同名点（作业中；文件中）：");
        for (const KnownPoint& offered : merge.conflicts) {
            const auto there = job.constFind(offered.name);
            const QString kept = there == job.cend() ? QStringLiteral("（已不在作业中）") : Coordinates(*there);
            lines << QStringLiteral("%1：%2；%3").arg(offered.name, kept, Coordinates(offered));
        }
    }
    report.details = lines.join(QLatin1Char('\n'));
    return report;
}

std::variant<QByteArray, QString> KnownPointFileBytes(const std::vector<KnownPoint>& points, PointFileFormat format,
                                                      PointEncoding encoding)
{
    std::string out(KnownPointFileHeader(format));
    for (const KnownPoint& p : points) {
        const std::string name = p.name.toStdString();
        const std::string code = p.code.toStdString();
        const std::string source = p.source.toStdString();
        ExportedKnownPoint line;
        line.name = name;
        line.x = p.x;
        line.y = p.y;
        line.h = p.h;
        line.code = code;
        line.source = source;
        if (auto refusal = AppendKnownPointLine(out, line, format, encoding)) return QString::fromStdString(*refusal);
    }
    return QByteArray::fromStdString(out);
}

std::optional<QString> WritePointFile(const QString& path, const QByteArray& bytes)
{
    std::string reason;
    if (WriteWholeFile(QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), bytes.size()), &reason))
        return std::nullopt;
    return QStringLiteral("文件“%1”无法写入（%2），没有导出。").arg(JobPathText(path), QString::fromStdString(reason));
}

}  // namespace corvanet
