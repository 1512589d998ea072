// Tests of the object stream of the element classes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "kernel/db/CDtbArchive.h"

namespace {

std::string ReadFixture(const char* name) {
    std::ifstream in(std::string(MORVALEN_TEST_DATA) + "/kernel/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(CDtbArchiveTest, StoresClassRecordsByteByByte) {
    CDtbArchive ar;
    CDtbLine a(CxyzData(1, 2, 3), CxyzData(4, 5, 6));
    CDtbLine b;
    CDtbNode g("Tessmark", "Punch", "data");
    ar << &a << &b << static_cast<const CDtbElement*>(nullptr) << &g << &g;
    EXPECT_EQ(ar.GetBuffer(), ReadFixture("element-records.bin"));
    EXPECT_EQ(ar.GetBuffer().size(), 34u);
}

TEST(CDtbArchiveTest, LoadingGivesDefaultObjectsOfTheStoredClasses) {
    const std::string bytes = ReadFixture("element-records.bin");
    CDtbArchive ar(bytes);
    std::unique_ptr<CDtbLine> first, second;
    std::unique_ptr<CDtbElement> none, node, third;
    ar >> first >> second >> none >> node >> third;
    EXPECT_TRUE(ar.IsOk());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->start, CxyzData());
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(none, nullptr);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetType(), kDtbTypeNode);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->GetType(), kDtbTypeNode);  // class index 2
    EXPECT_EQ(ar.GetRemaining(), 0u);
}

TEST(CDtbArchiveTest, BadStreamsFailWithoutCrashing) {
    struct Case {
        std::string bytes;
        const char* what;
    };
    const Case cases[] = {
        {std::string("\xff", 1), "short tag"},
        {std::string("\xff\xff\x01\x00\x08\x00"
                     "CDtbLi",
                     12),
         "short name"},
        {std::string("\xff\xff\x02\x00\x08\x00"
                     "CDtbLine",
                     14),
         "wrong schema"},
        {std::string("\xff\xff\x01\x00\x07\x00"
                     "CObject",
                     13),
         "unknown class"},
        {std::string("\x01\x80", 2), "class index never stored"},
        {std::string("\x05\x00", 2), "object reference"},
    };
    for (const Case& c : cases) {
        CDtbArchive ar(c.bytes);
        std::unique_ptr<CDtbElement> e;
        ar >> e;
        EXPECT_EQ(e, nullptr) << c.what;
        EXPECT_FALSE(ar.IsOk()) << c.what;
        ar >> e;  // nothing more is read after a failure
        EXPECT_EQ(e, nullptr);
    }
    // An object of another class than the one asked for.
    const std::string bytes = ReadFixture("element-records.bin");
    CDtbArchive ar(bytes);
    std::unique_ptr<CDtbArc> arc;
    ar >> arc;
    EXPECT_EQ(arc, nullptr);
    EXPECT_FALSE(ar.IsOk());
}

TEST(CDtbArchiveTest, NumbersAreLittleEndian) {
    CDtbArchive out;
    out.WriteUInt16(0x1234);
    out.WriteUInt32(0xA1B2C3D4u);
    EXPECT_EQ(out.GetBuffer(), std::string("\x34\x12\xD4\xC3\xB2\xA1", 6));
    CDtbArchive in(out.GetBuffer());
    uint16_t a = 0;
    uint32_t b = 0;
    EXPECT_TRUE(in.ReadUInt16(a));
    EXPECT_TRUE(in.ReadUInt32(b));
    EXPECT_EQ(a, 0x1234);
    EXPECT_EQ(b, 0xA1B2C3D4u);
    EXPECT_FALSE(in.ReadUInt16(a));
    EXPECT_EQ(FindDtbClass("CDtbPoint")->type, kDtbTypePoint);
    EXPECT_EQ(FindDtbClass(12345), nullptr);
}
