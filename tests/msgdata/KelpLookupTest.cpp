// GetValue finds the first entry of a key whatever the order of the
// lookups: in the order written, backwards, with a common key in between,
// and when a later entry repeats a key, in messages large enough to be
// looked up through the key index.
#include "TestText.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kKeys = 30; // k0 .. k29, values v0 .. v29

// Repeated keys after the originals: each must read as its original.
const char* const kRepeats[] = {"k1", "k29", "k0"};

std::string Key(int i) {
    return "k" + std::to_string(i);
}

std::unique_ptr<CKelpParser> MakeBuilt() {
    std::unique_ptr<CKelpParser> p(new CKelpParser("s", "c", nullptr, 1, nullptr, 0));
    for (int i = 0; i < kKeys; ++i)
        p->AddValue(Key(i).c_str(), ("v" + std::to_string(i)).c_str());
    for (const char* key : kRepeats)
        p->AddValue(key, "repeat");
    return p;
}

std::unique_ptr<CKelpParser> MakeRead() {
    return ReadExact(Rendered(*MakeBuilt()));
}

// Built, looked up once (the index is made), then the repeats added.
std::unique_ptr<CKelpParser> MakeIndexedThenAdded() {
    std::unique_ptr<CKelpParser> p(new CKelpParser("s", "c", nullptr, 1, nullptr, 0));
    for (int i = 0; i < kKeys; ++i)
        p->AddValue(Key(i).c_str(), ("v" + std::to_string(i)).c_str());
    char* text = nullptr;
    int length = 0;
    p->GetValue("k0", text, length);
    for (const char* key : kRepeats)
        p->AddValue(key, "repeat");
    return p;
}

// Read, a key removed and added again: it now comes last, once.
std::unique_ptr<CKelpParser> MakeReadThenReplaced() {
    std::unique_ptr<CKelpParser> p = MakeRead();
    p->SetValue("k5", "v5");
    return p;
}

std::vector<int> Forward() {
    std::vector<int> order;
    for (int i = 0; i < kKeys; ++i)
        order.push_back(i);
    return order;
}

std::vector<int> Backward() {
    std::vector<int> order;
    for (int i = kKeys - 1; i >= 0; --i)
        order.push_back(i);
    return order;
}

// k1 before each key, as a loop over channels reads a common key.
std::vector<int> WithCommonKey() {
    std::vector<int> order;
    for (int i = 0; i < kKeys; ++i) {
        order.push_back(1);
        order.push_back(i);
    }
    return order;
}

// Each key twice in a row.
std::vector<int> Twice() {
    std::vector<int> order;
    for (int i = 0; i < kKeys; ++i) {
        order.push_back(i);
        order.push_back(i);
    }
    return order;
}

} // namespace

TEST(KelpLookup, TheFirstEntryWinsInEveryOrderOfLookups) {
    const struct {
        const char* name;
        std::function<std::unique_ptr<CKelpParser>()> make;
    } messages[] = {
        {"built", MakeBuilt},
        {"read", MakeRead},
        {"indexed, then repeats added", MakeIndexedThenAdded},
        {"read, then a key replaced", MakeReadThenReplaced},
    };
    const struct {
        const char* name;
        std::vector<int> order;
    } orders[] = {
        {"forward", Forward()},
        {"backward", Backward()},
        {"with a common key", WithCommonKey()},
        {"twice", Twice()},
    };
    for (const auto& m : messages) {
        for (const auto& o : orders) {
            SCOPED_TRACE(std::string(m.name) + ", " + o.name);
            std::unique_ptr<CKelpParser> p = m.make();
            ASSERT_TRUE(p->IsValid());
            for (int i : o.order) {
                char* text = nullptr;
                int length = 0;
                ASSERT_TRUE(p->GetValue(Key(i).c_str(), text, length)) << Key(i);
                EXPECT_EQ("v" + std::to_string(i), std::string(text, length)) << Key(i);
            }
            char* text = nullptr;
            int length = 0;
            EXPECT_FALSE(p->GetValue("k30", text, length));
            EXPECT_FALSE(p->GetValue("k", text, length));
            EXPECT_FALSE(p->GetValue("k10x", text, length));
        }
    }
}
