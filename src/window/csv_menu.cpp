#include "window/csv_menu.h"

#include <QApplication>
#include <QMenu>

#include "window/import_refusal_box.h"

#include "core/file_dialogs.h"
#include "core/ui_host.h"
#include "core/workspace.h"
#include "window/screens/editor_panel.h"

namespace tq530 {

CsvMenus::CsvMenus(Workspace& ws, UiHost& host, FileDialogs& dialogs,
                   std::function<EditorPanel*()> editor, OneStep oneStep, QObject* parent)
    : QObject(parent),
      ws_(ws),
      host_(host),
      dialogs_(dialogs),
      editor_(std::move(editor)),
      oneStep_(std::move(oneStep)) {}

void CsvMenus::AddTo(QMenu* menu) {
    export_ = menu->addMenu(QStringLiteral("&Export CSV"));
    import_ = menu->addMenu(QStringLiteral("&Import CSV"));
    export_->setObjectName(QStringLiteral("ExportCsvMenu"));
    import_->setObjectName(QStringLiteral("ImportCsvMenu"));
    // The captions start with different letters, which serve as their access keys.
    for (const CsvTableInfo& info : CsvTables()) {
        const QString caption = QLatin1Char('&') + QString::fromLatin1(info.Caption);
        connect(export_->addAction(caption), &QAction::triggered, this,
                [this, table = info.Table] { Export(table); });
        connect(import_->addAction(caption), &QAction::triggered, this,
                [this, table = info.Table] { Import(table); });
    }
}

void CsvMenus::Export(CsvTable table) {
    if (!editor_()->InputCheck()) {
        return;
    }
    const std::string path = dialogs_.AskSavePath(kCsvFileFilter, ws_.ProgramDir);
    if (path.empty()) {
        ws_.CancelRequested = true;
        return;
    }
    const BusyGuard busy(ws_, &host_);
    ExportCsv(ws_, host_, table, path);
}

void CsvMenus::Import(CsvTable table) {
    if (!editor_()->InputCheck()) {
        return;
    }
    const std::string path = dialogs_.AskExistingPath(kCsvFileFilter, ws_.ProgramDir);
    if (path.empty()) {
        ws_.CancelRequested = true;
        return;
    }
    bool applied = false;
    oneStep_(kImportCsvTitle, [&] {
        const BusyGuard busy(ws_, &host_);
        ImportCsv(
            ws_, host_, table, path,
            [&](const SettingsModel& model) {
                ws_.Model = model;
                ws_.DataChanged = true;
                applied = true;
            },
            [&](const CsvImport& refused) {
                ImportRefusalBox box(refused, qobject_cast<QWidget*>(parent()));
                QApplication::setOverrideCursor(Qt::ArrowCursor);
                box.exec();
                QApplication::restoreOverrideCursor();
            });
    });
    if (applied) {
        emit Imported();
    }
}

}  // namespace tq530
