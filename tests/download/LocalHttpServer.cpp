#include "LocalHttpServer.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

#include <memory>
#include <stdexcept>

namespace mervasto::test {
namespace {

constexpr qsizetype endlessChunkSize = 16 * 1024;
constexpr int endlessChunkMilliseconds = 5;

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 410:
        return "Gone";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

QByteArray headerBlock(const HttpAnswer& answer) {
    QByteArray headers = "HTTP/1.1 " + QByteArray::number(answer.status) + " " +
                         reasonPhrase(answer.status) + "\r\nConnection: close\r\n";
    if (!answer.contentType.isEmpty()) {
        headers += "Content-Type: " + answer.contentType + "\r\n";
    }
    if (!answer.location.isEmpty()) {
        headers += "Location: " + answer.location + "\r\n";
    }
    if (answer.kind != HttpAnswer::Kind::Endless) {
        const qint64 length =
            answer.announcedLength >= 0 ? answer.announcedLength : answer.body.size();
        headers += "Content-Length: " + QByteArray::number(length) + "\r\n";
    }
    return headers + "\r\n";
}

QByteArray requestedPath(const QByteArray& request) {
    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    return requestLine.size() >= 2 ? requestLine[1] : QByteArray();
}

QByteArray headerValue(const QByteArray& request, const QByteArray& name) {
    for (const QByteArray& line : request.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0) {
            return line.mid(colon + 1).trimmed();
        }
    }
    return {};
}

void sendEndlessBody(QTcpSocket& socket) {
    auto* timer = new QTimer(&socket);
    QObject::connect(timer, &QTimer::timeout, &socket,
                     [&socket] { socket.write(QByteArray(endlessChunkSize, 'x')); });
    timer->start(endlessChunkMilliseconds);
}

} // namespace

HttpAnswer HttpAnswer::file(QByteArray body, QByteArray contentType) {
    return {Kind::Whole, 200, std::move(contentType), std::move(body), -1, {}};
}

HttpAnswer HttpAnswer::error(int status, QByteArray body) {
    return {Kind::Whole, status, "text/html; charset=utf-8", std::move(body), -1, {}};
}

HttpAnswer HttpAnswer::redirect(const QUrl& to) {
    return {Kind::Whole, 302, "text/html", "<html>moved</html>", -1, to.toEncoded()};
}

HttpAnswer HttpAnswer::truncated(QByteArray body, qint64 announcedLength) {
    return {Kind::Truncated, 200, "application/zip", std::move(body), announcedLength, {}};
}

HttpAnswer HttpAnswer::hugeLength(qint64 announcedLength) {
    return {Kind::HeadersOnly, 200, "application/zip", {}, announcedLength, {}};
}

HttpAnswer HttpAnswer::silent() {
    return {Kind::Silent, 0, {}, {}, -1, {}};
}

HttpAnswer HttpAnswer::endless() {
    return {Kind::Endless, 200, "application/zip", {}, -1, {}};
}

LocalHttpServer::LocalHttpServer() {
    if (!server_.listen(QHostAddress(QHostAddress::LocalHost), 0)) {
        throw std::runtime_error("local HTTP server: " + server_.errorString().toStdString());
    }
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            // The request is complete at its blank line; it is answered once.
            auto request = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                const bool answered = request->contains("\r\n\r\n");
                request->append(socket->readAll());
                if (!answered && request->contains("\r\n\r\n")) {
                    serve(*socket, *request);
                }
            });
        }
    });
}

void LocalHttpServer::answer(const QByteArray& path, HttpAnswer answer) {
    answers_[path] = std::move(answer);
}

QUrl LocalHttpServer::url(const QByteArray& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()) +
                QString::fromLatin1(path));
}

void LocalHttpServer::serve(QTcpSocket& socket, const QByteArray& request) {
    lastUserAgent_ = headerValue(request, "User-Agent");
    const auto found = answers_.find(requestedPath(request));
    const HttpAnswer answer =
        found != answers_.end() ? found->second : HttpAnswer::error(404, "<html>none</html>");
    switch (answer.kind) {
    case HttpAnswer::Kind::Silent:
        return;
    case HttpAnswer::Kind::HeadersOnly:
        socket.write(headerBlock(answer));
        return;
    case HttpAnswer::Kind::Endless:
        socket.write(headerBlock(answer));
        sendEndlessBody(socket);
        return;
    case HttpAnswer::Kind::Whole:
    case HttpAnswer::Kind::Truncated:
        socket.write(headerBlock(answer) + answer.body);
        socket.disconnectFromHost();
        return;
    }
}

} // namespace mervasto::test
