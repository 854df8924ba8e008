// Renders the main window and the shell's dialogs to PNG files in TQ530_GALLERY_DIR, for a
// person to look at.
#include <QDir>
#include <QFileDialog>
#include <QListWidget>

#include "editor/edit_session.h"
#include "editor/screen_tree.h"
#include "files/image_file.h"
#include "files/settings_file.h"
#include "gui/gallery_fixture.h"
#include "window/qt_file_dialogs.h"
#include "window/screens/editor_panel.h"
#include "window/widget_host.h"

namespace tq530::guitest {
namespace {

using ShellGalleryTest = GalleryTest;

TEST_F(ShellGalleryTest, MainWindowAtItsSizes) {
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    SaveWindow("shell-main-minimum", QSize(607, 444));
    Window().Editor()->SelectNode(ChannelKey(PlanId::Usa, 5));
    SaveWindow("shell-main-channel-minimum", QSize(607, 444));
    SaveWindow("shell-main-large", QSize(1000, 700));
    SaveMenu("&File", "shell-menu-file");
    SaveMenu("&Transfer", "shell-menu-transfer");
    SaveMenu("&Options", "shell-menu-options");
    SaveMenu("&Help", "shell-menu-help");
    // One model: the Edit menu holds only Undo and Redo, here with a step to undo.
    Window().Editor()->Session().EditChannel(PlanId::Usa, 5, FieldId::ChName,
                                             [](ChannelRec& ch) { ch.ChTag = "PILOT"; });
    SaveMenu("&Edit", "shell-menu-edit-undo");
}

TEST_F(ShellGalleryTest, DiagnosticWindowWithTheHexDumpAndTwoModels) {
    StartWith(kTwoModels, "/D");
    ASSERT_TRUE(started);
    Window().ActionOf(Command::Hexdump)->trigger();
    SaveWindow("shell-main-hexdump", QSize(900, 650));
    SaveMenu("&Edit", "shell-menu-edit");
    SavePopup(Window().ModelMenu(), "shell-menu-edit-model");
    SavePopup(Window().PortMenu(), "shell-menu-options-serialport");
    SaveMenu("&Options", "shell-menu-options-diagnostic");
}

TEST_F(ShellGalleryTest, MessageBoxesAndFileDialogs) {
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    SaveBox("KCP data has changed.\nDo you want to save changes?", Ws().TitleText,
            MsgIcon::Exclamation, Buttons::YesNoCancel, Answer::Yes, "shell-box-exit-question");
    SaveBox("Unknown model!!", kAppTitle, MsgIcon::Critical, Buttons::Ok, Answer::Ok,
            "shell-box-unknown-model");
    SaveBox("Radio is busy!!", "Read from Radio", MsgIcon::Exclamation, Buttons::RetryCancel,
            Answer::Cancel, "shell-box-radio-busy");
    SaveBox("Are you sure ?", Ws().TitleText, MsgIcon::Critical, Buttons::YesNo, Answer::Yes,
            "shell-box-are-you-sure");
    SaveBox("Do you want to program the NR6120 series?", Ws().TitleText, MsgIcon::Exclamation,
            Buttons::OkCancel, Answer::Ok, "shell-box-model-change");

    testing::WriteFile(dir.File("boat.dat"), "[MAIN]\r\n");
    testing::WriteFile(dir.File("radio.hex"), std::string(8192, '\xff'));
    const auto save =
        BuildFileDialog(&Window(), kSettingsFileFilter, dir.Path(), FileDialogKind::Save);
    save->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(save.get()));
    Save(*save, "shell-dialog-save-settings");
    save->hide();
    const auto open = BuildFileDialog(&Window(), "hex files(*.hex)|*.hex|All files(*.*)|*.*",
                                      dir.Path(), FileDialogKind::OpenExisting);
    open->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(open.get()));
    Save(*open, "shell-dialog-open-image");
    open->hide();
}

}  // namespace
}  // namespace tq530::guitest
