// Framing of the local socket's messages.
#include "app/core/IpcMessage.h"

#include <gtest/gtest.h>

namespace {

TEST(IpcMessageTest, EncodesLengthKindAndData) {
    EXPECT_EQ(EncodeIpcMessage(IpcKind::Execute, "STEP"), std::string("\0\0\0\x05"
                                                                      "ESTEP",
                                                                      9));
    EXPECT_EQ(EncodeIpcMessage(IpcKind::Ack), std::string("\0\0\0\x01"
                                                          "F",
                                                          5));
}

TEST(IpcMessageTest, ReadsMessagesSplitAnywhere) {
    const std::string stream = EncodeIpcMessage(IpcKind::Connect, "ZeVizeza DDE Topic") +
                               EncodeIpcMessage(IpcKind::Execute, std::string("OPEN a\0b", 8)) +
                               EncodeIpcMessage(IpcKind::Execute, "");
    // Every split of the stream into two pieces gives the same three messages.
    for (size_t cut = 0; cut <= stream.size(); ++cut) {
        SCOPED_TRACE(cut);
        IpcMessageReader reader(100);
        reader.Feed(std::string_view(stream).substr(0, cut));
        reader.Feed(std::string_view(stream).substr(cut));
        auto a = reader.Next();
        auto b = reader.Next();
        auto c = reader.Next();
        ASSERT_TRUE(a && b && c);
        EXPECT_FALSE(reader.Next());
        EXPECT_EQ(a->kind, 'C');
        EXPECT_EQ(a->data, "ZeVizeza DDE Topic");
        EXPECT_EQ(b->kind, 'E');
        EXPECT_EQ(b->data, std::string("OPEN a\0b", 8));  // NULs travel; the reader keeps them
        EXPECT_EQ(c->kind, 'E');
        EXPECT_EQ(c->data, "");
    }
}

TEST(IpcMessageTest, TooLongMessageIsReportedAndSkippedUnkept) {
    const std::string big = EncodeIpcMessage(IpcKind::Execute, std::string(1000, 'x'));
    const std::string after = EncodeIpcMessage(IpcKind::Execute, "STEP");
    IpcMessageReader reader(10);
    // The header alone reports it; the body then passes byte by byte without being kept.
    reader.Feed(std::string_view(big).substr(0, 4));
    auto m = reader.Next();
    ASSERT_TRUE(m);
    EXPECT_TRUE(m->tooLong);
    EXPECT_EQ(m->kind, 0);
    for (size_t i = 4; i < big.size(); ++i) reader.Feed(std::string_view(big).substr(i, 1));
    EXPECT_FALSE(reader.Next());
    reader.Feed(after);
    m = reader.Next();
    ASSERT_TRUE(m);
    EXPECT_FALSE(m->tooLong);
    EXPECT_EQ(m->data, "STEP");

    // The same in one piece, followed at once by the next message.
    IpcMessageReader whole(10);
    whole.Feed(big + after);
    EXPECT_TRUE(whole.Next()->tooLong);
    EXPECT_EQ(whole.Next()->data, "STEP");
    EXPECT_FALSE(whole.Next());

    // A message exactly at the cap (kind byte included) is read.
    IpcMessageReader atCap(5);
    atCap.Feed(EncodeIpcMessage(IpcKind::Execute, "STEP"));
    EXPECT_FALSE(atCap.Next()->tooLong);
}

TEST(IpcMessageTest, EmptyMessageHasNoKind) {
    IpcMessageReader reader(10);
    reader.Feed(std::string("\0\0\0\0", 4));
    auto m = reader.Next();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->kind, 0);
    EXPECT_FALSE(m->tooLong);
}

TEST(IpcMessageTest, HandOverCarriesNumberAndPath) {
    int n = 0;
    std::string path;
    ASSERT_TRUE(DecodeHandOver(EncodeHandOver(3, "/nc/a b.nc"), n, path));
    EXPECT_EQ(n, 3);
    EXPECT_EQ(path, "/nc/a b.nc");
    ASSERT_TRUE(DecodeHandOver(EncodeHandOver(-1, ""), n, path));
    EXPECT_EQ(n, -1);
    EXPECT_EQ(path, "");
    // The path ends at its first NUL (a sender that sent its terminator too).
    ASSERT_TRUE(DecodeHandOver(EncodeHandOver(7, std::string("/a.nc\0/b.nc", 11)), n, path));
    EXPECT_EQ(path, "/a.nc");
    EXPECT_FALSE(DecodeHandOver(std::string("\0\0\0", 3), n, path));
}

}  // namespace
