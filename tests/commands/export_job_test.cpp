#include "commands/export_job.h"

#include "fixture.h"

#include "plugin/host/document.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/object.h"
#include "plugin/host/tag.h"

namespace {

// A tag whose expression records, at every evaluation, the document time and the export flag.
constexpr int32_t kRecorderTag = 999001;
uint8_t g_flag = 0;
struct Seen {
    double seconds;
    int flag;
};
std::vector<Seen> g_seen;

class RecorderTag : public TagData {
public:
    static std::unique_ptr<NodeData> alloc() { return std::make_unique<RecorderTag>(); }
    int32_t execute(HostTag*, HostDocument* doc, HostObject*) override {
        g_seen.push_back({doc->time().seconds, g_flag});
        return 0;
    }
};

class ExportJobTest : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        g_seen.clear();
        g_flag = 0;
        TagRegistration r;
        r.id = kRecorderTag;
        r.name = "recorder";
        r.allocator = &RecorderTag::alloc;
        ASSERT_TRUE(host.registerTag(std::move(r)));
        HostObject* cube =
            host.document().insertObject(host.createObject(HostType::kCube), nullptr, nullptr);
        cube->insertTag(host.createTag(kRecorderTag));
        host.document().setTime(HostTime::fromFrame(4, 30));
        fs::create_directories(path("out"));
    }

    ExportJob job(int32_t first, int32_t last) {
        ExportJob j;
        j.document = &host.document();
        j.sceneFile = HostFilename("C:\\out\\room.zvs");
        j.firstFrame = first;
        j.lastFrame = last;
        j.exportFlag = &g_flag;
        return j;
    }
};

TEST_F(ExportJobTest, FrameLoopVisitsEachFrameAtItsTimeAndRestoresTheTime) {
    std::vector<std::pair<int32_t, double>> frames;
    const FrameLoopResult r = exportFrameRange(host.document(), 10, 12, [&](int32_t f) {
        frames.push_back({f, host.document().time().seconds});
        return true;
    });
    EXPECT_EQ(r.exported, 3);
    EXPECT_FALSE(r.failed);
    EXPECT_EQ(frames, (std::vector<std::pair<int32_t, double>>{
                          {10, 10.0 / 30}, {11, 11.0 / 30}, {12, 12.0 / 30}}));
    EXPECT_EQ(host.document().time().frame(30), 4);
    ASSERT_EQ(host.document().evaluations().size(), 4u);
    EXPECT_EQ(host.document().evaluations().back().frame(30), 4);
}

TEST_F(ExportJobTest, FrameLoopStopsAtTheFirstFailureAndDoesNothingForAnEmptyRange) {
    std::vector<int32_t> frames;
    FrameLoopResult r = exportFrameRange(host.document(), 1, 5, [&](int32_t f) {
        frames.push_back(f);
        return f != 2;
    });
    EXPECT_EQ(r.exported, 1);
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(frames, (std::vector<int32_t>{1, 2}));
    frames.clear();
    r = exportFrameRange(host.document(), 12, 10, [&](int32_t f) {
        frames.push_back(f);
        return true;
    });
    EXPECT_EQ(r.exported, 0);
    EXPECT_FALSE(r.failed);
    EXPECT_TRUE(frames.empty());
    EXPECT_EQ(host.document().time().frame(30), 4);
}

TEST_F(ExportJobTest, ExportsEveryFrameWithTheFlagSetThenRefreshesAndClearsIt) {
    EXPECT_TRUE(runExportJob(job(10, 12)));
    EXPECT_EQ(consoleCount("Saved scene to: C:\\out\\room.zvs"), 3);
    ASSERT_EQ(g_seen.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(g_seen[i].seconds, (10.0 + i) / 30);
        EXPECT_EQ(g_seen[i].flag, 1);
    }
    // The time goes back before the flag is cleared.
    EXPECT_DOUBLE_EQ(g_seen[3].seconds, 4.0 / 30);
    EXPECT_EQ(g_flag, 0);
    EXPECT_EQ(host.refreshes(), (std::vector<HostRefresh>{HostRefresh::DocumentUpdate,
                                                          HostRefresh::Event, HostRefresh::Views}));
    EXPECT_TRUE(fs::exists(path("out/room.zvs")));
    EXPECT_TRUE(host.executions().empty());
}

TEST_F(ExportJobTest, StartsTheRendererWithTheChosenOptions) {
    installFakeRenderer();
    storeRendererDirectory("C:\\zarvex");
    ExportJob j = job(4, 4);
    j.sceneFile = HostFilename("C:\\out\\room.XML");
    j.imageFile = HostFilename("C:\\out\\room.png");
    j.exportAndRun = true;
    j.console = true;
    j.startMaster = true;
    j.port = 7000;
    EXPECT_TRUE(runExportJob(j));
    EXPECT_TRUE(fs::exists(path("out/room.zvs")));
    const std::vector<std::string> args = recordedArguments();
    EXPECT_EQ(args, (std::vector<std::string>{path("zarvex/zarvex_console.exe"), "-seed", args[2],
                                              path("out/room.zvs"), "-n", "wm", "-p", "7000", "-o",
                                              path("out/room.png")}));
    ASSERT_EQ(host.scriptRuns().size(), 1u);
    EXPECT_FALSE(host.scriptRuns()[0].starts[0].belowNormal);
}

TEST_F(ExportJobTest, AFailedOrEmptyExportStartsNoRenderer) {
    installFakeRenderer();
    storeRendererDirectory("C:\\zarvex");
    ExportJob j = job(0, 2);
    j.sceneFile = HostFilename("C:\\missing\\room.zvs");
    j.exportAndRun = true;
    EXPECT_FALSE(runExportJob(j));
    EXPECT_TRUE(consoleHas("The renderer was not started: the export did not complete."));
    // The loop stopped at the first frame; the time still went back.
    EXPECT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(host.document().time().frame(30), 4);
    EXPECT_EQ(g_flag, 0);
    j = job(3, 1);
    j.exportAndRun = true;
    EXPECT_FALSE(runExportJob(j));
    EXPECT_TRUE(consoleHas("No frame was exported: the first frame (3) comes after the last (1)."));
    EXPECT_TRUE(host.executions().empty());
}

} // namespace
