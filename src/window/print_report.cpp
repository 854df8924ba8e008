#include "window/print_report.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <cmath>

#include "core/workspace.h"
#include "report/print_layout.h"

namespace tq530 {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kBottomMarginMm = 10;
constexpr double kCharMm = 1.9;  // a table's columns lie 2 mm a character apart

// A fixed-pitch font whose characters are no wider than the columns they stand in.
QFont PrintFont(QPrinter& printer, double dotsPerMm) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    double points = 10;
    font.setPointSizeF(points);
    const double advance = QFontMetricsF(font, &printer).horizontalAdvance(QLatin1Char('0'));
    if (advance > 0) {
        points = points * (kCharMm * dotsPerMm) / advance;
        font.setPointSizeF(points);
    }
    return font;
}

}  // namespace

bool PrintReportOn(QPrinter& printer, const Workspace& ws) {
    printer.setFullPage(true);
    printer.setDocName(QString::fromLatin1(PageHeaderText(ws).c_str()));
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const double dotsPerMm = printer.resolution() / kMmPerInch;
    painter.setFont(PrintFont(printer, dotsPerMm));
    const QFontMetricsF metrics(painter.font(), &printer);
    const double lineHeight = metrics.lineSpacing();
    const double top = kPageHeaderTopMm * dotsPerMm;
    const double usable = printer.height() - top - kBottomMarginMm * dotsPerMm;
    const int linesPerPage = static_cast<int>(std::floor(usable / lineHeight));

    const std::vector<PrintPage> pages = LayOutPrintedReport(ws, linesPerPage);
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0) {
            printer.newPage();
        }
        double baseline = top + metrics.ascent();
        for (const PrintLine& line : pages[p].Lines) {
            for (const PrintItem& item : line) {
                painter.drawText(QPointF(item.Mm * dotsPerMm, baseline),
                                 QString::fromLatin1(item.Text.c_str()));
            }
            baseline += lineHeight;
        }
    }
    return painter.end();
}

}  // namespace tq530
