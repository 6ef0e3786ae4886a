#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QUrl>

#include <map>

class QTcpSocket;

namespace mervasto::test {

// How the local server answers a request for one path.
struct HttpAnswer {
    enum class Kind {
        Whole,       // status line, headers and the whole body, then the connection closes
        HeadersOnly, // status line and headers, then nothing more (the connection stays open)
        Truncated,   // announces more than it sends, then closes
        Silent,      // accepts the connection and never answers
        Endless,     // a body without length, a chunk every few milliseconds, never ending
    };
    Kind kind = Kind::Whole;
    int status = 200;
    QByteArray contentType = "application/zip";
    QByteArray body;
    qint64 announcedLength = -1; // Content-Length when it differs from the body's size
    QByteArray location;         // for a redirect

    static HttpAnswer file(QByteArray body, QByteArray contentType = "application/zip");
    static HttpAnswer error(int status, QByteArray body);
    static HttpAnswer redirect(const QUrl& to);
    static HttpAnswer truncated(QByteArray body, qint64 announcedLength);
    static HttpAnswer hugeLength(qint64 announcedLength);
    static HttpAnswer silent();
    static HttpAnswer endless();
};

// An HTTP/1.1 server on 127.0.0.1 at a free port, in this thread: it answers while the code
// under test waits in an event loop. Paths without an answer get a 404.
class LocalHttpServer {
public:
    LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    void answer(const QByteArray& path, HttpAnswer answer);
    QUrl url(const QByteArray& path) const;
    // The User-Agent header of the last request ("" when there was none).
    QByteArray lastUserAgent() const { return lastUserAgent_; }

private:
    void serve(QTcpSocket& socket, const QByteArray& request);

    QTcpServer server_;
    std::map<QByteArray, HttpAnswer> answers_;
    QByteArray lastUserAgent_;
};

} // namespace mervasto::test
