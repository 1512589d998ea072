// The record walk of binary drawings: what the previews read beyond lines and arcs.
#include <gtest/gtest.h>

#include <vector>

#include "HndFixture.h"
#include "kernel/io/HndDrawingParser.h"

namespace {

std::vector<HndRecord> Visit(const std::string& bytes, HndDrawingHeader* header = nullptr) {
    HndDrawingHeader h;
    std::vector<HndRecord> out;
    if (!ReadHndHeader(bytes, h)) return out;
    VisitHndRecords(bytes, h, [&](const HndRecord& r) {
        out.push_back(r);
        return true;
    });
    if (header) *header = h;
    return out;
}

TEST(HndRecordVisitorTest, PointsLinesArcsAndTextsWithTheirFields) {
    test::HndDrawing d;
    d.Point(1, 2);
    d.Line(0, 0, 10, 0, 0x0930);  // pen 3, start mark 1, end mark 1
    d.Arc(5, 5, 2, 350, 10, 0x1220);
    d.Text(1.5f, 2.5f, 3, 2, 0.5f, 30, 0x0120, "ABCDEFGHIJKLMN");
    d.Record(3);  // a kind that is not drawn
    HndDrawingHeader h;
    auto r = Visit(d.data(), &h);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(h.count, 5u);
    EXPECT_EQ(r[0].kind, 1u);
    EXPECT_EQ(r[0].x1, 1);
    EXPECT_EQ(r[0].y1, 2);
    EXPECT_EQ(r[1].x2, 10);
    EXPECT_EQ(r[1].style, 0x0930u);
    EXPECT_EQ(r[2].radius, 2);
    EXPECT_EQ(r[2].start, 350);
    EXPECT_EQ(r[2].end, 10);
    EXPECT_EQ(r[2].style, 0x1220u);
    EXPECT_EQ(r[3].tx, 1.5);
    EXPECT_EQ(r[3].angle, 30);
    EXPECT_EQ(r[3].textAttributes, 0x0120u);
    EXPECT_EQ(r[3].text, "ABCDEFGHIJKLMN");
    EXPECT_EQ(r[3].index, 3u);
}

TEST(HndRecordVisitorTest, HeaderBoxWithAndWithoutTheTag) {
    test::HndDrawing tagged(false, true);
    tagged.Extents(-5, -6, 100, 50);
    HndDrawingHeader h;
    ASSERT_TRUE(ReadHndHeader(tagged.data(), h));
    EXPECT_EQ(h.xmin, -5);
    EXPECT_EQ(h.ymax, 50);
    test::HndDrawing plain(true, false);
    plain.Extents(0, 0, 420, 297).Origin(5, 5);
    plain.Line(0, 0, 10, 0);
    auto r = Visit(plain.data(), &h);
    EXPECT_EQ(h.xmin, -5);
    EXPECT_EQ(h.ymin, -5);
    EXPECT_EQ(h.xmax, 415);
    EXPECT_EQ(h.ymax, 292);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].x1, -5);
    EXPECT_EQ(r[0].y1, -5);
    EXPECT_EQ(r[0].x2, 5);
    EXPECT_EQ(h.layout.firstRecord, 12704u);
}

TEST(HndRecordVisitorTest, TextChainsFollowTheirLinksWithinTheRoom) {
    test::HndDrawing d;
    d.Text(0, 0, 1, 1, 0, 0, 0, "0123456789ABCD", 2);
    d.Piece(std::string(46, 'a'), 3);
    d.Piece(std::string(46, 'b'), 4, 0x0001);  // skipped, its link still followed
    d.Piece(std::string(46, 'c'), 5);
    d.Piece(std::string(46, 'd'), 6);
    d.Piece(std::string(46, 'e'), 7);
    d.Piece(std::string(46, 'f'), 65535);  // beyond the room: 242 - 5 * 46 = 12
    auto r = Visit(d.data());
    ASSERT_FALSE(r.empty());
    EXPECT_EQ(r[0].text, "0123456789ABCD" + std::string(46, 'a') + std::string(46, 'c') +
                             std::string(46, 'd') + std::string(46, 'e'));
    // A link that loops ends after count links; a link beyond the records is no link.
    test::HndDrawing loop;
    loop.Text(0, 0, 1, 1, 0, 0, 0, "X", 2);
    loop.Piece("y", 2);
    EXPECT_EQ(Visit(loop.data())[0].text.substr(0, 1), "X");
    test::HndDrawing beyond;
    beyond.Text(0, 0, 1, 1, 0, 0, 0, "Z", 9);
    EXPECT_EQ(Visit(beyond.data())[0].text, std::string("Z") + std::string(13, '\0'));
}

TEST(HndRecordVisitorTest, A5CleanUpAsTheLoopReachesARecord) {
    test::HndDrawing d;
    size_t line = d.Line(0, 0, 1, 1);
    d.bytes().U8(line, 0xA5).U8(line + 1, 0x25);  // A5 25 counts as zero flags: drawn
    size_t text = d.Text(0, 0, 1, 1, 0, 0, 0, "0123456789ABCD", 3);
    d.bytes().Put(text + 58, std::string(6, '\xA5'));  // its tail: text cut and no link
    d.Piece(std::string(46, 'p'));
    auto r = Visit(d.data());
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].kind, 2u);
    EXPECT_EQ(r[1].text, std::string("0123456789") + std::string(4, '\0'));
    EXPECT_EQ(r[1].link, 0u);
}

TEST(HndRecordVisitorTest, LayersDeletedRecordsAndStop) {
    test::HndDrawing d;
    d.Layer(2, 0).Layer(3, 0).CurrentLayer(3);
    d.Line(0, 0, 1, 0, 0, 2);  // hidden layer
    d.Line(0, 0, 2, 0, 0, 3);  // hidden but current: drawn
    size_t gone = d.Line(0, 0, 3, 0);
    d.bytes().U16(gone, 0x8000);
    d.Line(0, 0, 4, 0);
    auto r = Visit(d.data());
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].x2, 2);
    EXPECT_EQ(r[1].x2, 4);
    HndDrawingHeader h;
    ASSERT_TRUE(ReadHndHeader(d.data(), h));
    int seen = 0;
    EXPECT_FALSE(VisitHndRecords(d.data(), h, [&](const HndRecord&) { return ++seen < 1; }));
    EXPECT_EQ(seen, 1);
}

TEST(HndRecordVisitorTest, ShortFilesAndCountsBeyondTheFile) {
    test::HndDrawing d;
    d.Line(0, 0, 1, 0);
    HndDrawingHeader h;
    std::string bytes = d.data();
    EXPECT_FALSE(ReadHndHeader(bytes.substr(0, 1023), h));
    std::string claim = bytes;
    claim[242] = '\x02';  // two records, one in the file
    EXPECT_FALSE(ReadHndHeader(claim, h));
    claim[242] = '\xFF';
    claim[243] = '\xFF';
    EXPECT_FALSE(ReadHndHeader(claim, h));
    EXPECT_TRUE(ReadHndHeader(bytes, h));
}

}  // namespace
