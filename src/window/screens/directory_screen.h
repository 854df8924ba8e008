// The entry screen of the Memory ID and Group ID directories: one entry's name and MMSI,
// with Add at the first free place and Delete (confirmed) that moves the later entries up.
#pragma once

#include <QWidget>

#include "model/setting_catalogue.h"
#include "window/screens/screen.h"

class QCheckBox;
class QLabel;

namespace tq530 {

class EditSession;
class FieldCheck;
class FieldEdit;
class UiHost;
struct DirectoryEntry;

class DirectoryScreen : public QWidget, public Screen {
    Q_OBJECT

  public:
    DirectoryScreen(EditSession& session, UiHost& host, QWidget* parent = nullptr);

    // Clears the screen, as before a new data set.
    void Prepare() override;
    // Shows entry n (1-based) of the group directory or of the individual one. The first free
    // place behind an entry without name or MMSI refuses "Add" with a message.
    void Show(bool group, int n);
    // Runs the MMSI check of a typed box and stores a typed name; never refuses.
    bool InputCheck() override;

    void ShowTarget(const ScreenTarget& target) override;
    QWidget* Widget() override { return this; }

    bool Group() const { return group_; }
    int Entry() const { return n_; }
    QCheckBox* Add() const { return add_; }
    QCheckBox* Delete() const { return delete_; }
    FieldEdit* Name() const { return name_; }
    FieldEdit* Mmsi() const { return mmsi_; }
    QLabel* NameLabel() const { return nameLabel_; }
    QLabel* MmsiLabel() const { return mmsiLabel_; }
    QLabel* MmsiPrefix() const { return prefix_; }

  private:
    DirectoryEntry* Entries() const;
    int Count() const;
    void Edit(FieldId field, const std::function<void(DirectoryEntry*, int count)>& edit);
    void OnAdd(bool checked);
    void OnDelete(bool checked);
    void StoreName();
    void StoreMmsi(const std::string& stored);

    EditSession& session_;
    UiHost& host_;
    bool group_ = false;
    int n_ = 0;

    QLabel* heading_;
    QCheckBox* add_;
    QCheckBox* delete_;
    QLabel* nameLabel_;
    FieldEdit* name_;
    QLabel* mmsiLabel_;
    QLabel* prefix_;
    FieldEdit* mmsi_;
    FieldCheck* mmsiCheck_;
};

}  // namespace tq530
