#include "font_dialog.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

std::function<bool(FontDialog&)>& testHandler()
{
    static std::function<bool(FontDialog&)> handler;
    return handler;
}

void showColor(QPushButton* button, const QColor& color)
{
    QPixmap swatch(24, 12);
    swatch.fill(color);
    button->setIcon(QIcon(swatch));
}

} // namespace

void FontDialog::setTestHandler(std::function<bool(FontDialog&)> handler)
{
    testHandler() = std::move(handler);
}

bool FontDialog::Execute(QWidget* parent)
{
    if (testHandler())
        return testHandler()(*this);

    QDialog dialog(parent);
    dialog.setWindowTitle(QFontDialog::tr("Select Font"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* fonts = new QFontDialog(Font, &dialog);
    fonts->setOptions(QFontDialog::NoButtons);
    layout->addWidget(fonts);
    QColor color = Color;
    auto* colorButton = new QPushButton(QColorDialog::tr("Select Color"), &dialog);
    showColor(colorButton, color);
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
        const QColor chosen = QColorDialog::getColor(color, &dialog);
        if (chosen.isValid()) {
            color = chosen;
            showColor(colorButton, color);
        }
    });
    layout->addWidget(colorButton);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    Font = fonts->currentFont();
    Color = color;
    return true;
}
