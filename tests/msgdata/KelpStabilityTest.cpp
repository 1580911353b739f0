// Texts handed out by a parser stay where they are while the parser and
// their entry live: adding values (the entries' storage grows) and removing
// other keys (later entries move down) leave them valid and unchanged.
#include "TestText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

const char kBuilt[] = "KELP/1 svc=ChannelList&cmd=GetChannelList&tgt=&mode=1&ip=10.0.0.5"
                      "&port=7001&enc=0&n=3?before=x&keep=7001&after=y;";

std::unique_ptr<CKelpParser> MakeBuilt() {
    std::unique_ptr<CKelpParser> p(new CKelpParser(G::serviceChannelList, G::commandGetChannelList,
                                                   nullptr, 1, "10.0.0.5", 7001));
    p->AddValue("before", "x");
    p->AddValue("keep", 7001);
    p->AddValue("after", "y");
    return p;
}

std::unique_ptr<CKelpParser> MakeRead() {
    return std::unique_ptr<CKelpParser>(new CKelpParser(kBuilt, 0, nullptr));
}

void AddMany(CKelpParser& p) {
    char key[32];
    for (int i = 1; i <= 5000; ++i) {
        std::snprintf(key, sizeof key, "%s%d", G::keyChannelId, i);
        ASSERT_TRUE(p.AddValue(key, i));
    }
}

void DelBefore(CKelpParser& p) {
    ASSERT_TRUE(p.DelKey("before"));
}

void AddManyThenDelOthers(CKelpParser& p) {
    AddMany(p);
    ASSERT_TRUE(p.DelKey("before"));
    ASSERT_TRUE(p.DelKey("ChId10"));
    ASSERT_TRUE(p.SetValue("after", "z"));
}

} // namespace

TEST(KelpStability, ValueAndHeaderTextsSurviveOtherChanges) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<CKelpParser>()> make;
        std::function<void(CKelpParser&)> change;
    };
    const Case cases[] = {
        {"built, values added", MakeBuilt, AddMany},
        {"built, an earlier key removed", MakeBuilt, DelBefore},
        {"built, added and removed", MakeBuilt, AddManyThenDelOthers},
        {"read, values added", MakeRead, AddMany},
        {"read, an earlier key removed", MakeRead, DelBefore},
        {"read, added and removed", MakeRead, AddManyThenDelOthers},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CKelpParser> p = c.make();
        ASSERT_TRUE(p->IsValid());
        char* text = nullptr;
        int length = 0;
        ASSERT_TRUE(p->GetValue("keep", text, length));
        const char* service = p->GetService();
        const char* address = p->GetIPAddress();

        ASSERT_EQ(4, length);

        c.change(*p);

        EXPECT_EQ(std::string("7001", 5), std::string(text, 5)) << "the text and its NUL";
        char* again = nullptr;
        int againLength = 0;
        ASSERT_TRUE(p->GetValue("keep", again, againLength));
        EXPECT_EQ(text, again);
        EXPECT_EQ(service, p->GetService());
        EXPECT_STREQ(G::serviceChannelList, service);
        EXPECT_EQ(address, p->GetIPAddress());
        EXPECT_STREQ("10.0.0.5", address);
    }
}
