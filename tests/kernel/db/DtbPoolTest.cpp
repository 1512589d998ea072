// Tests of the element pool's memory and of the 32-bit handles to it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/DtbPool.h"
#include "kernel/db/DtbRef.h"

TEST(DtbPoolTest, HandlesNameMemoryOfThePoolTheHeapAndTheStack) {
    EXPECT_EQ(DtbHandleOf(nullptr), 0u);
    EXPECT_EQ(DtbAddressOf(0), nullptr);

    void* small = DtbPoolAllocate(120);
    void* large = DtbPoolAllocate(kDtbPoolMaxSize + 1);  // beyond the size classes
    auto heap = std::make_unique<double>(1.0);
    double onStack = 2.0;
    for (void* p : {small, large, static_cast<void*>(heap.get()), static_cast<void*>(&onStack)}) {
        const uint32_t h = DtbHandleOf(p);
        EXPECT_NE(h, 0u);
        EXPECT_EQ(DtbAddressOf(h), p);
        EXPECT_EQ(DtbHandleOf(p), h);  // the same place keeps its handle
    }
    EXPECT_NE(DtbHandleOf(small), DtbHandleOf(large));

    DtbReleaseHandle(large);
    DtbPoolFree(large, kDtbPoolMaxSize + 1);
    DtbReleaseHandle(heap.get());
    DtbReleaseHandle(&onStack);
    DtbPoolFree(small, 120);
}

TEST(DtbPoolTest, ElementsOutsideThePoolLinkAndLeaveNoHandleBehind) {
    const size_t before = dtb_detail::g_tableCount.load();
    {
        CDtbNode group;
        CDtbLine first;
        CDtbLine second;
        group.firstChild = &first;
        first.link = CDtbLink{&group, nullptr, &second};
        second.link.parent = &group;
        second.link.prev = &first;
        EXPECT_EQ(first.link.next, &second);
        EXPECT_EQ(first.link.next->link.prev, &first);
        EXPECT_EQ(second.link.parent->firstChild, &first);
        EXPECT_EQ(second.link.next, nullptr);
    }
    EXPECT_EQ(dtb_detail::g_tableCount.load(), before);

    // Heap elements come from the pool, their option blocks and long texts too; freeing them
    // forgets whatever handles they had.
    auto* line = new CDtbLine;
    line->SetText("free text");
    line->SetOption(7, 99);
    line->attributes.Add(std::string(3000, 'x'));
    line->link.next = line;
    EXPECT_EQ(line->link.next->GetOption(7), 99u);
    EXPECT_EQ(line->attributes.GetAt(0).size(), 3000u);
    delete line;
    EXPECT_EQ(dtb_detail::g_tableCount.load(), before);
}
