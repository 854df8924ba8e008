// Renders every screen kind and grid of the editor to PNG files for a person to look at, at
// the main window's smallest size and larger. Runs only when TQ530_GALLERY_DIR names a folder.
#include <QDir>
#include <QSplitter>
#include <QTabWidget>

#include "window/screens/dsc_screen.h"

#include "editor_fixture.h"

namespace tq530::testing {
namespace {

class EditorGalleryTest : public EditorFixture {};

TEST_F(EditorGalleryTest, RendersEveryScreen) {
    const QString dir = qEnvironmentVariable("TQ530_GALLERY_DIR");
    if (dir.isEmpty()) {
        GTEST_SKIP() << "TQ530_GALLERY_DIR is not set";
    }
    ASSERT_TRUE(QDir().mkpath(dir));
    Make(true, [](SettingsModel& m) {
        m.UsableGroups[0].StatusName = "USA";
        m.DscBasic.UserMmsi = "2111234560";
        m.Atis.AtisCode = "9211123456";
        m.Common.Weather = 3;
        m.AutoPos.Polling[1].Enable = kOn;
        m.AutoPos.Polling[1].SelectCall = 0;
        m.AutoPos.Polling[1].LastAddress = 0;
        m.AutoPos.Polling[1].Channel = 30;
        m.AutoPos.Polling[1].Interval = 3;
        m.Usa[30].ChTag = "DISTRESS";
        m.Usa[30].ScanMemory = kOn;
        ChannelRec& e = m.Exp[0];
        e.Enable = kOn;
        e.CHDisplayL = "12";
        e.CHDisplayR = "A";
        e.Rxfreq = 156.025;
        e.Txfreq = 160.625;
        e.ChTag = "MARINA";
        m.MemoryIds[0].Enable = kOn;
        m.MemoryIds[0].TagName = "HARBOUR";
        m.MemoryIds[0].Mmsid = "2111234560";
        m.GroupIds[0].Enable = kOn;
        m.GroupIds[0].TagName = "FLEET";
        m.GroupIds[0].Mmsid = "0211123450";
    });
    struct Shot {
        const char* Key;
        const char* Name;
        int Tab = -1;  // the DSC screen's tab
    };
    const Shot shots[] = {
        {"General", "general"},      {"Usable", "usable"},
        {"Common", "common"},        {"DSC", "dsc_basic", 0},
        {"DSC", "dsc_advanced", 1},  {"DSC", "dsc_display", 2},
        {"DSC", "dsc_auto_pos", 3},  {"ATIS", "atis"},
        {"Program", "program"},      {"PU", "grid_usa"},
        {"PU 30", "channel_usa16"},  {"PU 31", "channel_usa16a"},
        {"PW", "weather"},           {"SM", "grid_memory_id"},
        {"SM 1", "entry_memory_id"}, {"SM 2", "entry_memory_id_free"},
        {"SG", "grid_group_id"},     {"SG 1", "entry_group_id"},
        {"ExpChannel", "grid_exp"},  {"E 1", "channel_exp1"},
        {"DSCSetting", "dsc_node"},
    };
    const QSize sizes[] = {{607, 444}, {1000, 700}};
    auto* splitter = qobject_cast<QSplitter*>(window->centralWidget());
    ASSERT_NE(splitter, nullptr);
    int written = 0;
    for (const QSize& size : sizes) {
        window->resize(size);
        splitter->setSizes({size.width() * 3 / 10, size.width() * 7 / 10});
        Settle();
        for (const Shot& shot : shots) {
            ClickNode(shot.Key);
            ASSERT_EQ(panel->ShownKey(), shot.Key);
            if (shot.Tab >= 0) {
                auto* dsc = panel->ScreenArea()->findChild<DscScreen*>();
                ASSERT_NE(dsc, nullptr);
                dsc->Tabs()->setCurrentIndex(shot.Tab);
                Settle();
            }
            const QString file = QStringLiteral("%1/editor_%2_%3x%4.png")
                                     .arg(dir, QString::fromLatin1(shot.Name))
                                     .arg(size.width())
                                     .arg(size.height());
            ASSERT_TRUE(window->grab().save(file)) << file.toStdString();
            ++written;
        }
    }
    EXPECT_EQ(written, 2 * static_cast<int>(std::size(shots)));
    EXPECT_TRUE(host.Messages.empty());
}

}  // namespace
}  // namespace tq530::testing
