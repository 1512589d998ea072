// The local server of a running instance: the outside drivers' conversations (in place of DDE)
// and the hand-over of files from second instances, on one socket only its user can reach.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/core/DdeCommands.h"

class QLocalServer;
class QLocalSocket;

class DdeServer : public QObject {
    Q_OBJECT
public:
    // A hand-over: the sender's instance number and the path (empty: only come to the front).
    // Returns 1 when the file was opened, else 0.
    using HandOverHandler = std::function<int(int instanceNumber, const std::string& path)>;

    DdeServer(DdeEffects& effects, HandOverHandler handOver, QObject* parent = nullptr);
    ~DdeServer() override;

    enum class StartResult {
        Listening,      // the server runs
        AlreadyServed,  // another live instance serves this socket: run without a server
        Failed          // the socket cannot be made
    };
    // Listens on socketPath. A socket file left by a crashed instance is removed, but only
    // after nobody answered on it.
    StartResult Listen(const QString& socketPath);
    // Stops listening and ends the conversations (one whose command is still running ends
    // when the command returns).
    void Close();
    bool IsListening() const;
    QString SocketPath() const { return path_; }

private:
    struct Connection;
    void OnNewConnection();
    void Serve(QLocalSocket* socket);
    std::string Reply(Connection& c, const struct IpcMessage& m);
    void Drop(QLocalSocket* socket);

    DdeEffects& effects_;
    HandOverHandler handOver_;
    QLocalServer* server_ = nullptr;
    QString path_;
    std::map<QLocalSocket*, std::unique_ptr<Connection>> connections_;
};
