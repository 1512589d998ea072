// Tests of what element copies and assignments take, of groups' data blocks and of type tests.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/CDtbPoint.h"

namespace {

const uint32_t kCodes[8] = {1, 2, 3, 4, 5, 6, 7, 99};

// Gives e every common field a copy might take, and links it to dummy neighbours.
void Fill(CDtbElement& e, CDtbElement* neighbour, CDtbNode* group) {
    e.SetText("free text");
    e.attributes.Add("LineNo=12");
    e.attributes.Add("PrtNo=1");
    e.noDisplay = 1;
    for (int i = 0; i < 8; ++i) e.SetOption(i, kCodes[i]);
    e.SetOptionValue(3, 2.5);
    e.link = CDtbLink{group, neighbour, neighbour};
}

void ExpectCommonCopied(const CDtbElement& e, bool attributes) {
    EXPECT_EQ(e.GetText(), "free text");
    EXPECT_EQ(e.noDisplay, 1);
    EXPECT_EQ(e.GetOption(7), 99u);
    EXPECT_EQ(e.GetOptionValue(3), 2.5);
    EXPECT_EQ(e.attributes.GetCount(), attributes ? 2u : 0u);
}

}  // namespace

TEST(CDtbElementTest, CopiesTakeEverythingButTheLinks) {
    CDtbElement neighbour;
    CDtbNode group;
    CDtbInfo info{255, 0, 0, 2, 1, kDtbClassCut, 1, 2};

    CDtbLine line(CxyzData(1, 2, 3), CxyzData(4, 5, 6), info, 10.0f, 20.0f);
    Fill(line, &neighbour, &group);
    const CDtbLine lineCopy(&line);
    ExpectCommonCopied(lineCopy, true);
    EXPECT_EQ(lineCopy.start, line.start);
    EXPECT_EQ(lineCopy.end, line.end);
    EXPECT_EQ(lineCopy.info, info);
    EXPECT_EQ(lineCopy.headAngleA, 10.0f);
    EXPECT_EQ(lineCopy.headAngleC, 20.0f);
    EXPECT_EQ(lineCopy.link.parent, nullptr);
    EXPECT_EQ(lineCopy.link.prev, nullptr);
    EXPECT_EQ(lineCopy.link.next, nullptr);

    CDtbArc arc(CxyzData(1, 1, 1), 5, 10, 20, 1, info, 1.0f, 2.0f);
    Fill(arc, &neighbour, &group);
    const CDtbArc arcCopy(&arc);
    ExpectCommonCopied(arcCopy, true);
    EXPECT_EQ(arcCopy.radius, 5);
    EXPECT_EQ(arcCopy.direction, 1);
    EXPECT_EQ(arcCopy.headAngleC, 2.0f);
    EXPECT_EQ(arcCopy.link.next, nullptr);

    CDtbPoint point(CxyzData(7, 8, 9), 1, info);
    Fill(point, &neighbour, &group);
    const CDtbPoint pointCopy(&point);
    ExpectCommonCopied(pointCopy, true);
    EXPECT_EQ(pointCopy.kind, 1u);
    EXPECT_EQ(pointCopy.point, CxyzData(7, 8, 9));
    EXPECT_EQ(pointCopy.link.prev, nullptr);
}

TEST(CDtbElementTest, ACopiedGroupStartsUnlinkedAndEmpty) {
    CDtbLine child;
    CDtbNode source("Tessmark", "Punch", "record");
    source.firstChild = &child;
    Fill(source, &child, nullptr);

    const CDtbNode copy(&source);
    EXPECT_EQ(copy.firstChild, nullptr);  // never shares the source's children
    EXPECT_EQ(copy.link.prev, nullptr);
    EXPECT_TRUE(copy.Is("Tessmark", "Punch"));
    EXPECT_STREQ(copy.GetData(), "record");
    ExpectCommonCopied(copy, true);
}

TEST(CDtbElementTest, AssignmentKeepsOwnLinksAttributesAndHeadAngles) {
    CDtbElement a, b;
    CDtbInfo info{1, 2, 3, 4, 5, 6, 0, 0};

    CDtbLine source(CxyzData(1, 1, 1), CxyzData(2, 2, 2), info, 5.0f, 6.0f);
    Fill(source, &a, nullptr);
    CDtbLine target;
    target.link.prev = &b;
    target.attributes.Add("ElmInfo=own");
    target.headAngleA = 1.0f;
    target = source;
    EXPECT_EQ(target.start, source.start);
    EXPECT_EQ(target.info, info);
    EXPECT_EQ(target.GetText(), "free text");
    EXPECT_EQ(target.GetOption(0), 1u);
    EXPECT_EQ(target.noDisplay, 1);
    EXPECT_EQ(target.link.prev, &b);  // own place in its tree kept
    EXPECT_EQ(target.link.next, nullptr);
    EXPECT_EQ(target.attributes.GetCount(), 1u);
    EXPECT_EQ(target.attributes.GetAt(0), "ElmInfo=own");
    EXPECT_EQ(target.headAngleA, 1.0f);

    CDtbArc arcSource(CxyzData(3, 3, 3), 2, 0, 90, 1, info, 7.0f, 8.0f);
    Fill(arcSource, &a, nullptr);
    CDtbArc arcTarget;
    arcTarget = arcSource;
    EXPECT_EQ(arcTarget.radius, 2);
    EXPECT_EQ(arcTarget.endAngle, 90);
    EXPECT_EQ(arcTarget.link.prev, nullptr);
    EXPECT_EQ(arcTarget.headAngleA, 0.0f);
    EXPECT_TRUE(arcTarget.attributes.IsEmpty());

    CDtbNode nodeSource("Tessmark", "Punch1", "abc");
    CDtbLine child;
    nodeSource.firstChild = &child;
    Fill(nodeSource, &a, nullptr);
    CDtbNode nodeTarget;
    nodeTarget = nodeSource;
    EXPECT_TRUE(nodeTarget.Is("Tessmark", "Punch1"));
    EXPECT_STREQ(nodeTarget.GetData(), "abc");
    EXPECT_EQ(nodeTarget.firstChild, nullptr);
    EXPECT_EQ(nodeTarget.noDisplay, 1);
    EXPECT_TRUE(nodeTarget.attributes.IsEmpty());
}

