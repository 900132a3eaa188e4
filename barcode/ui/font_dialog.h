#pragma once
// The font dialog of the card window: a font (name, size, style) and its
// colour, chosen together. Tests answer it through setTestHandler instead of
// the dialog.

#include <QColor>
#include <QFont>
#include <functional>

class QWidget;

class FontDialog {
public:
    QFont Font;
    QColor Color = Qt::black;

    // Shows the dialog with Font and Color; true when it is confirmed, and
    // then Font and Color hold the choice.
    bool Execute(QWidget* parent = nullptr);

    // Answers every Execute while set (the handler may change Font and Color
    // and answers whether the dialog was confirmed); an empty one restores the dialog.
    static void setTestHandler(std::function<bool(FontDialog&)> handler);
};
