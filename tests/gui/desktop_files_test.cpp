// The window program's files on a desktop: the save dialogs' extensions and start folders,
// the recent list of the File menu, dropped files and files named at start.
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUrl>

#include "app/recent_files.h"
#include "core/workspace.h"
#include "files/settings_file.h"
#include "gui/shell_fixture.h"
#include "window/qt_file_dialogs.h"

namespace tq530::guitest {
namespace {

// Runs act on the file dialog once it is shown; act types and accepts as a person would.
void WhenFileDialog(std::function<void(QFileDialog&)> act) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [poll, act] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            QTimer::singleShot(10, *poll);
            return;
        }
        act(*dialog);
        *poll = nullptr;
    };
    QTimer::singleShot(10, *poll);
}

void TypeName(QFileDialog& dialog, const QString& name) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->clear();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

class SaveDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { store.SetText("Folders", "dat", dir.Path()); }
    // Types name into the Save As dialog, optionally after choosing the filter "All files".
    std::string SaveAs(const QString& name, bool allFiles = false) {
        WhenFileDialog([this, name, allFiles](QFileDialog& dialog) {
            startedIn = dialog.directory().absolutePath().toStdString();
            if (allFiles) {
                auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                QTest::keyClick(types, Qt::Key_Down);  // as the user picks it
            }
            TypeName(dialog, name);
        });
        return dialogs.AskSavePath(kSettingsFileFilter, programDir.Path());
    }

    testing::ScratchDir dir;
    testing::ScratchDir programDir;
    MemorySettingsStore store;
    QtFileDialogs dialogs{nullptr, &store};
    BoxAnswerer boxes;
    std::string startedIn;
};

TEST_F(SaveDialogTest, ANameWithoutExtensionGetsTheChosenFiltersOne) {
    EXPECT_EQ(SaveAs(QStringLiteral("myboat")), dir.File("myboat.dat"));
    EXPECT_EQ(startedIn, dir.Path());
    EXPECT_EQ(SaveAs(QStringLiteral("Trip.DAT")), dir.File("Trip.DAT"));
    EXPECT_EQ(SaveAs(QStringLiteral("plain"), true), dir.File("plain"));
}

TEST_F(SaveDialogTest, TheOverwriteQuestionNamesTheFileWithItsExtension) {
    testing::WriteFile(dir.File("myboat.dat"), "kept");
    boxes.Next(QMessageBox::No);  // the dialog stays open: cancel it then
    bool ownDialog = false;       // a desktop's dialog might ask about "myboat" only
    WhenFileDialog([this, &ownDialog](QFileDialog& dialog) {
        ownDialog = dialog.testOption(QFileDialog::DontUseNativeDialog);
        TypeName(dialog, QStringLiteral("myboat"));
        QTimer::singleShot(200, &dialog, &QFileDialog::reject);
    });
    EXPECT_EQ(dialogs.AskSavePath(kSettingsFileFilter, programDir.Path()), "");
    EXPECT_TRUE(ownDialog);
    ASSERT_EQ(boxes.Seen.size(), 1u);
    EXPECT_TRUE(boxes.Seen[0].Text.contains(QStringLiteral("myboat.dat")))
        << boxes.Seen[0].Text.toStdString();

    boxes.Next(QMessageBox::Yes);
    EXPECT_EQ(SaveAs(QStringLiteral("myboat")), dir.File("myboat.dat"));
    EXPECT_EQ(boxes.Seen.size(), 2u);
}

TEST_F(SaveDialogTest, EachKindStartsInItsLastFolderElseTheDocumentsFolder) {
    const std::string documents =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    testing::ScratchDir images;
    // No image folder yet: documents, never the program folder the command passes.
    WhenFileDialog([&](QFileDialog& dialog) {
        startedIn = dialog.directory().absolutePath().toStdString();
        dialog.setDirectory(QString::fromStdString(images.Path()));
        TypeName(dialog, QStringLiteral("radio"));
    });
    EXPECT_EQ(dialogs.AskSavePath("hex files(*.hex)|*.hex|All files(*.*)|*.*", programDir.Path()),
              images.File("radio.hex"));
    EXPECT_NE(startedIn, programDir.Path());
    if (QFileInfo(QString::fromStdString(documents)).isDir()) {
        EXPECT_EQ(startedIn, documents);
    }
    // The image folder is remembered, and the settings files keep theirs.
    EXPECT_EQ(store.GetText("Folders", "hex", ""), images.Path());
    SaveAs(QStringLiteral("x"));
    EXPECT_EQ(startedIn, dir.Path());
    // A remembered folder that is gone falls back to documents.
    store.SetText("Folders", "dat", dir.File("gone"));
    SaveAs(QStringLiteral("y"));
    EXPECT_NE(startedIn, dir.File("gone"));
}

