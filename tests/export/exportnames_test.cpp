#include "export/exportgeometry.h"
#include "export/exportnames.h"
#include "import/longimport.h"
#include "project/mvk.h"

#include <gtest/gtest.h>

namespace mrv {
namespace {

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

struct TargetCase
{
    const char *chosen;
    int type;
    const char *expected;
};

TEST(ExportNames, LongPictureTargetAppendsTheExtensionUnlessTheNameHasIt)
{
    const TargetCase cases[] = {
        {"/out/anim", ExportTypeJpg, "/out/anim.jpg"},
        {"/out/Activity_demo", ExportTypeBmp, "/out/Activity_demo.bmp"},
        {"/out/anim.jpg.png", ExportTypeJpg, "/out/anim.jpg.png"}, // name kept, JPEG data
        {"/out/anim.png", ExportTypeJpg, "/out/anim.png.jpg"},
        {"/out/anim.BMP", ExportTypeBmp, "/out/anim.BMP"},       // any letter case
        {"/out/x.tifa", ExportTypeTif, "/out/x.tifa"},           // contained, not at the end
        {"/pics.bmp/anim", ExportTypeBmp, "/pics.bmp/anim.bmp"}, // a folder does not count
        {"D:\\out\\anim", ExportTypeGif, "D:\\out\\anim.gif"},
    };
    for (const TargetCase &c : cases) {
        const Result<LongPictureTarget> target = LongPictureTargetFor(S(c.chosen), c.type);
        ASSERT_TRUE(target) << c.chosen;
        EXPECT_EQ(target->path, S(c.expected)) << c.chosen;
    }
    EXPECT_EQ(LongPictureTargetFor(S("/out/anim.jpg.png"), ExportTypeJpg)->extension, S(".jpg"));
    EXPECT_FALSE(LongPictureTargetFor(S("/out/a"), 0));
    EXPECT_FALSE(LongPictureTargetFor(S("/out/a"), 6));
}

TEST(ExportNames, SequencePrefixIsCutBeforeTheLastExtension)
{
    const TargetCase cases[] = {
        {"/out/seq.png", ExportTypePng, "/out/seq"},
        {"/out/seq", ExportTypeJpg, "/out/seq"},
        {"/out/seq.jpg", ExportTypePng, "/out/seq.jpg"},
        {"/out/a.png.b.png", ExportTypePng, "/out/a.png.b"},
        {"/out/seq.png.old", ExportTypePng, "/out/seq"},
        {"/out/seq.PNG", ExportTypePng, "/out/seq"},
        {"/out/.png", ExportTypePng, "/out/"},
        {"/d.png/seq", ExportTypePng, "/d.png/seq"}, // a folder is never cut
        {"/out/demo_序列", ExportTypePng, "/out/demo_序列"},
    };
    for (const TargetCase &c : cases) {
        const Result<SequenceTarget> target = SequenceTargetFor(S(c.chosen), c.type);
        ASSERT_TRUE(target) << c.chosen;
        EXPECT_EQ(target->prefix, S(c.expected)) << c.chosen;
    }
    const SequenceTarget seq = *SequenceTargetFor(S("/out/seq.png"), ExportTypePng);
    EXPECT_EQ(seq.FileName(1, 3), S("/out/seq001.png"));
    EXPECT_EQ(seq.FileName(150, 3), S("/out/seq150.png"));
    EXPECT_EQ(seq.FileName(1, 5), S("/out/seq00001.png"));
    EXPECT_EQ(seq.FileName(123456, 6), S("/out/seq123456.png"));
}

TEST(ExportNames, ProjectImagesNameTheBackgroundAndTheFrameFolder)
{
    const ProjectImagesTarget proj = *ProjectImagesTargetFor(S("/out/proj"), ExportTypePng);
    EXPECT_EQ(proj.backgroundPath, S("/out/proj.png"));
    EXPECT_EQ(proj.baseName, S("proj"));
    EXPECT_EQ(proj.frameFolder, S("/out/proj_Frame"));
    EXPECT_EQ(proj.FramePath(1), S("/out/proj_Frame/001.png"));
    EXPECT_EQ(proj.FramePath(105), S("/out/proj_Frame/105.png"));
    EXPECT_EQ(proj.FramePath(1000), S("/out/proj_Frame/1000.png"));

    const ProjectImagesTarget jpg = *ProjectImagesTargetFor(S("/out/proj.jpg"), ExportTypeJpg);
    EXPECT_EQ(jpg.backgroundPath, S("/out/proj.jpg"));
    EXPECT_EQ(jpg.baseName, S("proj"));
    EXPECT_EQ(jpg.FramePath(7), S("/out/proj_Frame/007.jpg"));

    // The extension at the very start of the name is not cut.
    const ProjectImagesTarget dot = *ProjectImagesTargetFor(S("/out/.png"), ExportTypePng);
    EXPECT_EQ(dot.backgroundPath, S("/out/.png"));
    EXPECT_EQ(dot.frameFolder, S("/out/.png_Frame"));

    const ProjectImagesTarget twice = *ProjectImagesTargetFor(S("/out/a.png.b.png"), ExportTypePng);
    EXPECT_EQ(twice.baseName, S("a.png.b"));
}

TEST(ExportNames, LoopTimesComeFromTheDigitsOfTheAnswer)
{
    const struct
    {
        const char *answer;
        int loops;
    } cases[] = {{"2", 2},
                 {"abc", 1},
                 {"3x", 3},
                 {"0", 1},
                 {"999", 255},
                 {"", 1},
                 {"255", 255},
                 {"256", 255},
                 {"1a2b", 12},
                 {"-5", 5},
                 {"00007", 7},
                 {"0000", 1},
                 {"99999999999999999999", 255},
                 {"３", 1},
                 {" 4 ", 4},
                 {"1,5", 15}};
    for (const auto &c : cases)
        EXPECT_EQ(LoopTimesFromAnswer(S(c.answer)), c.loops) << c.answer;
}

TEST(ExportNames, ImportOffsetsFollowTheRuleAndFitSixteenBits)
{
    const struct
    {
        const char *answer;
        int value;
    } good[] = {{"0", 0},         {"-15", -15},       {"15", 15}, {"007", 7},
                {"32767", 32767}, {"-32768", -32768}, {"-0", 0}};
    for (const auto &c : good) {
        const Result<qint16> x = ParseImportOffset(S(c.answer));
        ASSERT_TRUE(x) << c.answer;
        EXPECT_EQ(*x, c.value) << c.answer;
    }
    for (const char *bad :
         {"+15", "1.5", " 15", "15 ", "", "-", "abc", "15\n", "--1", "1e3", "１５"}) {
        const Result<qint16> x = ParseImportOffset(S(bad));
        EXPECT_FALSE(x) << bad;
        EXPECT_EQ(x.message(), S("偏移参数不符合规则")) << bad;
    }
    for (const char *wide : {"32768", "-32769", "99999999999999999999999"}) {
        const Result<qint16> x = ParseImportOffset(S(wide));
        EXPECT_FALSE(x) << wide;
        EXPECT_TRUE(x.message().startsWith(S("偏移参数不符合规则"))) << wide;
    }
}

TEST(ExportNames, DefaultImportOffsetAndStoredStripPath)
{
    EXPECT_EQ(DefaultImportX(1024), 0);
    EXPECT_EQ(DefaultImportX(2048), 100);
    EXPECT_EQ(DefaultImportX(1280), 25);
    EXPECT_EQ(DefaultImportX(1366), 33);
    EXPECT_EQ(DefaultImportX(512), -50);
    EXPECT_EQ(DefaultImportX(1152), 12); // 12.5 goes to the even neighbour
    EXPECT_EQ(DefaultImportX(1408), 38); // 37.5 too

    EXPECT_EQ(StoredStripPath(S("/p"), S("/p/art/strip.png")), S("art\\strip.png"));
    EXPECT_EQ(StoredStripPath(S("/p"), S("/P/art/strip.png")), S("/P/art/strip.png"));
    EXPECT_EQ(StoredStripPath(S("/work/Proj"), S("/work/Proj2/strip.png")),
              S("/work/Proj2/strip.png"));
    EXPECT_EQ(StoredStripPath(QString(), S("/p/strip.png")), S("/p/strip.png"));
}

TEST(ExportNames, ImportTakesAtMostTheFramesWhoseOffsetsFitSixteenBits)
{
    auto withFrames = [](int count) {
        MVK project;
        for (int i = 0; i < count; ++i)
            project.aFrame.Add(QStringLiteral("old.png"), 3, 4);
        return project;
    };
    MVK most = withFrames(164);
    ASSERT_TRUE(ApplyLongImport(most, S("s.png"), -15));
    EXPECT_TRUE(most.aChanged);
    EXPECT_EQ(*most.aFrame.Item(1), (aImage{S("s.png"), -15, 0}));
    EXPECT_EQ(*most.aFrame.Item(164), (aImage{S("s.png"), -15, -32600}));

    MVK tooMany = withFrames(165);
    const Status refused = ApplyLongImport(tooMany, S("s.png"), 0);
    EXPECT_FALSE(refused);
    EXPECT_TRUE(refused.message().contains(S("165")));
    EXPECT_FALSE(tooMany.aChanged);
    EXPECT_EQ(*tooMany.aFrame.Item(165), (aImage{S("old.png"), 3, 4}));
}

TEST(ExportGeometry, SequencePlanCountsInThirtyTwoBits)
{
    const SequencePlan twice = SequencePlan::Make(105, 2);
    EXPECT_EQ(twice.introCount, 60);
    EXPECT_EQ(twice.loopLength, 45);
    EXPECT_EQ(twice.total, 150);
    EXPECT_EQ(twice.numberWidth, 3);
    EXPECT_EQ(twice.FrameOf(1), 1);
    EXPECT_EQ(twice.FrameOf(105), 105);
    EXPECT_EQ(twice.FrameOf(106), 61);
    EXPECT_EQ(twice.FrameOf(150), 105);
    EXPECT_EQ(twice.DistinctFrames(), 105);

    const SequencePlan most = SequencePlan::Make(105, 255);
    EXPECT_EQ(most.total, 11535);
    EXPECT_EQ(most.numberWidth, 5);
    for (int n = 106; n <= most.total; ++n) {
        const int k = most.FrameOf(n);
        ASSERT_EQ(k, 61 + (n - 106) % 45) << n;
    }

    const SequencePlan large = SequencePlan::Make(1000, 255);
    EXPECT_EQ(large.introCount, 571);
    EXPECT_EQ(large.loopLength, 429);
    EXPECT_EQ(large.total, 255 * 429 + 571); // past 32767
    EXPECT_EQ(large.numberWidth, 6);
    EXPECT_EQ(large.FrameOf(large.total), 1000);

    const SequencePlan one = SequencePlan::Make(1, 255);
    EXPECT_EQ(one.total, 1);
    EXPECT_EQ(one.numberWidth, 1);
    EXPECT_EQ(one.FrameOf(1), 1);
    EXPECT_EQ(SequencePlan::Make(0, 5).total, 0);

    // Intro and loop always cover every frame exactly once.
    for (int frames = 1; frames <= 400; ++frames) {
        const SequencePlan plan = SequencePlan::Make(frames, 1);
        ASSERT_EQ(plan.introCount + plan.loopLength, frames) << frames;
    }
}

TEST(ExportGeometry, AreasAndScalesRefuseProjectsThatCannotBeScaled)
{
    MVK project;
    project.aWidth = 1920;
    project.aHeight = 1080;
    const SequenceArea area = *SequenceAreaOf(project);
    EXPECT_EQ(area.cell, QSize(375, 281));
    EXPECT_EQ(area.left, 772);
    EXPECT_EQ(area.top, 399);
    project.aWidth = 1024;
    project.aHeight = 768;
    EXPECT_EQ(SequenceAreaOf(project)->cell, QSize(200, 200));
    EXPECT_EQ(ReferenceScale(project)->sx, 1.0);

    for (const QSize bad : {QSize(0, 768), QSize(1024, 0), QSize(-5, 768)}) {
        project.aWidth = qint16(bad.width());
        project.aHeight = qint16(bad.height());
        EXPECT_FALSE(ReferenceScale(project));
        const Result<SequenceArea> refused = SequenceAreaOf(project);
        EXPECT_FALSE(refused);
        EXPECT_TRUE(refused.message().contains(QString::number(bad.width())));
    }
    project.aWidth = 2; // scalable, but the area would be less than a pixel wide
    project.aHeight = 768;
    EXPECT_FALSE(SequenceAreaOf(project));
}

} // namespace
} // namespace mrv
