// Lists of integer pairs: growth, index errors, notifications, Assign and Equals.
#include "storage/d2integers.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

TD2IntegerList ListOf(std::initializer_list<TD2Integer> pairs) {
    TD2IntegerList list;
    for (const auto& p : pairs)
        list.Add(p.X, p.Y);
    return list;
}

std::vector<TD2Integer> PairsOf(const TD2Integers& list) {
    std::vector<TD2Integer> pairs;
    for (int i = 0; i < list.Count(); ++i)
        pairs.push_back(list.Get(i));
    return pairs;
}

// Records every notification as "changing" / "change" with the count seen at that moment.
struct TNotificationLog {
    std::vector<std::string> events;

    void Attach(TD2IntegerList& list) {
        list.OnChanging = [this](TD2IntegerList& l) {
            events.push_back("changing " + std::to_string(l.Count()));
        };
        list.OnChange = [this](TD2IntegerList& l) {
            events.push_back("change " + std::to_string(l.Count()));
        };
    }
};

// Runs f and returns the message of the index error it raises ("" when none).
template <typename F>
std::string IndexErrorOf(F f) {
    try {
        f();
    } catch (const TD2IntegersError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(PairList, CapacityGrowsByTheRule) {
    TD2IntegerList list;
    std::vector<int> capacities;
    for (int i = 0; i < 80; ++i) {
        EXPECT_EQ(list.Add(i, -i), i);
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95}));
    for (int i = 0; i < 80; ++i)
        EXPECT_EQ(list.Get(i), (TD2Integer{i, -i}));
}

TEST(PairList, IndexErrorsCarryTheIndexAndChangeNothing) {
    TD2IntegerList list = ListOf({{1, 2}, {3, 4}});
    EXPECT_EQ(IndexErrorOf([&] { list.Get(-1); }), "リストのインデックスが範囲を超えています (-1)");
    EXPECT_EQ(IndexErrorOf([&] { list.Get(2); }), "リストのインデックスが範囲を超えています (2)");
    EXPECT_EQ(IndexErrorOf([&] {
                  list.Put(2, {0, 0});
              }),
              "リストのインデックスが範囲を超えています (2)");
    EXPECT_EQ(IndexErrorOf([&] { list.Delete(-3); }),
              "リストのインデックスが範囲を超えています (-3)");
    EXPECT_EQ(IndexErrorOf([&] { list.Insert(3, 0, 0); }),
              "リストのインデックスが範囲を超えています (3)");
    try {
        list.Get(7);
        FAIL();
    } catch (const TD2IntegersError& e) {
        EXPECT_EQ(e.Index(), 7);
    }
    EXPECT_EQ(PairsOf(list), (std::vector<TD2Integer>{{1, 2}, {3, 4}}));
}

TEST(PairList, InsertDeleteAndPutKeepOrder) {
    TD2IntegerList list = ListOf({{1, 1}, {2, 2}});
    list.Insert(2, 9, 9);  // at Count: appends
    list.Insert(0, 0, 0);
    list.Insert(2, 5, 5);
    EXPECT_EQ(PairsOf(list), (std::vector<TD2Integer>{{0, 0}, {1, 1}, {5, 5}, {2, 2}, {9, 9}}));
    list.Delete(1);
    list.Delete(3);  // the last one
    EXPECT_EQ(PairsOf(list), (std::vector<TD2Integer>{{0, 0}, {5, 5}, {2, 2}}));
    EXPECT_EQ(list.Capacity(), 8);  // deleting keeps the storage
    list.Put(1, {7, -7});
    EXPECT_EQ(list[1], (TD2Integer{7, -7}));
    EXPECT_EQ(list.Count(), 3);
}

TEST(PairList, EveryChangeIsAnnouncedBeforeAndAfter) {
    TD2IntegerList list;
    TNotificationLog log;
    log.Attach(list);
    list.Add(1, 1);
    list.Put(0, {2, 2});
    list.Delete(0);
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing 0", "change 1", "changing 1",
                                                    "change 1", "changing 1", "change 0"}));
    log.events.clear();
    list.Clear();  // empty: nobody hears anything
    EXPECT_TRUE(log.events.empty());
    list.Add(1, 1);
    log.events.clear();
    list.Clear();
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing 1", "change 0"}));
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(PairList, AnUpdateBatchesNotificationsIntoOnePair) {
    TD2IntegerList list;
    TNotificationLog log;
    log.Attach(list);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add(1, 1);
    list.Add(2, 2);
    list.EndUpdate();
    list.Add(3, 3);
    list.EndUpdate();
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing 0", "change 3"}));
    EXPECT_EQ(list.UpdateCount(), 0);
    list.EndUpdate();  // unmatched: no effect, notifications keep working
    list.Add(4, 4);
    EXPECT_EQ(log.events.back(), "change 4");
}