class RecentFilesMenuTest : public ShellTest {
  protected:
    void SetUp() override {
        StartWith(kOneModel);
        ASSERT_TRUE(started);
    }
    void SaveAsFile(const std::string& path) {
        dialogs.Paths = {path};
        Window().ActionOf(Command::SaveAs)->trigger();
        ASSERT_TRUE(testing::Exists(path));
    }
    std::vector<std::string> Captions() {
        emit Window().FileMenu()->aboutToShow();
        std::vector<std::string> captions;
        for (QAction* action : Window().RecentFileActions()) {
            captions.push_back(action->text().toStdString());
        }
        return captions;
    }
    void Restart() {
        Ws().DataChanged = false;
        Window().close();
        shell.reset();
        StartWith("");
        ASSERT_TRUE(started);
    }
};

TEST_F(RecentFilesMenuTest, SavedFilesAreListedBeforeExitAndOpenAfterARestart) {
    SaveAsFile(dir.File("a.dat"));
    SaveAsFile(dir.File("b.dat"));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"&1 b.dat", "&2 a.dat"}));
    // The list sits between Print to File and Exit: the menu's own items keep their order.
    const QList<QAction*> items = Window().FileMenu()->actions();
    const auto at = [&items](QAction* action) { return items.indexOf(action); };
    EXPECT_LT(at(Window().ActionOf(Command::PrintToFile)), at(Window().RecentFileActions()[0]));
    EXPECT_LT(at(Window().RecentFileActions()[1]), at(Window().ActionOf(Command::Exit)));

    const std::string channelName = Ws().Model.Usa[0].ChTag;
    Restart();
    Ws().Model.Usa[0].ChTag = "CHANGED";
    ASSERT_EQ(Captions().size(), 2u);
    Window().RecentFileActions()[1]->trigger();
    EXPECT_EQ(Ws().CurrentFileName, dir.File("a.dat"));
    EXPECT_EQ(Ws().Model.Usa[0].ChTag, channelName);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"&1 a.dat", "&2 b.dat"}));

    // A file deleted meanwhile is gone from the menu the next time it opens.
    std::filesystem::remove(dir.File("b.dat"));
    EXPECT_EQ(Captions(), std::vector<std::string>{"&1 a.dat"});
}

TEST_F(RecentFilesMenuTest, ARecentFileIsRefusedAsFileOpenRefusesIt) {
    SaveAsFile(dir.File("other.dat"));
    std::string text = testing::ReadFile(dir.File("other.dat"));
    text.replace(text.find("MODELTYPE=1"), 11, "MODELTYPE=11");
    testing::WriteFile(dir.File("other.dat"), text);
    boxes.Next(QMessageBox::Ok);
    Window().RecentFileActions()[0]->trigger();
    ASSERT_EQ(boxes.Seen.size(), 1u);
    EXPECT_EQ(boxes.Seen[0].Text, "ModelType Error !!");
    EXPECT_EQ(Ws().CurrentFileName, "");
    EXPECT_TRUE(Ws().CommError);
}

QMimeData* FilesMime(const QStringList& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    data->setUrls(urls);
    data->setText(paths.join(QLatin1Char('\n')));  // as file managers offer it too
    return data;
}

TEST_F(RecentFilesMenuTest, ADroppedDataSetOpensAndOtherFilesAreRefused) {
    SaveAsFile(dir.File("drop.dat"));
    Window().ActionOf(Command::New)->trigger();
    QTest::qWait(200);
    ASSERT_EQ(Ws().CurrentFileName, "");

    const auto drag = [this](QWidget* target, const QStringList& paths) {
        std::unique_ptr<QMimeData> data(FilesMime(paths));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (enter.isAccepted()) {
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton,
                            Qt::NoModifier);
            QApplication::sendEvent(target, &drop);
        }
        return enter.isAccepted();
    };
    const QString dat = QString::fromStdString(dir.File("drop.dat"));
    EXPECT_FALSE(drag(&Window(), {QString::fromStdString(dir.File("notes.txt"))}));
    EXPECT_FALSE(drag(&Window(), {dat, dat}));
    // A field that takes dropped text does not swallow the file.
    auto* field = new QLineEdit(Window().statusBar());
    field->show();
    EXPECT_TRUE(drag(field, {dat}));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Ws().CurrentFileName.empty(); }, 2000));
    EXPECT_EQ(Ws().CurrentFileName, dir.File("drop.dat"));
}

TEST_F(RecentFilesMenuTest, AFileOfAnotherKindIsRefusedWithAReason) {
    Window().OpenDataSet(dir.File("notes.txt"));
    EXPECT_EQ(Window().statusBar()->currentMessage().toStdString(),
              "notes.txt is neither a settings file (.dat) nor an image file (.hex).");
    EXPECT_EQ(dialogs.Asked, 0);
}

}  // namespace
}  // namespace tq530::guitest
