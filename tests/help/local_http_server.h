#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <optional>
#include <utility>
#include <vector>

namespace lexo::testing {

// A small HTTP/1.0 server on 127.0.0.1 for download tests: each path answers with a
// scripted body, status and Content-Length, and may stop part way.
class LocalHttpServer : public QObject {
public:
    struct Route {
        Route(QByteArray body = {}, int status = 200, bool sendLength = true)
            : body(std::move(body)), status(status), sendLength(sendLength) {}
        QByteArray body;
        int status = 200;
        bool sendLength = true;
        std::optional<qint64> announcedLength;  // default: the body's size
        qint64 holdAfter = -1;                  // send this many bytes, then keep the line open
    };

    struct Request {
        QByteArray method;
        QByteArray path;
        QByteArray headers;
        QByteArray body;
    };

    LocalHttpServer() {
        QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) accept(socket);
        });
        server_.listen(QHostAddress::LocalHost, 0);
    }

    bool listening() const { return server_.isListening(); }
    void add(const QByteArray& path, Route route) { routes_[path] = std::move(route); }
    QUrl url(const QByteArray& path) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(QString::fromLatin1(path)));
    }
    const std::vector<Request>& requests() const { return requests_; }

    // Sends what the held answers kept back and ends them.
    void releaseHeld() {
        for (auto& [socket, rest] : held_) {
            if (!socket) continue;
            socket->write(rest);
            socket->disconnectFromHost();
        }
        held_.clear();
    }

private:
    void accept(QTcpSocket* socket) {
        auto* buffer = new QByteArray;
        QObject::connect(socket, &QObject::destroyed, [buffer] { delete buffer; });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            const qsizetype end = buffer->indexOf("\r\n\r\n");
            if (end < 0) return;
            Request request;
            request.headers = buffer->left(end);
            const QList<QByteArray> first = request.headers.split('\n').front().trimmed().split(' ');
            request.method = first.value(0);
            request.path = first.value(1);
            qint64 bodyLength = 0;
            for (const QByteArray& line : request.headers.split('\n'))
                if (line.toLower().startsWith("content-length:")) bodyLength = line.mid(15).trimmed().toLongLong();
            if (buffer->size() - end - 4 < bodyLength) return;
            request.body = buffer->mid(end + 4, bodyLength);
            buffer->clear();
            requests_.push_back(request);
            answer(socket, request.path);
        });
    }

    void answer(QTcpSocket* socket, const QByteArray& path) {
        const auto found = routes_.constFind(path);
        const Route route = found != routes_.constEnd() ? *found : Route{"nenalezeno", 404};
        QByteArray head = "HTTP/1.0 " + QByteArray::number(route.status) + " X\r\nConnection: close\r\n";
        if (route.sendLength)
            head += "Content-Length: " + QByteArray::number(route.announcedLength.value_or(route.body.size())) + "\r\n";
        head += "\r\n";
        socket->write(head);
        if (route.holdAfter >= 0) {
            socket->write(route.body.left(route.holdAfter));
            held_.emplace_back(socket, route.body.mid(route.holdAfter));
            return;
        }
        socket->write(route.body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QMap<QByteArray, Route> routes_;
    std::vector<Request> requests_;
    std::vector<std::pair<QPointer<QTcpSocket>, QByteArray>> held_;
};

}  // namespace lexo::testing
