// The stand-in host's side of what a plug-in offers others: variables it
// publishes through accessors, read and written through the ordinary calls,
// and the plug-ins beside it that it finds by signature and sends messages to.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "XPLMDataAccess.h"
#include "XPLMPlugin.h"
#include "xphost.h"

namespace {

struct Published {
    int   count = 7;
    float ratio = 0.25f;
    int   list[3] = {10, 20, 30};
    int   writes = 0;
    int   last_write = 0;
};

int GetCount(void* ref) { return static_cast<Published*>(ref)->count; }
float GetRatio(void* ref) { return static_cast<Published*>(ref)->ratio; }
void SetCount(void* ref, int v)
{
    auto* p = static_cast<Published*>(ref);
    ++p->writes;
    p->last_write = v;
}

int GetList(void* ref, int* out, int offset, int max)
{
    auto* p = static_cast<Published*>(ref);
    if (!out)
        return 3;
    int n = 0;
    for (int k = offset; k >= 0 && k < 3 && n < max; ++k)
        out[n++] = p->list[k];
    return n;
}

XPLMDataRef PublishInt(const char* name, Published& p, int writable)
{
    return XPLMRegisterDataAccessor(name, xplmType_Int, writable, GetCount, SetCount, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &p, &p);
}

class Publishing : public ::testing::Test {
protected:
    void SetUp() override { xphost::reset(); }
    Published p;
};

TEST_F(Publishing, ReadsReachTheAccessorsThroughTheOrdinaryCalls)
{
    ASSERT_NE(PublishInt("QZTgov/test/count", p, 0), nullptr);
    ASSERT_NE(XPLMRegisterDataAccessor("QZTgov/test/ratio", xplmType_Float, 0, nullptr, nullptr, GetRatio, nullptr,
                                       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &p,
                                       nullptr),
              nullptr);
    ASSERT_NE(XPLMRegisterDataAccessor("QZTgov/test/list", xplmType_IntArray, 0, nullptr, nullptr, nullptr, nullptr,
                                       nullptr, nullptr, GetList, nullptr, nullptr, nullptr, nullptr, nullptr, &p,
                                       nullptr),
              nullptr);

    XPLMDataRef count = XPLMFindDataRef("QZTgov/test/count");
    XPLMDataRef ratio = XPLMFindDataRef("QZTgov/test/ratio");
    XPLMDataRef list = XPLMFindDataRef("QZTgov/test/list");
    EXPECT_EQ(XPLMGetDataRefTypes(count), xplmType_Int);
    EXPECT_EQ(XPLMGetDatai(count), 7);
    p.count = 8;                                         // the value of the moment, never a copy
    EXPECT_EQ(XPLMGetDatai(count), 8);
    EXPECT_EQ(xphost::get_i("QZTgov/test/count"), 8);
    EXPECT_FLOAT_EQ(XPLMGetDataf(ratio), 0.25f);

    int out[4] = {};
    EXPECT_EQ(XPLMGetDatavi(list, nullptr, 0, 0), 3);
    EXPECT_EQ(XPLMGetDatavi(list, out, 1, 4), 2);
    EXPECT_EQ(out[0], 20);
    EXPECT_EQ(out[1], 30);
    EXPECT_EQ(xphost::get_vi("QZTgov/test/list"), (std::vector<int>{10, 20, 30}));

    // A type the publisher did not register reads 0 and is recorded.
    EXPECT_EQ(XPLMGetDataf(count), 0.0f);
    ASSERT_EQ(xphost::type_mismatches().size(), 1u);
    EXPECT_EQ(xphost::type_mismatches()[0].path, "QZTgov/test/count");

    // Published variables are the plug-in's, not the simulator's.
    for (const auto& d : xphost::catalogue())
        EXPECT_NE(d.path.rfind("QZTgov/", 0), 0u) << d.path;
    EXPECT_EQ(xphost::published_datarefs(),
              (std::vector<std::string>{"QZTgov/test/count", "QZTgov/test/ratio", "QZTgov/test/list"}));
    EXPECT_THROW(xphost::set_i("QZTgov/test/count", 3), std::invalid_argument);
}

TEST_F(Publishing, WritesReachOnlyAWritableAccessor)
{
    XPLMDataRef ro = PublishInt("QZTgov/test/read_only", p, 0);
    XPLMSetDatai(ro, 5);
    EXPECT_EQ(XPLMCanWriteDataRef(ro), 0);
    EXPECT_EQ(p.writes, 0);
    ASSERT_EQ(xphost::writes_to("QZTgov/test/read_only").size(), 1u);
    EXPECT_FALSE(xphost::writes_to("QZTgov/test/read_only")[0].accepted);

    Published q;
    XPLMDataRef rw = PublishInt("QZTgov/test/writable", q, 1);
    XPLMSetDatai(rw, 5);
    EXPECT_EQ(XPLMCanWriteDataRef(rw), 1);
    EXPECT_EQ(q.writes, 1);
    EXPECT_EQ(q.last_write, 5);
    EXPECT_TRUE(xphost::writes_to("QZTgov/test/writable")[0].accepted);
}

TEST_F(Publishing, UnregisteringOrphansHandlesAndTakenNamesAreRefused)
{
    XPLMDataRef mine = PublishInt("QZTgov/test/count", p, 0);
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(XPLMFindDataRef("QZTgov/test/count"), mine);

    Published other;
    EXPECT_EQ(PublishInt("QZTgov/test/count", other, 0), nullptr);            // taken by a plug-in
    EXPECT_EQ(PublishInt("sim/flightmodel/misc/machno", other, 0), nullptr);  // the simulator's
    EXPECT_EQ(PublishInt("", other, 0), nullptr);
    EXPECT_EQ(xphost::refused_registrations().size(), 3u);
    EXPECT_EQ(XPLMGetDatai(mine), 7);

    XPLMUnregisterDataAccessor(XPLMFindDataRef("sim/flightmodel/misc/machno"));   // not a publisher's: stays
    EXPECT_TRUE(xphost::is_published("sim/flightmodel/misc/machno"));

    XPLMUnregisterDataAccessor(mine);
    EXPECT_EQ(XPLMFindDataRef("QZTgov/test/count"), nullptr);
    EXPECT_FALSE(xphost::is_published("QZTgov/test/count"));
    EXPECT_EQ(XPLMGetDatai(mine), 0);
    XPLMUnregisterDataAccessor(mine);                                          // twice: harmless
    EXPECT_TRUE(xphost::published_datarefs().empty());

    // The name is free again; a reset drops what was published.
    XPLMDataRef again = PublishInt("QZTgov/test/count", p, 0);
    ASSERT_NE(again, nullptr);
    xphost::reset();
    EXPECT_EQ(XPLMFindDataRef("QZTgov/test/count"), nullptr);
    EXPECT_EQ(XPLMGetDatai(again), 0);
}

int g_received = 0;
void Receive(XPLMPluginID, int message, void*)
{
    if (message == 0x7000)
        ++g_received;
}
int StartAs(char* name, char* sig, char* desc)
{
    std::strcpy(name, "Test");
    std::strcpy(sig, "test.plugin.under.test");
    std::strcpy(desc, "");
    return 1;
}
void Nothing() {}
int One() { return 1; }

TEST_F(Publishing, OtherPluginsAreFoundBySignatureAndKeepTheirMessages)
{
    EXPECT_EQ(XPLMFindPluginBySignature("xplanesdk.examples.DataRefEditor"), XPLM_NO_PLUGIN_ID);
    EXPECT_EQ(XPLMFindPluginBySignature(nullptr), XPLM_NO_PLUGIN_ID);
    const XPLMPluginID dre = xphost::load_other_plugin("xplanesdk.examples.DataRefEditor", "DataRefEditor");
    const XPLMPluginID drt = xphost::load_other_plugin("com.leecbaker.datareftool");
    EXPECT_NE(dre, drt);
    EXPECT_EQ(XPLMFindPluginBySignature("xplanesdk.examples.DataRefEditor"), dre);
    EXPECT_EQ(XPLMFindPluginBySignature("com.leecbaker.datareftool"), drt);

    char name[64];
    std::strcpy(name, "QZTgov/test/count");
    XPLMSendMessageToPlugin(dre, xphost::kMsgAddDataRef, name);
    std::strcpy(name, "overwritten");                    // the name was copied when sent
    ASSERT_EQ(xphost::messages_to(dre).size(), 1u);
    EXPECT_EQ(xphost::messages_to(dre)[0].text, "QZTgov/test/count");
    EXPECT_EQ(xphost::messages_to(dre)[0].from, xphost::kPluginUnderTest);
    EXPECT_TRUE(xphost::messages_to(drt).empty());

    XPLMSendMessageToPlugin(XPLM_PLUGIN_XPLANE, 0x7000, nullptr);
    XPLMSendMessageToPlugin(99, 0x7000, nullptr);
    XPLMSendMessageToPlugin(XPLM_NO_PLUGIN_ID, 0x7000, nullptr);   // everyone
    const auto& sent = xphost::sent_messages();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_FALSE(sent[1].delivered);
    EXPECT_FALSE(sent[2].delivered);
    EXPECT_TRUE(sent[3].delivered);
    EXPECT_EQ(xphost::messages_to(dre).size(), 2u);
    EXPECT_EQ(xphost::messages_to(drt).size(), 1u);

    // The plug-in under test is found by its own signature between start and stop.
    xphost::Plugin self;
    self.start = StartAs;
    self.stop = Nothing;
    self.enable = One;
    self.disable = Nothing;
    self.receive = Receive;
    xphost::attach(self);
    EXPECT_EQ(XPLMFindPluginBySignature("test.plugin.under.test"), XPLM_NO_PLUGIN_ID);
    xphost::start();
    EXPECT_EQ(XPLMFindPluginBySignature("test.plugin.under.test"), xphost::kPluginUnderTest);
    XPLMSendMessageToPlugin(xphost::kPluginUnderTest, 0x7000, nullptr);
    EXPECT_EQ(g_received, 0);                        // not before it is enabled
    xphost::enable();
    XPLMSendMessageToPlugin(xphost::kPluginUnderTest, 0x7000, nullptr);
    EXPECT_EQ(g_received, 1);
    xphost::stop();
    EXPECT_EQ(XPLMFindPluginBySignature("test.plugin.under.test"), XPLM_NO_PLUGIN_ID);

    xphost::reset();
    EXPECT_EQ(XPLMFindPluginBySignature("xplanesdk.examples.DataRefEditor"), XPLM_NO_PLUGIN_ID);
    EXPECT_TRUE(xphost::sent_messages().empty());
}

}  // namespace
