#pragma once
// The font dialog of the card window: a font (family, size, bold, italic) and
// its colour, chosen together in one right-to-left window. Tests answer it
// through setTestHandler instead of the dialog, or drive the window itself.

#include "platform/ui/form.h"

#include <QColor>
#include <QFont>
#include <functional>

class QCheckBox;
class QFontComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

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

// The window Execute shows. The font keeps what the boxes do not set
// (underline, strike-out, spacing) from the font it was opened with.
class FontDialogWindow : public Form {
    Q_OBJECT
public:
    FontDialogWindow(const QFont& initialFont, const QColor& initialColor, QWidget* parent = nullptr);

    QFont chosenFont() const;
    QColor chosenColor() const { return m_color; }

    QFontComboBox* family;
    QSpinBox* size;
    QCheckBox* bold;
    QCheckBox* italic;
    QPushButton* color;   // shows the colour; a click opens the colour dialog
    QLabel* sample;       // a line in the chosen font and colour

public slots:
    void chooseColor();

private:
    void showChoice();

    QFont m_font;
    QColor m_color;
};
