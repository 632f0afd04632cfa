#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/fixed_vector.h"

namespace tovel {
namespace {

// Counts its live copies, so that a container constructing or destroying the wrong elements
// shows.
struct Tracked {
    explicit Tracked(int& live, int value = 0) : live(&live), value(value) { ++*this->live; }
    Tracked(const Tracked& other) : live(other.live), value(other.value) { ++*live; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --*live; }
    bool operator==(const Tracked& other) const { return value == other.value; }

    int* live;
    int value;
};

TEST(FixedVector, OnlyTheElementsInUseAreAlive) {
    int live = 0;
    {
        FixedVector<Tracked, 8> a;
        EXPECT_EQ(live, 0);  // room for eight, none constructed
        for (int v = 1; v <= 3; ++v)
            a.emplace_back(live, v);
        EXPECT_EQ(live, 3);

        FixedVector<Tracked, 8> b = a;
        EXPECT_EQ(live, 6);
        EXPECT_EQ(b, a);

        b.pop_back();
        a = b;  // shorter over longer: the extra one goes
        EXPECT_EQ(live, 4);
        EXPECT_EQ(a, b);
        a.emplace_back(live, 9);
        a.emplace_back(live, 10);
        b = a;  // longer over shorter
        EXPECT_EQ(live, 8);
        EXPECT_EQ(b[3].value, 10);

        b = std::move(a);
        EXPECT_EQ(b.size(), 4u);
        a.clear();
        EXPECT_EQ(live, 4);
        b.resize(1, Tracked(live));
        EXPECT_EQ(live, 1);
        b.resize(3, Tracked(live, 7));
        EXPECT_EQ(live, 3);
        EXPECT_EQ(b[2].value, 7);
    }
    EXPECT_EQ(live, 0);
}

TEST(FixedVector, InsertAndEraseKeepTheOrder) {
    FixedVector<std::string, 5> v{"b", "d"};
    v.insert(v.begin(), "a");
    v.insert(v.begin() + 2, "c");
    v.insert(v.end(), "e");
    EXPECT_EQ(v, (FixedVector<std::string, 5>{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(*v.erase(v.begin() + 1), "c");
    v.erase(v.end() - 1);
    EXPECT_EQ(v, (FixedVector<std::string, 5>{"a", "c", "d"}));
    EXPECT_NE(v, (FixedVector<std::string, 5>{"a", "c"}));
}

TEST(FixedVector, AFullVectorRefusesMoreAndKeepsWhatItHolds) {
    FixedVector<int, 2> v{1, 2};
    EXPECT_TRUE(v.full());
    EXPECT_THROW(v.push_back(3), std::length_error);
    EXPECT_THROW(v.insert(v.begin(), 0), std::length_error);
    EXPECT_THROW(v.resize(3), std::length_error);
    EXPECT_EQ(v, (FixedVector<int, 2>{1, 2}));
    EXPECT_THROW((FixedVector<int, 2>{1, 2, 3}), std::length_error);
}

}  // namespace
}  // namespace tovel
