// The program's own logo: a handheld radio beside the program's name, drawn in the colours
// of the palette it is given, so that it reads on a light and a dark desktop alike.
#pragma once

#include <QPalette>
#include <QRectF>

class QFont;
class QPainter;

namespace tq530 {

// Draws the logo to scale inside area, on the palette's Base colour (which it does not fill).
void DrawLogo(QPainter& painter, const QRectF& area, const QPalette& palette, const QFont& font);

}  // namespace tq530