TEST(CDtbElementTest, NodeDataIsCutToTheBlock) {
    // Text form: at most 2,047 characters and the NUL.
    const std::string longText(5000, 'x');
    CDtbNode text("Tessmark", "Punch", longText);
    EXPECT_EQ(std::string(text.GetData()).size(), CDtbNode::kDataSize - 1);

    // Byte form: at most 2,048 bytes, never more.
    const std::string bytes(4096, 'y');
    CDtbNode raw("Tessmark", 8, "Punch", 5, bytes.data(), bytes.size());
    EXPECT_EQ(raw.GetData()[CDtbNode::kDataSize - 1], 'y');
    EXPECT_EQ(raw.SetData(bytes.data(), bytes.size()), CDtbNode::kDataSize);

    // Names are cut at their first NUL; null data gives the zero block.
    const char owner[] = "Tessmark\0junk";
    CDtbNode named(owner, sizeof owner, "DevideArc", 9, nullptr, 100);
    EXPECT_EQ(named.ownerName, "Tessmark");
    EXPECT_EQ(named.kindName, "DevideArc");
    EXPECT_FALSE(named.HasData());
    EXPECT_EQ(named.GetData()[0], '\0');
    EXPECT_EQ(named.GetData()[CDtbNode::kDataSize - 1], '\0');
    CDtbNode nameless(nullptr, 5, nullptr, 0, "data", 0);
    EXPECT_TRUE(nameless.ownerName.empty());
    EXPECT_FALSE(nameless.HasData());
}

TEST(CDtbElementTest, TypeCodesMatchTheClasses) {
    CDtbLine line;
    CDtbArc arc;
    CDtbPoint point;
    CDtbNode node;
    CDtbElement plain;
    struct Case {
        CDtbElement* e;
        int type;
    };
    const Case cases[] = {{&line, 1}, {&arc, 2}, {&point, 4}, {&node, 0x1000}, {&plain, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.e->GetType(), c.type);
        EXPECT_EQ(DtbCast<CDtbLine>(c.e) != nullptr, c.type == 1);
        EXPECT_EQ(DtbCast<CDtbArc>(c.e) != nullptr, c.type == 2);
        EXPECT_EQ(DtbCast<CDtbPoint>(c.e) != nullptr, c.type == 4);
        EXPECT_EQ(DtbCast<CDtbNode>(c.e) != nullptr, c.type == 0x1000);
    }
    EXPECT_EQ(DtbCast<CDtbLine>(static_cast<CDtbElement*>(nullptr)), nullptr);
}

TEST(CDtbElementTest, TextIsStoredOnlyWhenSet) {
    CDtbPoint p;
    EXPECT_TRUE(p.GetText().empty());
    p.SetText("x");
    EXPECT_EQ(p.GetText(), "x");
    p.SetText("");
    EXPECT_TRUE(p.GetText().empty());
}

TEST(CDtbElementTest, OptionsReadZeroUntilSetAndTravelWithTheText) {
    CDtbLine line;
    for (int i = -1; i <= CDtbElement::kOptionCount; ++i) EXPECT_EQ(line.GetOption(i), 0u);
    EXPECT_EQ(line.GetOptionValue(2), 0.0);

    // Out-of-range writes change nothing; a negative zero is kept as such.
    line.SetOption(CDtbElement::kOptionCount, 5);
    line.SetOptionValue(-1, 1.0);
    line.SetOptionValue(1, -0.0);
    EXPECT_EQ(line.GetOption(CDtbElement::kOptionCount), 0u);
    EXPECT_EQ(line.GetOptionValue(-1), 0.0);
    EXPECT_TRUE(std::signbit(line.GetOptionValue(1)));

    // Clearing the text keeps the options; assigning an element without either clears both.
    line.SetOption(7, 99);
    line.SetText("t");
    line.SetText("");
    EXPECT_EQ(line.GetOption(7), 99u);
    const CDtbLine plain;
    line = plain;
    EXPECT_EQ(line.GetOption(7), 0u);
    EXPECT_FALSE(std::signbit(line.GetOptionValue(1)));
    EXPECT_TRUE(line.GetText().empty());

    // Stamping all at once, zeros included.
    const uint32_t codes[8] = {0, 0, 0, 0, 0, 0, 0, 3};
    const double values[4] = {0, 0, 0, 1.5};
    line.SetOptions(codes, values);
    EXPECT_EQ(line.GetOption(7), 3u);
    EXPECT_EQ(line.GetOptionValue(3), 1.5);
    const uint32_t zeros[8] = {};
    const double noValues[4] = {};
    line.SetOptions(zeros, noValues);
    EXPECT_EQ(line.GetOption(7), 0u);
    EXPECT_EQ(line.GetOptionValue(3), 0.0);
}
