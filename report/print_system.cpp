#include "report/print_system.h"

namespace corvanet {
namespace {

// The print system's own words, when it gave any, in brackets.
QString InBrackets(const QString& reason)
{
    return reason.trimmed().isEmpty() ? QString() : QStringLiteral("（%1）").arg(reason.trimmed());
}

const QString kNotPrinted = QStringLiteral("报表没有打印。");

}  // namespace

QString QueueProblemText(const PrinterQueue& q)
{
    using S = PrinterQueue::State;
    switch (q.state) {
    case S::Ready: return {};
    case S::NoService:
        return QStringLiteral("无法连接打印服务 CUPS%1，").arg(InBrackets(q.reason)) + kNotPrinted;
    case S::NoPrinter: return QStringLiteral("没有找到已安装的打印机，") + kNotPrinted;
    case S::NoDefault:
        return QStringLiteral("没有设置默认打印机，") + kNotPrinted + QStringLiteral("已安装的打印机：%1。请在系统的打印机设置中选一台作为默认打印机。")
                                                           .arg(q.installed.join(QStringLiteral("、")));
    case S::Rejecting:
        return QStringLiteral("打印机“%1”现在不接受打印任务%2，").arg(q.name, InBrackets(q.reason)) + kNotPrinted;
    case S::Stopped:
        return QStringLiteral("打印机“%1”已暂停%2，送去的任务不会打印，").arg(q.name, InBrackets(q.reason)) + kNotPrinted;
    case S::Unreachable:
        return QStringLiteral("无法连接打印机“%1”%2，").arg(q.name, InBrackets(q.reason)) + kNotPrinted;
    }
    return kNotPrinted;
}

QString JobProblemText(const PrinterQueue& q, const SentJob& job)
{
    return QStringLiteral("打印机“%1”没有建立打印任务%2，").arg(q.name, InBrackets(job.reason)) + kNotPrinted;
}

}  // namespace corvanet
