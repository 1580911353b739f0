// CPtrList through CTypedPtrList: order, removal, search and growth past
// one block of nodes.
#include "afxwin.h"
#include "afxtempl.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Rec {
    int n;
};

typedef CTypedPtrList<CPtrList, Rec*> CRecList;

std::vector<int> Contents(const CRecList& list) {
    std::vector<int> out;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        out.push_back(list.GetNext(pos)->n);
    return out;
}

} // namespace

TEST(CTypedPtrListTest, KeepsInsertionOrderAndRemovesFromHead) {
    Rec r[5] = {{1}, {2}, {3}, {4}, {5}};
    CRecList list(2);
    EXPECT_TRUE(list.IsEmpty());
    list.AddTail(&r[1]);
    list.AddTail(&r[3]);
    list.AddHead(&r[0]);
    POSITION pos4 = list.Find(&r[3]);
    list.InsertBefore(pos4, &r[2]);
    list.InsertAfter(pos4, &r[4]);
    EXPECT_EQ(Contents(list), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_EQ(list.GetHead()->n, 1);
    EXPECT_EQ(list.GetTail()->n, 5);

    EXPECT_EQ(list.RemoveHead()->n, 1);
    EXPECT_EQ(list.RemoveTail()->n, 5);
    list.RemoveAt(list.FindIndex(1));
    EXPECT_EQ(Contents(list), (std::vector<int>{2, 4}));
    EXPECT_EQ(list.FindIndex(2), (POSITION)NULL);
    EXPECT_EQ(list.Find(&r[0]), (POSITION)NULL);

    POSITION tail = list.GetTailPosition();
    EXPECT_EQ(list.GetPrev(tail)->n, 4);
    EXPECT_EQ(list.GetAt(tail)->n, 2);
    list.SetAt(tail, &r[0]);
    EXPECT_EQ(Contents(list), (std::vector<int>{1, 4}));
}

TEST(CTypedPtrListTest, OwnsNothingAndSurvivesManyBlocks) {
    CRecList list(3);
    for (int i = 0; i < 100; ++i)
        list.AddTail(new Rec{i});
    EXPECT_EQ(list.GetSize(), 100);
    int expected = 0;
    while (!list.IsEmpty()) {
        Rec* p = list.RemoveHead();
        EXPECT_EQ(p->n, expected++);
        delete p; // the list only held the pointer
    }
    EXPECT_EQ(list.RemoveHead(), (Rec*)NULL); // empty: no crash
    list.AddTail(new Rec{7});                 // usable again after emptying
    EXPECT_EQ(list.GetHead()->n, 7);
    delete list.RemoveHead();
}
