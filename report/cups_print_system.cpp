// The print system through libcups: Qt's CUPS plug-in reports success for
// a job the queue refused, so the state and the job are asked of CUPS itself.
#include <cups/cups.h>

#include <QFile>
#include <QSizeF>

#include "report/print_system.h"

namespace corvanet {
namespace {

QString Option(const cups_dest_t& dest, const char* name)
{
    return QString::fromUtf8(cupsGetOption(name, dest.num_options, dest.options));
}

QString LastCupsError() { return QString::fromUtf8(cupsLastErrorString()); }

QString DestName(const cups_dest_t& dest)
{
    QString name = QString::fromUtf8(dest.name);
    if (dest.instance) name += QLatin1Char('/') + QString::fromUtf8(dest.instance);
    return name;
}

// The printer's default paper with its printable margins (libcups gives
// hundredths of a millimetre); A4 when the printer names none.
QPageLayout DefaultPage(http_t* http, cups_dest_t* dest, cups_dinfo_t* info)
{
    cups_size_t size{};
    if (!cupsGetDestMediaDefault(http, dest, info, 0, &size) || size.width <= 0 || size.length <= 0)
        return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    const QPageSize paper(QSizeF(size.width / 100.0, size.length / 100.0), QPageSize::Millimeter, QString(),
                          QPageSize::FuzzyMatch);
    return QPageLayout(paper, QPageLayout::Portrait,
                       QMarginsF(size.left / 100.0, size.top / 100.0, size.right / 100.0, size.bottom / 100.0),
                       QPageLayout::Millimeter);
}

// What the printer says of its state, in its own words ("Paused", a
// message given with cupsreject or cupsdisable); the state reasons when it
// gives no message.
QString StateMessage(http_t* http, const cups_dest_t& dest)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s", dest.name);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    const char* const wanted[] = {"printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1, nullptr, wanted);
    QString message;
    if (ipp_t* response = cupsDoRequest(http, request, "/")) {
        if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
            message = QString::fromUtf8(ippGetString(a, 0, nullptr));
        ippDelete(response);
    }
    const QString reasons = Option(dest, "printer-state-reasons");
    if (message.trimmed().isEmpty() && reasons != QLatin1String("none")) message = reasons;
    return message;
}

class Cups final : public PrintSystem {
public:
    PrinterQueue DefaultQueue() override
    {
        PrinterQueue q;
        http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
        if (!http) {
            q.state = PrinterQueue::State::NoService;
            q.reason = QString::fromUtf8(cupsServer());
            return q;
        }
        cups_dest_t* dests = nullptr;
        const int count = cupsGetDests2(http, &dests);
        cups_dest_t* dest = cupsGetDest(nullptr, nullptr, count, dests);
        if (!dest) {
            q.state = count == 0 ? PrinterQueue::State::NoPrinter : PrinterQueue::State::NoDefault;
            for (int i = 0; i < count; ++i) q.installed << DestName(dests[i]);
        } else {
            q.name = DestName(*dest);
            q.reason = StateMessage(http, *dest);
            const QStringList reasons = Option(*dest, "printer-state-reasons").split(QLatin1Char(','));
            cups_dinfo_t* info = nullptr;
            if (Option(*dest, "printer-is-accepting-jobs") == QLatin1String("false")) {
                q.state = PrinterQueue::State::Rejecting;
            } else if (Option(*dest, "printer-state").toInt() == IPP_PSTATE_STOPPED) {
                q.state = PrinterQueue::State::Stopped;
            } else if (reasons.contains(QStringLiteral("offline-report"))) {
                q.state = PrinterQueue::State::Unreachable;
            } else if (!(info = cupsCopyDestInfo(http, dest))) {
                q.state = PrinterQueue::State::Unreachable;
                q.reason = LastCupsError();
            } else {
                q.state = PrinterQueue::State::Ready;
                q.page = DefaultPage(http, dest, info);
            }
            cupsFreeDestInfo(info);
        }
        cupsFreeDests(count, dests);
        httpClose(http);
        return q;
    }

    SentJob Send(const PrinterQueue& queue, const QString& path, const QString& title) override
    {
        // The job number comes back only when CUPS created the job and took
        // the whole document; a refusal on the way leaves it 0.
        const QByteArray name = queue.name.section(QLatin1Char('/'), 0, 0).toUtf8();
        const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, name.constData(), QFile::encodeName(path).constData(),
                                       title.toUtf8().constData(), 0, nullptr);
        if (job > 0) return {true, {}};
        return {false, LastCupsError()};
    }
};

}  // namespace

std::unique_ptr<PrintSystem> CupsPrintSystem() { return std::make_unique<Cups>(); }

}  // namespace corvanet
