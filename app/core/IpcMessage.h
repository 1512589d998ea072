// The messages on the local socket of a running instance: the driver's conversation and the
// hand-over from a second instance, each framed by its length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

// A message is a 4-byte big-endian length, then that many bytes: a kind byte and its data.
enum class IpcKind : char {
    Connect = 'C',        // data: the topic
    Execute = 'E',        // data: the execute string
    HandOver = 'H',       // data: EncodeHandOver
    Accepted = 'A',       // reply to Connect: the topic is served
    Refused = 'R',        // reply to Connect: it is not
    Ack = 'F',            // reply to Execute: acknowledged
    NotProcessed = 'N',   // reply to Execute, or to anything too long or unknown
    HandOverResult = 'O'  // reply to HandOver: data "1" when the file was opened, else "0"
};

std::string EncodeIpcMessage(IpcKind kind, std::string_view data = {});

struct IpcMessage {
    char kind = 0;
    std::string data;
    // The message was longer than the reader's cap: its bytes were passed over unread and
    // kind is 0.
    bool tooLong = false;
};

// Collects messages from the bytes as they arrive. A message over the cap is reported once,
// as soon as its length is known, and its bytes are skipped without being kept.
class IpcMessageReader {
public:
    explicit IpcMessageReader(std::size_t cap) : cap_(cap) {}
    void Feed(std::string_view bytes);
    // The next complete message, in arrival order.
    std::optional<IpcMessage> Next();

private:
    std::size_t cap_;
    std::string buffer_;
    std::uint64_t skip_ = 0;  // bytes of a too-long message still to pass over
    std::deque<IpcMessage> ready_;
};

// The hand-over data: the sender's instance number (4 bytes, big-endian, two's complement)
// and the path's bytes.
std::string EncodeHandOver(int instanceNumber, std::string_view path);
// False when the data is shorter than the number; the path ends at its first NUL.
bool DecodeHandOver(std::string_view data, int& instanceNumber, std::string& path);
