#include "window/qt_file_dialogs.h"

#include <QFileDialog>

namespace tq530 {

QStringList NameFiltersOf(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (!description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')'))) {
            description += QStringLiteral(" (") + patterns + QLatin1Char(')');
        }
        filters << description;
    }
    return filters;
}

std::unique_ptr<QFileDialog> BuildFileDialog(QWidget* parent, const std::string& filter,
                                             const std::string& folder, FileDialogKind kind) {
    auto dialog =
        std::make_unique<QFileDialog>(parent, QString(), QString::fromLocal8Bit(folder.c_str()));
    dialog->setNameFilters(NameFiltersOf(filter));
    dialog->setAcceptMode(kind == FileDialogKind::Save ? QFileDialog::AcceptSave
                                                       : QFileDialog::AcceptOpen);
    // Otherwise the commands check the file themselves: a settings file that does not exist
    // is theirs to refuse.
    dialog->setFileMode(kind == FileDialogKind::OpenExisting ? QFileDialog::ExistingFile
                                                             : QFileDialog::AnyFile);
    return dialog;
}

std::string QtFileDialogs::AskOpenPath(const std::string& filter, const std::string& folder) {
    return Ask(filter, folder, FileDialogKind::Open);
}

std::string QtFileDialogs::AskSavePath(const std::string& filter, const std::string& folder) {
    return Ask(filter, folder, FileDialogKind::Save);
}

std::string QtFileDialogs::AskExistingPath(const std::string& filter, const std::string& folder) {
    return Ask(filter, folder, FileDialogKind::OpenExisting);
}

std::string QtFileDialogs::Ask(const std::string& filter, const std::string& folder,
                               FileDialogKind kind) {
    const auto dialog = BuildFileDialog(parent_, filter, folder, kind);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::string();
    }
    return dialog->selectedFiles().front().toLocal8Bit().toStdString();
}

}  // namespace tq530
