// The local server of a running instance.
#include "app/ipc/DdeServer.h"

#include <QLocalServer>
#include <QLocalSocket>

#include "app/core/IpcMessage.h"

struct DdeServer::Connection {
    explicit Connection(DdeEffects& effects) : reader(kDdeMessageCap + 1), conversation(effects) {}
    IpcMessageReader reader;
    DdeConversation conversation;
    bool busy = false;    // a command of it is running (it may wait for a question)
    bool closed = false;  // the peer went away, or the server closed, meanwhile
};

DdeServer::DdeServer(DdeEffects& effects, HandOverHandler handOver, QObject* parent)
    : QObject(parent), effects_(effects), handOver_(std::move(handOver)) {}

DdeServer::~DdeServer() {
    Close();
}

bool DdeServer::IsListening() const {
    return server_ && server_->isListening();
}

DdeServer::StartResult DdeServer::Listen(const QString& socketPath) {
    Close();
    if (socketPath.isEmpty()) return StartResult::Failed;
    // Asked first: a listen would put a new socket in the place of a live one.
    {
        QLocalSocket probe;
        probe.connectToServer(socketPath);
        if (probe.waitForConnected(1000)) {
            probe.abort();
            return StartResult::AlreadyServed;
        }
    }
    // Nobody answers: a socket file there was left by a crashed instance.
    QLocalServer::removeServer(socketPath);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &DdeServer::OnNewConnection);
    if (!server_->listen(socketPath)) {
        delete server_;
        server_ = nullptr;
        return StartResult::Failed;
    }
    path_ = socketPath;
    return StartResult::Listening;
}

void DdeServer::Close() {
    if (server_) {
        server_->close();  // removes the socket file
        delete server_;
        server_ = nullptr;
    }
    for (auto it = connections_.begin(); it != connections_.end();) {
        QLocalSocket* socket = it->first;
        if (it->second->busy) {
            it->second->closed = true;
            ++it;
            continue;
        }
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
        it = connections_.erase(it);
    }
}

void DdeServer::OnNewConnection() {
    while (QLocalSocket* socket = server_ ? server_->nextPendingConnection() : nullptr) {
        socket->setParent(this);
        connections_[socket] = std::make_unique<Connection>(effects_);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Serve(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { Drop(socket); });
        Serve(socket);
    }
}

void DdeServer::Drop(QLocalSocket* socket) {
    auto it = connections_.find(socket);
    if (it == connections_.end()) return;
    if (it->second->busy) {
        it->second->closed = true;  // deleted when its command returns
        return;
    }
    connections_.erase(it);
    socket->deleteLater();
}

void DdeServer::Serve(QLocalSocket* socket) {
    auto it = connections_.find(socket);
    if (it == connections_.end()) return;
    Connection& c = *it->second;
    // A command that waits for a question runs a nested event loop: what arrives meanwhile
    // waits for it, so the replies keep their order.
    if (c.busy) return;
    c.busy = true;
    for (;;) {
        if (!c.closed && socket->bytesAvailable() > 0) {
            const QByteArray got = socket->readAll();
            c.reader.Feed(std::string_view(got.constData(), size_t(got.size())));
        }
        std::optional<IpcMessage> m = c.reader.Next();
        if (!m) break;
        const std::string reply = Reply(c, *m);
        if (c.closed || socket->state() != QLocalSocket::ConnectedState) continue;
        socket->write(reply.data(), qint64(reply.size()));
        socket->flush();
    }
    c.busy = false;
    if (c.closed) {
        connections_.erase(socket);
        socket->disconnect(this);
        socket->deleteLater();
    }
}

std::string DdeServer::Reply(Connection& c, const IpcMessage& m) {
    if (m.tooLong) return EncodeIpcMessage(IpcKind::NotProcessed);
    switch (static_cast<IpcKind>(m.kind)) {
        case IpcKind::Connect:
            return EncodeIpcMessage(c.conversation.Connect(m.data) ? IpcKind::Accepted
                                                                   : IpcKind::Refused);
        case IpcKind::Execute:
            return EncodeIpcMessage(c.conversation.Execute(m.data) == DdeReply::Ack
                                        ? IpcKind::Ack
                                        : IpcKind::NotProcessed);
        case IpcKind::HandOver: {
            int number = 0;
            std::string path;
            if (!DecodeHandOver(m.data, number, path) || !handOver_)
                return EncodeIpcMessage(IpcKind::NotProcessed);
            return EncodeIpcMessage(IpcKind::HandOverResult, handOver_(number, path) ? "1" : "0");
        }
        default:
            return EncodeIpcMessage(IpcKind::NotProcessed);
    }
}
