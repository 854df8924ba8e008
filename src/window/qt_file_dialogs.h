// The open and save dialogs of the file commands as Qt file dialogs over the main window.
#pragma once

#include <QStringList>
#include <memory>
#include <string>

#include "core/file_dialogs.h"

class QFileDialog;
class QWidget;

namespace tq530 {

class SettingsStore;

// "dat files(*.dat)|*.dat|All files(*.*)|*.*" as Qt's name filters, one per pair; a
// description that does not end with its patterns in parentheses gets them appended.
QStringList NameFiltersOf(const std::string& filter);

enum class FileDialogKind { Open, OpenExisting, Save };

// The extension a name filter's first pattern gives ("*.dat" gives "dat"), "" for "*.*" or "*".
QString ExtensionOfNameFilter(const QString& nameFilter);

// The dialog the file commands show; the gallery renders the same one. A save dialog adds
// the chosen filter's extension to a name typed without one, and asks before overwriting the
// file of that name.
std::unique_ptr<QFileDialog> BuildFileDialog(QWidget* parent, const std::string& filter,
                                             const std::string& folder, FileDialogKind kind);

// The dialogs start in the folder last used for the same kind of file (the filter's first
// extension), kept in store, else in the user's documents folder: the folder the commands
// pass is the program's, which an installed program cannot write.
class QtFileDialogs : public FileDialogs {
  public:
    explicit QtFileDialogs(QWidget* parent = nullptr, SettingsStore* store = nullptr)
        : parent_(parent), store_(store) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::string AskOpenPath(const std::string& filter, const std::string& folder) override;
    std::string AskSavePath(const std::string& filter, const std::string& folder) override;
    std::string AskExistingPath(const std::string& filter, const std::string& folder) override;

  private:
    std::string Ask(const std::string& filter, FileDialogKind kind);
    std::string StartFolder(const std::string& kindKey) const;

    QWidget* parent_;
    SettingsStore* store_;
};

}  // namespace tq530
