// The File menu with its CSV submenus, the CSV import refusal, the backup list and the
// compare window.
#include "app/backups.h"
#include "app/csv_tables.h"
#include "editor/screen_tree.h"
#include "gallery.h"
#include "window/backup_dialog.h"
#include "window/compare_window.h"
#include "window/csv_menu.h"
#include "window/import_refusal_box.h"

namespace tq530::gallery {
namespace {

void FileMenuAndCsvSubmenus(Gallery& gallery, MainWindow& window) {
    gallery.SaveMenu(window, "&File", "extras-menu-file");
    gallery.SavePopup(window, window.Csv()->ExportMenu(), "extras-menu-export-csv");
    gallery.SavePopup(window, window.Csv()->ImportMenu(), "extras-menu-import-csv");
    CsvImport refused;
    refused.Problems = {
        {3, "MMSI", "\"21100000\" is not an MMSI of 9 digits"},
        {5, "STATION NAME", "\"HARBOUR MASTER OFFICE\" is longer than 11 characters"},
        {7, "", "has 2 cells, the header row 3 columns"}};
    ImportRefusalBox few(refused, &window);
    gallery.Shot(few, "extras-box-import-refused");

    // Sixty problems: fifty listed in a scrolling view, the box within the screen.
    refused.Problems.clear();
    for (int row = 2; refused.Problems.size() < kListedProblems; ++row) {
        refused.Problems.push_back({row, "CH Name", "the radio cannot show \"\xC3\xA9\""});
    }
    refused.Unlisted = 10;
    ImportRefusalBox many(refused, &window);
    gallery.Shot(many, "extras-box-import-refused-many");
}

void BackupListAtItsMinimumSize(Gallery& gallery, MainWindow& window) {
    std::vector<BackupEntry> backups;
    for (int i = 0; i < 12; ++i) {
        BackupEntry entry;
        entry.Path = "/backups/" + std::to_string(i) + ".hex";
        const int day = 28 - 2 * i;  // newest first, as the list gives them
        entry.Date = (day < 10 ? "2026-11-0" : "2026-11-") + std::to_string(day) + " 20:18:51";
        entry.Kind = i % 3 == 0 ? BackupKind::Program : BackupKind::Read;
        entry.Model = i % 4 == 0 ? "NR6120M" : "NR6120";
        entry.UserMmsi = i % 5 == 0 ? "" : "21100000" + std::to_string(i % 10);
        backups.push_back(entry);
    }
    BackupDialog dialog(backups, &window);
    gallery.Shot(dialog, "extras-backup-list");
    BackupDialog empty({}, &window);
    gallery.Shot(empty, "extras-backup-list-empty");
}

void CompareWindowWithAndWithoutDifferences(Gallery& gallery, MainWindow& window) {
    const std::vector<SettingDifference> differences = {
        {"USA CH 16 Name", "CH16", "HARBOUR", ChannelKey(PlanId::Usa, 15)},
        {"USA CH 72 Enable", "On", "Off", ChannelKey(PlanId::Usa, 50)},
        {"Individual Directory 3 Name", "", "PILOT BOAT", "M 3"},
        {"User MMSI", "211000001", "", ""},
        {"Backlight", "3", "5", "Common"},
    };
    CompareWindow some(QStringLiteral("harbour.dat"), differences, {}, &window);
    gallery.Shot(some, "extras-compare");
    CompareWindow same(QStringLiteral("harbour.dat"), {}, {}, &window);
    gallery.Shot(same, "extras-compare-none");
}

}  // namespace

void ExtrasShots(Gallery& gallery) {
    Stage stage(kOneModel);
    if (!gallery.Check(stage.Start(), "extras: not started")) {
        return;
    }
    FileMenuAndCsvSubmenus(gallery, stage.Window());
    BackupListAtItsMinimumSize(gallery, stage.Window());
    CompareWindowWithAndWithoutDifferences(gallery, stage.Window());
}

}  // namespace tq530::gallery