TEST(PairList, AssignReplacesThePairsInOneUpdate) {
    TD2IntegerList target = ListOf({{9, 9}, {8, 8}, {7, 7}});
    const TD2IntegerList source = ListOf({{1, 2}, {3, 4}});
    TNotificationLog log;
    log.Attach(target);
    target.Assign(source);
    EXPECT_EQ(PairsOf(target), (std::vector<TD2Integer>{{1, 2}, {3, 4}}));
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing 3", "change 2"}));

    target.Assign(target);  // to itself: kept, not lost
    EXPECT_EQ(PairsOf(target), (std::vector<TD2Integer>{{1, 2}, {3, 4}}));

    TD2IntegerList copy(target);
    EXPECT_FALSE(copy.OnChange);  // a copy takes the pairs, not the hooks
    EXPECT_TRUE(copy.Equals(target));
}

// The abstract list's own Put and Add, seen through a minimal list built on a vector.
namespace {
class TVectorPairs : public TD2Integers {
  public:
    TD2Integer Get(int Index) const override {
        CheckIndex(Index, GetCount());
        return items[Index];
    }
    int GetCount() const override { return static_cast<int>(items.size()); }
    void Clear() override { items.clear(); }
    void Delete(int Index) override {
        CheckIndex(Index, GetCount());
        items.erase(items.begin() + Index);
    }
    void Insert(int Index, int X, int Y) override {
        CheckIndex(Index, GetCount() + 1);
        items.insert(items.begin() + Index, TD2Integer{X, Y});
    }
    std::vector<TD2Integer> items;
};

// Fails when the second pair is read.
class TFailingPairs : public TVectorPairs {
  public:
    TD2Integer Get(int Index) const override {
        if (Index == 1) throw std::runtime_error("unreadable");
        return TVectorPairs::Get(Index);
    }
};
}  // namespace

TEST(PairList, AddItemsAppendsInOrderAndEndsTheUpdateOnFailure) {
    TD2IntegerList list = ListOf({{0, 0}});
    list.AddItems(ListOf({{1, 1}, {2, 2}}));
    list.AddItems(list);  // its own pairs once more
    EXPECT_EQ(PairsOf(list),
              (std::vector<TD2Integer>{{0, 0}, {1, 1}, {2, 2}, {0, 0}, {1, 1}, {2, 2}}));

    // A source that fails halfway: the update still closes and announces what was added.
    TFailingPairs source;
    source.items = {{1, 1}, {2, 2}, {3, 3}};
    TNotificationLog log;
    log.Attach(list);
    EXPECT_THROW(list.AddItems(source), std::runtime_error);
    EXPECT_EQ(list.UpdateCount(), 0);
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing 6", "change 7"}));
}

TEST(PairList, EqualsComparesPairsInOrder) {
    EXPECT_TRUE(TD2IntegerList().Equals(TD2IntegerList()));
    EXPECT_TRUE(ListOf({{1, 2}, {3, 4}}).Equals(ListOf({{1, 2}, {3, 4}})));
    EXPECT_FALSE(ListOf({{1, 2}, {3, 4}}).Equals(ListOf({{3, 4}, {1, 2}})));
    EXPECT_FALSE(ListOf({{1, 2}}).Equals(ListOf({{2, 1}})));
    EXPECT_FALSE(ListOf({{1, 2}}).Equals(ListOf({{1, 2}, {1, 2}})));
}

TEST(PairList, CapacityCannotDropBelowTheCount) {
    TD2IntegerList list = ListOf({{1, 1}, {2, 2}, {3, 3}});
    EXPECT_THROW(list.SetCapacity(2), TD2IntegersError);
    EXPECT_EQ(list.Count(), 3);
    list.SetCapacity(50);
    EXPECT_EQ(list.Capacity(), 50);
    EXPECT_EQ(PairsOf(list), (std::vector<TD2Integer>{{1, 1}, {2, 2}, {3, 3}}));
}

TEST(PairList, TheAbstractOperationsWorkThroughTheSlots) {
    TVectorPairs pairs;
    EXPECT_EQ(pairs.Add(1, 1), 0);
    EXPECT_EQ(pairs.Add(2, 2), 1);
    pairs.Put(0, {5, 5});
    EXPECT_EQ(pairs.items, (std::vector<TD2Integer>{{5, 5}, {2, 2}}));
    EXPECT_EQ(pairs.GetCapacity(), 2);
    TD2IntegerList list;
    list.Assign(pairs);
    EXPECT_TRUE(list.Equals(pairs));
    pairs.Assign(ListOf({{7, 7}}));
    EXPECT_EQ(pairs.items, (std::vector<TD2Integer>{{7, 7}}));
}
