#include "StandInSpooler.h"

#include <QThread>
#include <arpa/inet.h>
#include <cups/cups.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

struct Reading {
    const QByteArray* data;
    qsizetype pos = 0;
};

ssize_t readFrom(void* context, ipp_uchar_t* buffer, size_t length) {
    auto* r = static_cast<Reading*>(context);
    const qsizetype n = std::min<qsizetype>(qsizetype(length), r->data->size() - r->pos);
    memcpy(buffer, r->data->constData() + r->pos, size_t(n));
    r->pos += n;
    return n;
}

ssize_t writeTo(void* context, ipp_uchar_t* buffer, size_t length) {
    static_cast<QByteArray*>(context)->append(reinterpret_cast<const char*>(buffer), qsizetype(length));
    return ssize_t(length);
}

// Blocking reads of one connection; false once it is closed.
class Stream {
public:
    explicit Stream(int socket) : socket_(socket) {}
    bool fill() {
        char chunk[65536];
        const ssize_t n = ::recv(socket_, chunk, sizeof chunk, 0);
        if (n <= 0)
            return false;
        buffer_.append(chunk, qsizetype(n));
        return true;
    }
    bool line(QByteArray& out) {
        qsizetype end;
        while ((end = buffer_.indexOf("\r\n")) < 0)
            if (!fill())
                return false;
        out = buffer_.left(end);
        buffer_.remove(0, end + 2);
        return true;
    }
    bool bytes(qsizetype count, QByteArray& out) {
        while (buffer_.size() < count)
            if (!fill())
                return false;
        out += buffer_.left(count);
        buffer_.remove(0, count);
        return true;
    }

private:
    int socket_;
    QByteArray buffer_;
};

void send(int socket, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(socket, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (n <= 0)
            return;
        done += n;
    }
}

} // namespace

bool StandInSpooler::start() {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return false;
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
    oldServer_ = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", serverAddress());
    cupsSetServer(nullptr);
    environmentSet_ = true;
    return true;
}

void StandInSpooler::stop() {
    if (std::exchange(environmentSet_, false)) {
        oldServer_.isNull() ? qunsetenv("CUPS_SERVER") : qputenv("CUPS_SERVER", oldServer_);
        cupsSetServer(nullptr);
    }
    stopping_ = true;
    if (listener_ >= 0)
        ::shutdown(listener_, SHUT_RDWR);
    if (acceptor_.joinable())
        acceptor_.join();
    {
        QMutexLocker lock(&mutex_);
        for (int s : sockets_)
            ::shutdown(s, SHUT_RDWR);
    }
    for (std::thread& t : connections_)
        t.join();
    connections_.clear();
    for (int s : sockets_)
        ::close(s);
    sockets_.clear();
    if (listener_ >= 0)
        ::close(std::exchange(listener_, -1));
}

QList<int> StandInSpooler::cancelledJobs() const {
    QMutexLocker lock(&mutex_);
    return cancelled_;
}

QList<int> StandInSpooler::operations() const {
    QMutexLocker lock(&mutex_);
    return operations_;
}

void StandInSpooler::acceptLoop() {
    while (!stopping_) {
        const int s = ::accept(listener_, nullptr, nullptr);
        if (s < 0)
            return;
        QMutexLocker lock(&mutex_);
        sockets_.push_back(s);
        connections_.emplace_back([this, s] { serve(s); });
    }
}

void StandInSpooler::serve(int socket) {
    Stream in(socket);
    const auto stall = [this] {
        while (!stopping_)
            QThread::msleep(20);
    };
    if (mode_ == Mode::Silent)
        return stall();
    for (;;) {
        // Request line and headers.
        QByteArray line;
        if (!in.line(line))
            return;
        if (line.isEmpty())
            continue;
        qsizetype length = 0;
        bool chunked = false, expect = false;
        while (in.line(line) && !line.isEmpty()) {
            const QByteArray lower = line.toLower();
            if (lower.startsWith("content-length:"))
                length = lower.mid(15).trimmed().toLongLong();
            else if (lower.startsWith("transfer-encoding:") && lower.contains("chunked"))
                chunked = true;
            else if (lower.startsWith("expect:") && lower.contains("100-continue"))
                expect = true;
        }
        if (expect)
            send(socket, "HTTP/1.1 100 Continue\r\n\r\n");
        QByteArray body;
        if (!chunked) {
            if (!in.bytes(length, body))
                return;
        } else {
            for (bool first = true;; first = false) {
                if (!in.line(line))
                    return;
                const qsizetype size = line.split(';').first().trimmed().toLongLong(nullptr, 16);
                if (size == 0) {
                    in.line(line);
                    break;
                }
                if (!in.bytes(size, body) || !in.line(line))
                    return;
                // The document follows the request: a stalling server stops here.
                if (first && mode_ == Mode::StallOnDocument && body.size() >= 4 &&
                    ((uchar(body[2]) << 8) | uchar(body[3])) == IPP_OP_SEND_DOCUMENT) {
                    QMutexLocker lock(&mutex_);
                    operations_ << IPP_OP_SEND_DOCUMENT;
                    lock.unlock();
                    return stall();
                }
            }
        }
        const QByteArray ipp = answer(body);
        send(socket, "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: " +
                         QByteArray::number(ipp.size()) + "\r\n\r\n" + ipp);
    }
}

