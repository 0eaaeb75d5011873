#pragma once
// Real job files in a folder of the test's own, and the figures to put in them.
#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <bit>
#include <cstdint>
#include <memory>
#include <variant>

#include "engine/outcome.h"
#include "engine/result_sink.h"
#include "engine/tolerance.h"
#include "store/job_file.h"
#include "tests/engine/test_figures.h"

namespace corvanet::testing {

inline CalculationOutcome Outcome(SurveyRecord record, std::string name = "P1")
{
    record.PointName = std::move(name);
    NullSink sink;
    return CalculateOutcome(record, sink);
}

inline QDateTime FixedTime() { return QDateTime::fromSecsSinceEpoch(1'765'000'000, Qt::UTC); }

inline QByteArray FileHash(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

inline std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

inline JobFile* Held(std::variant<std::unique_ptr<JobFile>, JobProblem>& opened)
{
    auto* job = std::get_if<std::unique_ptr<JobFile>>(&opened);
    return job ? job->get() : nullptr;
}

}  // namespace corvanet::testing
