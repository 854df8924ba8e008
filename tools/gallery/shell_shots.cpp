// The main window at its sizes, its menus, the shell's message boxes and file dialogs.
#include <QFileDialog>

#include "editor/edit_session.h"
#include "editor/screen_tree.h"
#include "files/settings_file.h"
#include "gallery.h"
#include "window/qt_file_dialogs.h"
#include "window/screens/editor_panel.h"

namespace tq530::gallery {
namespace {

void SaveWindow(Gallery& gallery, MainWindow& window, const QString& name, QSize size) {
    window.resize(size);
    gallery.Save(window, name);
}

void MainWindowAtItsSizes(Gallery& gallery) {
    Stage stage(kOneModel);
    if (!gallery.Check(stage.Start(), "main window: not started")) {
        return;
    }
    MainWindow& window = stage.Window();
    SaveWindow(gallery, window, "shell-main-minimum", QSize(607, 444));
    window.Editor()->SelectNode(ChannelKey(PlanId::Usa, 5));
    SaveWindow(gallery, window, "shell-main-channel-minimum", QSize(607, 444));
    SaveWindow(gallery, window, "shell-main-large", QSize(1000, 700));
    gallery.SaveMenu(window, "&File", "shell-menu-file");
    gallery.SaveMenu(window, "&Transfer", "shell-menu-transfer");
    gallery.SaveMenu(window, "&Options", "shell-menu-options");
    gallery.SaveMenu(window, "&Help", "shell-menu-help");
    // One model: the Edit menu holds only Undo and Redo, here with a step to undo.
    window.Editor()->Session().EditChannel(PlanId::Usa, 5, FieldId::ChName,
                                           [](ChannelRec& ch) { ch.ChTag = "PILOT"; });
    gallery.SaveMenu(window, "&Edit", "shell-menu-edit-undo");
    // The menus as they drop from the bar, with their keys beside the items.
    gallery.SaveOpenMenu(window, "&File", "shell-open-menu-file");
    gallery.SaveOpenMenu(window, "&Edit", "shell-open-menu-edit");
}

void DiagnosticWindowWithTwoModels(Gallery& gallery) {
    Stage stage(kTwoModels);
    if (!gallery.Check(stage.Start("/D"), "diagnostic window: not started")) {
        return;
    }
    MainWindow& window = stage.Window();
    window.ActionOf(Command::Hexdump)->trigger();
    SaveWindow(gallery, window, "shell-main-hexdump", QSize(900, 650));
    gallery.SaveMenu(window, "&Edit", "shell-menu-edit");
    gallery.SavePopup(window, window.ModelMenu(), "shell-menu-edit-model");
    gallery.SavePopup(window, window.PortMenu(), "shell-menu-options-serialport");
    gallery.SaveMenu(window, "&Options", "shell-menu-options-diagnostic");
}

// The File menu once data sets have been saved and opened: the recent list above Exit.
void FileMenuWithRecentFiles(Gallery& gallery) {
    Stage stage(kOneModel);
    if (!gallery.Check(stage.Start(), "recent files: not started")) {
        return;
    }
    MainWindow& window = stage.Window();
    for (const char* name : {"harbour.dat", "Tom & Jerry.dat", "myboat.dat"}) {
        const std::string path = stage.File(name);
        WriteSettingsFile(stage.Ws(), stage.Host(), path);
        window.OpenDataSet(path);
    }
    gallery.Check(window.RecentFileActions().size() == 3, "recent files: not listed");
    gallery.SaveMenu(window, "&File", "shell-menu-file-recent");
}

void SaveFileDialog(Gallery& gallery, Stage& stage, const std::string& filter, FileDialogKind kind,
                    const QString& name) {
    const auto dialog = BuildFileDialog(&stage.Window(), filter, stage.Folder(), kind);
    gallery.Shot(*dialog, name);
}

void MessageBoxesAndFileDialogs(Gallery& gallery) {
    Stage stage(kOneModel);
    if (!gallery.Check(stage.Start(), "message boxes: not started")) {
        return;
    }
    MainWindow& window = stage.Window();
    const std::string& title = stage.Ws().TitleText;
    gallery.SaveBox(window, "KCP data has changed.\nDo you want to save changes?", title,
                    MsgIcon::Exclamation, Buttons::YesNoCancel, Answer::Yes,
                    "shell-box-exit-question");
    gallery.SaveBox(window, "Unknown model!!", kAppTitle, MsgIcon::Critical, Buttons::Ok,
                    Answer::Ok, "shell-box-unknown-model");
    gallery.SaveBox(window, "Radio is busy!!", "Read from Radio", MsgIcon::Exclamation,
                    Buttons::RetryCancel, Answer::Cancel, "shell-box-radio-busy");
    gallery.SaveBox(window, "Are you sure ?", title, MsgIcon::Critical, Buttons::YesNo, Answer::Yes,
                    "shell-box-are-you-sure");
    gallery.SaveBox(window, "Do you want to program the NR6120 series?", title,
                    MsgIcon::Exclamation, Buttons::OkCancel, Answer::Ok, "shell-box-model-change");

    stage.Write("boat.dat", "[MAIN]\r\n");
    stage.Write("radio.hex", std::string(8192, '\xff'));
    SaveFileDialog(gallery, stage, kSettingsFileFilter, FileDialogKind::Save,
                   "shell-dialog-save-settings");
    SaveFileDialog(gallery, stage, "hex files(*.hex)|*.hex|All files(*.*)|*.*",
                   FileDialogKind::OpenExisting, "shell-dialog-open-image");
}

}  // namespace

void ShellShots(Gallery& gallery) {
    MainWindowAtItsSizes(gallery);
    DiagnosticWindowWithTwoModels(gallery);
    FileMenuWithRecentFiles(gallery);
    MessageBoxesAndFileDialogs(gallery);
}

}  // namespace tq530::gallery
