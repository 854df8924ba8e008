#include "window/qt_file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include "app/settings_store.h"

namespace tq530 {

namespace {

constexpr const char* kFolderSection = "Folders";

// The key a kind of file keeps its folder under: the extension of the filter's first pattern.
std::string KindKeyOf(const std::string& filter) {
    const QStringList filters = NameFiltersOf(filter);
    return filters.isEmpty() ? std::string() : ExtensionOfNameFilter(filters.front()).toStdString();
}

}  // namespace

QString ExtensionOfNameFilter(const QString& nameFilter) {
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.([^ ;)*?]+)[ ;)]"));
    const QRegularExpressionMatch match = firstPattern.match(nameFilter);
    return match.hasMatch() ? match.captured(1) : QString();
}

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
    if (kind == FileDialogKind::Save) {
        // Qt's own dialog adds the suffix before it looks for the file, so the overwrite
        // question names the file that would be overwritten. A desktop's dialog may ask about
        // the name as typed ("myboat") and then let Qt add ".dat" behind its back, so that an
        // existing myboat.dat would go without a question: saves always use Qt's dialog.
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        QFileDialog* raw = dialog.get();
        const auto follow = [raw](const QString& nameFilter) {
            raw->setDefaultSuffix(ExtensionOfNameFilter(nameFilter));
        };
        follow(dialog->selectedNameFilter());
        QObject::connect(raw, &QFileDialog::filterSelected, raw, follow);
    }
    return dialog;
}

std::string QtFileDialogs::AskOpenPath(const std::string& filter, const std::string&) {
    return Ask(filter, FileDialogKind::Open);
}

std::string QtFileDialogs::AskSavePath(const std::string& filter, const std::string&) {
    return Ask(filter, FileDialogKind::Save);
}

std::string QtFileDialogs::AskExistingPath(const std::string& filter, const std::string&) {
    return Ask(filter, FileDialogKind::OpenExisting);
}

std::string QtFileDialogs::StartFolder(const std::string& kindKey) const {
    if (store_ != nullptr) {
        const std::string last = store_->GetText(kFolderSection, kindKey, "");
        if (!last.empty() && QFileInfo(QString::fromLocal8Bit(last.c_str())).isDir()) {
            return last;
        }
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return (documents.isEmpty() ? QDir::homePath() : documents).toLocal8Bit().toStdString();
}

std::string QtFileDialogs::Ask(const std::string& filter, FileDialogKind kind) {
    const std::string kindKey = KindKeyOf(filter);
    const auto dialog = BuildFileDialog(parent_, filter, StartFolder(kindKey), kind);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::string();
    }
    const QString chosen = dialog->selectedFiles().front();
    if (store_ != nullptr) {
        store_->SetText(kFolderSection, kindKey,
                        QFileInfo(chosen).absolutePath().toLocal8Bit().toStdString());
    }
    return chosen.toLocal8Bit().toStdString();
}

}  // namespace tq530
