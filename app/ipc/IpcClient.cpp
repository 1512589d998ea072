// The blocking client side of a running instance's socket, and the hand-over sender.
#include "app/ipc/IpcClient.h"

#include <unistd.h>

#include <QDeadlineTimer>

#include "app/core/DdeCommands.h"
#include "app/ipc/IpcEndpoint.h"

IpcClient::IpcClient() : reader_(kDdeMessageCap + 1) {}

bool IpcClient::Connect(const QString& socketPath, int timeoutMs) {
    if (socketPath.isEmpty()) return false;
    socket_.connectToServer(socketPath);
    return socket_.waitForConnected(timeoutMs);
}

std::optional<IpcMessage> IpcClient::Request(IpcKind kind, std::string_view data, int timeoutMs) {
    if (socket_.state() != QLocalSocket::ConnectedState) return std::nullopt;
    const std::string bytes = EncodeIpcMessage(kind, data);
    socket_.write(bytes.data(), qint64(bytes.size()));
    QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(timeoutMs));
    while (socket_.bytesToWrite() > 0)
        if (!socket_.waitForBytesWritten(int(deadline.remainingTime()))) return std::nullopt;
    for (;;) {
        if (std::optional<IpcMessage> m = reader_.Next()) return m;
        if (socket_.bytesAvailable() == 0 &&
            !socket_.waitForReadyRead(int(deadline.remainingTime())))
            return std::nullopt;
        const QByteArray got = socket_.readAll();
        reader_.Feed(std::string_view(got.constData(), size_t(got.size())));
    }
}

bool HandOverToFirstInstance(int instanceNumber, const std::string& absolutePath) {
    qint64 pid = 0;
    const QString socket = ReadInstanceMark(&pid);
    // The first instance is this very process (two application objects in one program): it
    // could never answer while this one waits.
    if (pid == ::getpid()) return false;
    IpcClient client;
    // A mark left by a crashed first instance names a socket nobody serves.
    if (!client.Connect(socket, 2000)) return false;
    return client.Request(IpcKind::HandOver, EncodeHandOver(instanceNumber, absolutePath))
        .has_value();
}