QByteArray StandInSpooler::answer(const QByteArray& body) {
    Reading reading{&body};
    ipp_t* request = ippNew();
    ippReadIO(&reading, readFrom, 1, nullptr, request);
    const ipp_op_t op = ippGetOperation(request);
    ipp_attribute_t* jobId = ippFindAttribute(request, "job-id", IPP_TAG_INTEGER);
    ipp_attribute_t* jobUri = ippFindAttribute(request, "job-uri", IPP_TAG_URI);
    int job = jobId ? ippGetInteger(jobId, 0) : 0;
    if (jobUri)
        job = QByteArray(ippGetString(jobUri, 0, nullptr)).split('/').last().toInt();

    ipp_t* response = ippNew();
    ippSetVersion(response, 2, 0);
    ippSetRequestId(response, ippGetRequestId(request));
    ippSetStatusCode(response, IPP_STATUS_OK);
    ippAddString(response, IPP_TAG_OPERATION, IPP_TAG_CHARSET, "attributes-charset", nullptr, "utf-8");
    ippAddString(response, IPP_TAG_OPERATION, IPP_TAG_LANGUAGE, "attributes-natural-language", nullptr, "en");
    QMutexLocker lock(&mutex_);
    operations_ << op;
    const QByteArray jobUriText = "ipp://localhost/jobs/" + QByteArray::number(job ? job : nextJob_);
    switch (op) {
    case IPP_OP_GET_PRINTER_ATTRIBUTES:
    case IPP_OP_CUPS_GET_DEFAULT:
        ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_NAME, "printer-name", nullptr,
                     queueName().constData());
        ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_URI, "printer-uri-supported", nullptr,
                     ("ipp://localhost/printers/" + queueName()).constData());
        ippAddInteger(response, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
        ippAddBoolean(response, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
        ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-location", nullptr, "Salle 2");
        break;
    case IPP_OP_CREATE_JOB:
        ippAddInteger(response, IPP_TAG_JOB, IPP_TAG_INTEGER, "job-id", nextJob_);
        ippAddString(response, IPP_TAG_JOB, IPP_TAG_URI, "job-uri", nullptr, jobUriText.constData());
        ippAddInteger(response, IPP_TAG_JOB, IPP_TAG_ENUM, "job-state", IPP_JSTATE_PENDING);
        ++nextJob_;
        break;
    case IPP_OP_SEND_DOCUMENT:
    case IPP_OP_GET_JOB_ATTRIBUTES: {
        const bool gone = cancelled_.contains(job);
        ippAddInteger(response, IPP_TAG_JOB, IPP_TAG_INTEGER, "job-id", job);
        ippAddInteger(response, IPP_TAG_JOB, IPP_TAG_ENUM, "job-state",
                      gone ? IPP_JSTATE_CANCELED : IPP_JSTATE_PENDING);
        ippAddString(response, IPP_TAG_JOB, IPP_TAG_KEYWORD, "job-state-reasons", nullptr,
                     gone ? "job-canceled-by-user" : "job-incoming");
        break;
    }
    case IPP_OP_CANCEL_JOB:
        cancelled_ << job;
        break;
    default:
        ippSetStatusCode(response, IPP_STATUS_ERROR_OPERATION_NOT_SUPPORTED);
        break;
    }
    lock.unlock();
    ippDelete(request);
    QByteArray out;
    ippSetState(response, IPP_STATE_IDLE);
    ippWriteIO(&out, writeTo, 1, nullptr, response);
    ippDelete(response);
    return out;
}
