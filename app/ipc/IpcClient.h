// The blocking client side of a running instance's socket: the command-line driver and the
// hand-over of a second instance use it before (or without) an event loop.
#pragma once

#include <QLocalSocket>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "app/core/IpcMessage.h"

class IpcClient {
public:
    IpcClient();
    // Connects to the socket, waiting at most timeoutMs; false when nobody serves it.
    bool Connect(const QString& socketPath, int timeoutMs);
    // Sends one message and waits for its reply: at most timeoutMs, or with -1 as long as the
    // server lives. Nothing when the server went away or the time ran out.
    std::optional<IpcMessage> Request(IpcKind kind, std::string_view data, int timeoutMs = -1);

private:
    QLocalSocket socket_;
    IpcMessageReader reader_;
};

// Hands a file to the first instance named by the instance mark: the sender's instance number
// and the absolute path (empty: the first instance only comes to the front). Waits while the
// first instance asks its questions. False when no instance answered.
bool HandOverToFirstInstance(int instanceNumber, const std::string& absolutePath);
