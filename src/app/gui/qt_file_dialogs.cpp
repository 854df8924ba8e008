#include "app/gui/qt_file_dialogs.h"

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
                                             const std::string& folder, bool save) {
    auto dialog =
        std::make_unique<QFileDialog>(parent, QString(), QString::fromLocal8Bit(folder.c_str()));
    dialog->setNameFilters(NameFiltersOf(filter));
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The commands check the file themselves: a name that does not exist is theirs to refuse.
    dialog->setFileMode(QFileDialog::AnyFile);
    return dialog;
}

std::string QtFileDialogs::AskOpenPath(const std::string& filter, const std::string& folder) {
    return Ask(filter, folder, false);
}

std::string QtFileDialogs::AskSavePath(const std::string& filter, const std::string& folder) {
    return Ask(filter, folder, true);
}

std::string QtFileDialogs::Ask(const std::string& filter, const std::string& folder, bool save) {
    const auto dialog = BuildFileDialog(parent_, filter, folder, save);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::string();
    }
    return dialog->selectedFiles().front().toLocal8Bit().toStdString();
}

}  // namespace tq530
