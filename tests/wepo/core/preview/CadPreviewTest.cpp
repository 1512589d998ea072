// Previews of native drawings, backups and headers, compared as recorded primitive lists.
#include "wepo/core/preview/CadPreview.h"

#include <gtest/gtest.h>

#include "HndFixture.h"
#include "PreviewDump.h"

namespace {

using test::Dump;

std::string Title(const std::string& name, const std::string& number, const std::string& designer) {
    auto pad = [](std::string s) {
        return s + std::string(s.size() < 42 ? 42 - s.size() : 0, ' ');
    };
    return "[Drawing name]\r\r\n" + pad(name) + "\r\r\n\r\r\n[Drawing no]\r\r\n" + pad(number) +
           "\r\r\n\r\r\n[Designer]\r\r\n" + pad(designer) + "\r\r\n\r\r\n";
}

test::HndDrawing Sample(bool rimbleton, bool tagged) {
    test::HndDrawing d(rimbleton, tagged);
    d.Titles("FLANGE", "D-1024", "Sato");
    d.Point(1, 2);
    d.Line(0, 0, 10, 0, 0x0930);
    d.Arc(5, 5, 2, 350, 10, 0x1220);
    d.Text(1.5f, 2.5f, 3, 2, 0.5f, 0, 0x0120, "[AB]");
    return d;
}

TEST(CadPreviewTest, NativeDrawingOfEachProductWithAndWithoutTheTag) {
    const std::string body =
        "POINT 1,2\n"
        "LINE pen3 0,0 10,0 marks1/1\n"
        "ARC pen2 5,5 r2 350..10 marks2/2\n"
        "TEXT -1.5,4 h3 w1 s0.5 0 '\x82\x60\x82\x61'\n";  // [AB]: two full-width letters, n = 2
    for (bool rimbleton : {false, true}) {
        wepo::PreviewText text(4096);
        wepo::PreviewRun run;
        auto d = wepo::ParseCadDrawing(Sample(rimbleton, true).data(), 0, text, {}, run);
        EXPECT_TRUE(d.picture);
        EXPECT_EQ(Dump(d), "VIEW 0,0 100,50\n" + body) << rimbleton;
        EXPECT_EQ(text.Text(), Title("FLANGE", "D-1024", "Sato"));
    }
    // Without the tag every coordinate is shifted by the origin; the box is the sheet less it.
    test::HndDrawing plain(true, false);
    plain.Extents(0, 0, 420, 297).Origin(5, 5);
    plain.Line(0, 0, 10, 0);
    wepo::PreviewText none;
    wepo::PreviewRun run;
    EXPECT_EQ(Dump(wepo::ParseCadDrawing(plain.data(), 0, none, {}, run)),
              "VIEW -5,-5 415,292\nLINE pen0 -5,-5 5,-5\n");
    EXPECT_EQ(none.Text(), "");
}

TEST(CadPreviewTest, TextsAsBoxesAndLinkedPieces) {
    test::HndDrawing d;
    d.Text(10, 20, 2, 1, 0, 90, 0x0000, "|AB_CDEFGHIJKL", 2);  // continued in record 2
    d.Piece("MN");
    wepo::PreviewText text;
    wepo::PreviewRun run;
    auto boxes = wepo::ParseCadDrawing(d.data(), wepo::PRM_TEXT_BOXES, text, {}, run);
    // "ABCDEFGHIJKLMN": 14 letters after the removals, n = 14, half 0.5, L = 7.
    EXPECT_EQ(Dump(boxes), "VIEW 0,0 100,50\nBOX 10,20 17,22 @10,20 90\n");
    auto texts = wepo::ParseCadDrawing(d.data(), 0, text, {}, run);
    ASSERT_EQ(texts.primitives.size(), 2u);
    EXPECT_EQ(texts.primitives[1].text.size(), 28u);
    EXPECT_NEAR(texts.primitives[1].a[0], 8,
                1e-9);  // the corner (10, 22) turned by 90 about (10, 20)
    EXPECT_NEAR(texts.primitives[1].a[1], 20, 1e-9);
    EXPECT_EQ(wepo::CadTextOf("[A]|\x95]_"), "\x82\x60\x95]");  // 95 5D is one character
}

TEST(CadPreviewTest, NoPictureForShortFilesCountsBeyondTheFileAndAStop) {
    wepo::PreviewText text(100);
    wepo::PreviewRun run;
    std::string bytes = Sample(false, true).data();
    EXPECT_FALSE(wepo::ParseCadDrawing(bytes.substr(0, 1023), 0, text, {}, run).picture);
    std::string claim = bytes;
    claim[242] = 9;  // nine records, four in the file
    EXPECT_FALSE(wepo::ParseCadDrawing(claim, 0, text, {}, run).picture);
    std::string nothing(2000, 'x');
    EXPECT_FALSE(wepo::ParseCadDrawing(nothing, 0, text, {}, run).picture);
    EXPECT_EQ(text.Text(), "");
    wepo::PreviewRun stopped;
    stopped.Stop();
    auto d = wepo::ParseCadDrawing(bytes, 0, text, {}, stopped);
    EXPECT_FALSE(d.picture);
    EXPECT_TRUE(d.primitives.empty());
}

std::string Backup(uint32_t count) {
    test::Bytes b(446);
    b.Put(0, "FLENDIR rimbl Backup V2")
        .Put(24, "title")
        .Put(284, "PLATE")
        .Put(326, "P-7")
        .Put(368, "Ito");
    b.F64(410, -1).F64(418, -2).F64(426, 50).F64(434, 40).U32(442, count);
    return b.data();
}

TEST(CadPreviewTest, BackupTextsAreAlwaysBoxes) {
    std::string bytes = Backup(4);
    test::Bytes r(64 * 4);
    r.U16(4, 2).F64(16, 0).F64(24, 0).F64(32, 5).F64(40, 5).U16(48,
                                                                0x0950);  // pen 5, marks ignored
    r.U16(64 + 0, 0x4000).U16(64 + 4, 2);                                 // deleted
    r.U16(128 + 4, 8)
        .F32(128 + 16, 1)
        .F32(128 + 20, 1)
        .F32(128 + 24, 2)
        .F32(128 + 28, 1)
        .F32(128 + 32, 0.5f);
    r.U16(128 + 46, 4);                                                  // four characters
    r.U16(192 + 4, 1).U8(192 + 7, 9).F64(192 + 16, 3).F64(192 + 24, 4);  // any layer
    bytes += r.data();
    wepo::PreviewText text(4096);
    wepo::PreviewRun run;
    auto d = wepo::ParseCadBackup(bytes, text, {}, run);
    EXPECT_TRUE(d.picture);
    EXPECT_EQ(Dump(d), "VIEW -1,-2 50,40\nLINE pen5 0,0 5,5\nBOX 1,1 7,3 @1,1 0\nPOINT 3,4\n");
    EXPECT_EQ(text.Text(), Title("PLATE", "P-7", "Ito"));
    // A count of 2^26 records would wrap a 32-bit size check.
    std::string huge = Backup(1u << 26) + std::string(64, '\0');
    EXPECT_FALSE(wepo::ParseCadBackup(huge, text, {}, run).picture);
    EXPECT_FALSE(wepo::ParseCadBackup(Backup(2).substr(0, 445), text, {}, run).picture);
}

TEST(CadPreviewTest, HeadersOfTheOtherProductsGiveTextOnly) {
    test::Bytes rw(300);
    rw.Put(4, "ZEDPLINT RW").Put(144, "NAME").Put(186, "NO").Put(228, std::string(42, 'D'));
    wepo::PreviewText text(4096);
    wepo::DescribeCadHeader(rw.data(), 2, text, {});
    EXPECT_EQ(text.Text(),
              Title("NAME", "NO", std::string(41, 'D')));  // a full field loses its last byte
    test::Bytes tw(600);
    tw.Put(4, "ZEDPLINT TW").Put(576, std::string(30, 'T'));
    wepo::PreviewText cut(4096);
    wepo::DescribeCadHeader(tw.data().substr(0, 600), 3, cut, {});
    EXPECT_EQ(cut.Text(), Title(std::string(24, 'T'), "", ""));  // cut at the end of the file
    wepo::PreviewText small(20);
    wepo::DescribeCadHeader(rw.data(), 2, small, {});
    EXPECT_EQ(small.Text(), "[Drawing name]\r\r\nNA");  // at most size - 1 bytes
}

}  // namespace
