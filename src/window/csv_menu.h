// File > "Export CSV" and "Import CSV": one entry per table, each asking for a file and
// handing it to the CSV core; an import reaches the model through the window's edit session.
#pragma once

#include <QObject>
#include <functional>

#include "app/csv_tables.h"

class QMenu;

namespace tq530 {

class EditorPanel;
class FileDialogs;
class UiHost;
struct Workspace;

constexpr const char* kCsvFileFilter = "csv files(*.csv)|*.csv|All files(*.*)|*.*";

class CsvMenus : public QObject {
    Q_OBJECT

  public:
    // Runs a command that replaces the data set as a whole as one undo step named label.
    using OneStep = std::function<void(const char* label, const std::function<void()>&)>;

    // editor gives the window's editor, which may be made after the menus.
    CsvMenus(Workspace& ws, UiHost& host, FileDialogs& dialogs,
             std::function<EditorPanel*()> editor, OneStep oneStep, QObject* parent);

    // Adds the two submenus to menu.
    void AddTo(QMenu* menu);
    QMenu* ExportMenu() const { return export_; }
    QMenu* ImportMenu() const { return import_; }

    void Export(CsvTable table);
    void Import(CsvTable table);

  signals:
    // An import changed the data.
    void Imported();

  private:
    Workspace& ws_;
    UiHost& host_;
    FileDialogs& dialogs_;
    std::function<EditorPanel*()> editor_;
    OneStep oneStep_;
    QMenu* export_ = nullptr;
    QMenu* import_ = nullptr;
};

}  // namespace tq530
