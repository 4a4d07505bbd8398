// Making texts fit the places the window has for them: the largest face size at which every
// line of a text fits a box, and the check the layout tests use. Lines are split at "\n";
// sizes are in pixels.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

// Every line of the text fits the box's width, and all lines together its height.
bool TextFits(const QFont& font, const QString& text, QSize box);

// The font at its own pixel size or smaller, down to minPixels, so that the text fits the box;
// minPixels when even that does not fit.
QFont FittedFont(QFont font, const QString& text, QSize box, int minPixels);
