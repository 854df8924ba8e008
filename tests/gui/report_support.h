// Helpers of the report and help tests: modal windows answered from a timer, and the text of
// a printed PDF file.
#pragma once

#include <QProcess>
#include <functional>

#include "gui/shell_fixture.h"

namespace tq530::guitest {

// Runs check on the next modal window of type T once it is up (a modal window's exec()
// holds the menu command that opened it until it closes).
template <typename T>
void WhenModal(QObject* context, std::function<void(T*)> check) {
    QTimer::singleShot(10, context, [context, check] {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (window == nullptr || !window->isVisible()) {
            WhenModal<T>(context, check);
            return;
        }
        check(window);
    });
}

// A factory image the acceptance check takes.
inline std::string DestinationBytes() {
    std::string bytes(8192, '\0');
    bytes[0] = bytes[8190] = '\x17';
    bytes[1] = bytes[8191] = '\xE8';
    return bytes;
}

// What pdftotext reads from a PDF file, page by page.
inline QStringList PdfPages(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << pdf.toStdString();
        return {};
    }
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    while (!pages.isEmpty() && pages.back().trimmed().isEmpty()) {
        pages.removeLast();
    }
    return pages;
}

// The lines of a page that hold more than blanks, trimmed.
inline QStringList TextLines(const QString& page) {
    QStringList lines;
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty()) {
            lines << line.trimmed();
        }
    }
    return lines;
}

}  // namespace tq530::guitest
