// morvalen-dde: drives a running Morvalen from scripts, as DDE clients did on Windows.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/core/DdeCommands.h"
#include "app/ipc/IpcClient.h"
#include "app/ipc/IpcEndpoint.h"
#include "platform/Numbers.h"

namespace {

// Exit codes.
constexpr int kAllAcknowledged = 0;
constexpr int kNotProcessed = 1;
constexpr int kTopicRefused = 2;
constexpr int kNoServer = 3;
constexpr int kUsage = 4;

// Asked for, the usage is the output (it pipes into a pager); after a wrong use, the error.
void Usage(std::FILE* to = stderr) {
    std::fputs(
        "usage: morvalen-dde [-n NUMBER] [-s SOCKET] [-t TOPIC] [-w MILLISECONDS] COMMAND...\n"
        "Connects to the running Morvalen started with /n NUMBER (0 when not given), names the\n"
        "topic (\"ZeVizeza DDE Topic\") and sends each COMMAND as an execute string, printing\n"
        "FACK or NOTPROCESSED for each. Commands: CLOSE, SCALE x y width height, STEP,\n"
        "OPEN path, PROC_MODE n, TRACE_COD x y moveKind, TRACE_PRG type mainProgram\n"
        "subProgram mainSequence subSequence x y moveKind.\n"
        "  -s SOCKET   the server's socket instead of the one of the instance number\n"
        "  -t TOPIC    another topic (the server refuses it)\n"
        "  -w MS       keep trying to connect for this long (a program still starting)\n"
        "Exit code: 0 every command acknowledged, 1 a command not processed, 2 the topic\n"
        "refused, 3 no server answered, 4 wrong usage.\n",
        to);
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    int instance = 0;
    int waitMs = 0;
    QString socketPath;
    std::string topic(kDdeTopic);
    std::vector<std::string> commands;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (a == "-n" || a == "-w") {
            const char* v = value();
            std::optional<long long> n = v ? platform::ParseInt(v) : std::nullopt;
            if (!n || *n < 0 || *n > 1000000000) {
                Usage();
                return kUsage;
            }
            (a == "-n" ? instance : waitMs) = int(*n);
        } else if (a == "-s" || a == "-t") {
            const char* v = value();
            if (!v) {
                Usage();
                return kUsage;
            }
            if (a == "-s")
                socketPath = QString::fromLocal8Bit(v);
            else
                topic = v;
        } else if (a == "-h" || a == "--help") {
            Usage(stdout);
            return kAllAcknowledged;
        } else {
            commands.push_back(a);
        }
    }
    if (commands.empty()) {
        Usage();
        return kUsage;
    }
    if (socketPath.isEmpty()) socketPath = DdeSocketPath(instance);

    // A program that is still starting has no socket yet: try again until the time is up.
    IpcClient client;
    QDeadlineTimer deadline(waitMs);
    bool connected = client.Connect(socketPath, 1000);
    while (!connected && !deadline.hasExpired()) {
        QThread::msleep(50);
        connected = client.Connect(socketPath, 1000);
    }
    if (!connected) {
        std::fprintf(stderr, "morvalen-dde: no server at %s\n", qPrintable(socketPath));
        return kNoServer;
    }
    std::optional<IpcMessage> reply = client.Request(IpcKind::Connect, topic);
    if (!reply) return kNoServer;
    if (reply->kind != char(IpcKind::Accepted)) {
        std::fprintf(stderr, "morvalen-dde: topic refused: %s\n", topic.c_str());
        return kTopicRefused;
    }
    int result = kAllAcknowledged;
    for (const std::string& command : commands) {
        reply = client.Request(IpcKind::Execute, command);
        if (!reply) {
            std::fprintf(stderr, "morvalen-dde: the server went away\n");
            return kNoServer;
        }
        const bool ack = reply->kind == char(IpcKind::Ack);
        std::printf("%s\n", ack ? "FACK" : "NOTPROCESSED");
        std::fflush(stdout);
        if (!ack) result = kNotProcessed;
    }
    return result;
}
