// The open and save dialogs of the file commands as Qt file dialogs over the main window.
#pragma once

#include <QStringList>
#include <memory>
#include <string>

#include "core/file_dialogs.h"

class QFileDialog;
class QWidget;

namespace tq530 {

// "dat files(*.dat)|*.dat|All files(*.*)|*.*" as Qt's name filters, one per pair; a
// description that does not end with its patterns in parentheses gets them appended.
QStringList NameFiltersOf(const std::string& filter);

enum class FileDialogKind { Open, OpenExisting, Save };

// The dialog the file commands show; the gallery renders the same one.
std::unique_ptr<QFileDialog> BuildFileDialog(QWidget* parent, const std::string& filter,
                                             const std::string& folder, FileDialogKind kind);

class QtFileDialogs : public FileDialogs {
  public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::string AskOpenPath(const std::string& filter, const std::string& folder) override;
    std::string AskSavePath(const std::string& filter, const std::string& folder) override;
    std::string AskExistingPath(const std::string& filter, const std::string& folder) override;

  private:
    std::string Ask(const std::string& filter, const std::string& folder, FileDialogKind kind);

    QWidget* parent_;
};

}  // namespace tq530
