// Framing of the local socket's messages.
#include "app/core/IpcMessage.h"

#include <algorithm>

namespace {

void PutU32(std::string& out, std::uint32_t v) {
    out += static_cast<char>((v >> 24) & 0xFF);
    out += static_cast<char>((v >> 16) & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
    out += static_cast<char>(v & 0xFF);
}

std::uint32_t GetU32(std::string_view in) {
    auto b = [&](size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(in[i]));
    };
    return (b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3);
}

}  // namespace

std::string EncodeIpcMessage(IpcKind kind, std::string_view data) {
    std::string out;
    out.reserve(5 + data.size());
    PutU32(out, static_cast<std::uint32_t>(data.size() + 1));
    out += static_cast<char>(kind);
    out.append(data);
    return out;
}

void IpcMessageReader::Feed(std::string_view bytes) {
    if (skip_ > 0) {
        const size_t n = static_cast<size_t>(std::min<std::uint64_t>(skip_, bytes.size()));
        skip_ -= n;
        bytes.remove_prefix(n);
    }
    buffer_.append(bytes);
    while (skip_ == 0 && buffer_.size() >= 4) {
        const std::uint32_t length = GetU32(buffer_);
        if (length > cap_) {
            IpcMessage m;
            m.tooLong = true;
            ready_.push_back(std::move(m));
            buffer_.erase(0, 4);
            const size_t n = static_cast<size_t>(std::min<std::uint64_t>(length, buffer_.size()));
            buffer_.erase(0, n);
            skip_ = length - n;
            continue;
        }
        if (buffer_.size() - 4 < length) break;
        IpcMessage m;
        if (length > 0) {
            m.kind = buffer_[4];
            m.data.assign(buffer_, 5, length - 1);
        }
        ready_.push_back(std::move(m));
        buffer_.erase(0, 4 + size_t(length));
    }
}

std::optional<IpcMessage> IpcMessageReader::Next() {
    if (ready_.empty()) return std::nullopt;
    IpcMessage m = std::move(ready_.front());
    ready_.pop_front();
    return m;
}

std::string EncodeHandOver(int instanceNumber, std::string_view path) {
    std::string out;
    PutU32(out, static_cast<std::uint32_t>(instanceNumber));
    out.append(path);
    return out;
}

bool DecodeHandOver(std::string_view data, int& instanceNumber, std::string& path) {
    if (data.size() < 4) return false;
    instanceNumber = static_cast<int>(GetU32(data));
    std::string_view rest = data.substr(4);
    const size_t nul = rest.find('\0');
    if (nul != std::string_view::npos) rest = rest.substr(0, nul);
    path.assign(rest);
    return true;
}
