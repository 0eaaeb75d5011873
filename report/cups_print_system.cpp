// The print system through libcups: Qt's CUPS plug-in reports success for
// a job the queue refused, so the state and the job are asked of CUPS itself.
//
// libcups is opened when the Print button asks for it, not linked: linked,
// it and the score of libraries it needs (GnuTLS, Kerberos, Avahi…) are
// loaded and bound before the window's first frame, which most runs never
// follow with a print.
#include <cups/cups.h>

#include <QFile>
#include <QLibrary>
#include <QSizeF>

#include "report/print_system.h"

namespace corvanet {
namespace {

// The libcups functions used here, typed by their own declarations.
#define CORVANET_CUPS_FUNCTIONS(F)                                                                             \
    F(cupsGetOption) F(cupsLastErrorString) F(cupsGetDestMediaDefault) F(ippNewRequest) F(httpAssembleURIf)     \
    F(ippAddString) F(ippAddStrings) F(cupsDoRequest) F(ippFindAttribute) F(ippGetString) F(ippDelete)          \
    F(httpConnect2) F(cupsServer) F(ippPort) F(cupsEncryption) F(cupsGetDests2) F(cupsGetDest)                  \
    F(cupsCopyDestInfo) F(cupsFreeDestInfo) F(cupsFreeDests) F(httpClose) F(cupsPrintFile2)

struct CupsLibrary {
#define CORVANET_CUPS_POINTER(name) decltype(&::name) name = nullptr;
    CORVANET_CUPS_FUNCTIONS(CORVANET_CUPS_POINTER)
#undef CORVANET_CUPS_POINTER
    QString missing;  // why the library cannot be used; empty when it can
};

// Opened once and kept for the life of the process, as a linked one would be.
const CupsLibrary& Lib()
{
    static const CupsLibrary lib = [] {
        CupsLibrary l;
        QLibrary so(QStringLiteral("cups"), 2);
        if (!so.load()) {
            l.missing = QStringLiteral("找不到 libcups.so.2");
            return l;
        }
#define CORVANET_CUPS_RESOLVE(name)                                                   \
    l.name = reinterpret_cast<decltype(l.name)>(so.resolve(#name));                   \
    if (!l.name && l.missing.isEmpty()) l.missing = QStringLiteral("libcups.so.2 缺少 " #name);
        CORVANET_CUPS_FUNCTIONS(CORVANET_CUPS_RESOLVE)
#undef CORVANET_CUPS_RESOLVE
        return l;
    }();
    return lib;
}

QString Option(const cups_dest_t& dest, const char* name)
{
    return QString::fromUtf8(Lib().cupsGetOption(name, dest.num_options, dest.options));
}

QString LastCupsError() { return QString::fromUtf8(Lib().cupsLastErrorString()); }

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
    if (!Lib().cupsGetDestMediaDefault(http, dest, info, 0, &size) || size.width <= 0 || size.length <= 0)
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
    ipp_t* request = Lib().ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    Lib().httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                           dest.name);
    Lib().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    const char* const wanted[] = {"printer-state-message"};
    Lib().ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1, nullptr, wanted);
    QString message;
    if (ipp_t* response = Lib().cupsDoRequest(http, request, "/")) {
        if (ipp_attribute_t* a = Lib().ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
            message = QString::fromUtf8(Lib().ippGetString(a, 0, nullptr));
        Lib().ippDelete(response);
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
        if (!Lib().missing.isEmpty()) {
            q.state = PrinterQueue::State::NoService;
            q.reason = Lib().missing;
            return q;
        }
        http_t* http = Lib().httpConnect2(Lib().cupsServer(), Lib().ippPort(), nullptr, AF_UNSPEC,
                                          Lib().cupsEncryption(), 1, 5000, nullptr);
        if (!http) {
            q.state = PrinterQueue::State::NoService;
            q.reason = QString::fromUtf8(Lib().cupsServer());
            return q;
        }
        cups_dest_t* dests = nullptr;
        const int count = Lib().cupsGetDests2(http, &dests);
        cups_dest_t* dest = Lib().cupsGetDest(nullptr, nullptr, count, dests);
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
            } else if (!(info = Lib().cupsCopyDestInfo(http, dest))) {
                q.state = PrinterQueue::State::Unreachable;
                q.reason = LastCupsError();
            } else {
                q.state = PrinterQueue::State::Ready;
                q.page = DefaultPage(http, dest, info);
            }
            Lib().cupsFreeDestInfo(info);
        }
        Lib().cupsFreeDests(count, dests);
        Lib().httpClose(http);
        return q;
    }

    SentJob Send(const PrinterQueue& queue, const QString& path, const QString& title) override
    {
        // The job number comes back only when CUPS created the job and took
        // the whole document; a refusal on the way leaves it 0.
        if (!Lib().missing.isEmpty()) return {false, Lib().missing};
        const QByteArray name = queue.name.section(QLatin1Char('/'), 0, 0).toUtf8();
        const int job = Lib().cupsPrintFile2(CUPS_HTTP_DEFAULT, name.constData(), QFile::encodeName(path).constData(),
                                             title.toUtf8().constData(), 0, nullptr);
        if (job > 0) return {true, {}};
        return {false, LastCupsError()};
    }
};

}  // namespace

std::unique_ptr<PrintSystem> CupsPrintSystem() { return std::make_unique<Cups>(); }

}  // namespace corvanet
