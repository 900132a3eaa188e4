#include "font_dialog.h"

#include "barcode/ui/texts.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFontInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace {

std::function<bool(FontDialog&)>& testHandler()
{
    static std::function<bool(FontDialog&)> handler;
    return handler;
}

// Point sizes the dialog offers; a font given in pixels shows its size in points.
constexpr int MinPoints = 4;
constexpr int MaxPoints = 144;

int pointsOf(const QFont& font)
{
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    return qBound(MinPoints, int(std::lround(points)), MaxPoints);
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
    FontDialogWindow dialog(Font, Color, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    Font = dialog.chosenFont();
    Color = dialog.chosenColor();
    return true;
}

FontDialogWindow::FontDialogWindow(const QFont& initialFont, const QColor& initialColor, QWidget* parent)
    : Form(parent), m_font(initialFont), m_color(initialColor.isValid() ? initialColor : QColor(Qt::black))
{
    setObjectName(QStringLiteral("FontDialog"));
    setWindowTitle(CardText::FontDialogCaption);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);

    family = new QFontComboBox(this);
    family->setObjectName(QStringLiteral("family"));
    family->setCurrentFont(QFont(initialFont.family()));
    size = new QSpinBox(this);
    size->setObjectName(QStringLiteral("size"));
    // Sizes are numbers: written in the digits every box of the program stores.
    size->setLocale(QLocale::c());
    size->setLayoutDirection(Qt::LeftToRight);
    size->setRange(MinPoints, MaxPoints);
    size->setValue(pointsOf(initialFont));
    bold = new QCheckBox(CardText::FontBold, this);
    bold->setObjectName(QStringLiteral("bold"));
    bold->setChecked(initialFont.bold());
    italic = new QCheckBox(CardText::FontItalic, this);
    italic->setObjectName(QStringLiteral("italic"));
    italic->setChecked(initialFont.italic());
    color = new QPushButton(this);
    color->setObjectName(QStringLiteral("color"));
    color->setIconSize(QSize(48, 14));
    sample = new QLabel(CardText::FontSample, this);
    sample->setObjectName(QStringLiteral("sample"));
    sample->setAlignment(Qt::AlignCenter);
    sample->setFrameShape(QFrame::StyledPanel);
    sample->setMinimumSize(320, 90);

    auto* styles = new QHBoxLayout;
    styles->addWidget(bold);
    styles->addWidget(italic);
    styles->addStretch();
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(color);
    colorRow->addStretch();
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(size);
    sizeRow->addStretch();
    auto* form = new QFormLayout;
    form->addRow(CardText::FontFamily, family);
    form->addRow(CardText::FontSize, sizeRow);
    form->addRow(CardText::FontStyle, styles);
    form->addRow(CardText::FontColor, colorRow);
    form->addRow(CardText::FontSampleTitle, sample);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(color, &QPushButton::clicked, this, &FontDialogWindow::chooseColor);
    connect(family, &QFontComboBox::currentFontChanged, this, &FontDialogWindow::showChoice);
    connect(size, &QSpinBox::valueChanged, this, &FontDialogWindow::showChoice);
    connect(bold, &QCheckBox::toggled, this, &FontDialogWindow::showChoice);
    connect(italic, &QCheckBox::toggled, this, &FontDialogWindow::showChoice);
    showChoice();
}

QFont FontDialogWindow::chosenFont() const
{
    QFont f = m_font;
    f.setFamily(family->currentFont().family());
    f.setPointSize(size->value());
    f.setBold(bold->isChecked());
    f.setItalic(italic->isChecked());
    return f;
}

void FontDialogWindow::chooseColor()
{
    const QColor chosen = QColorDialog::getColor(m_color, this, QString(), QColorDialog::DontUseNativeDialog);
    if (chosen.isValid()) {
        m_color = chosen;
        showChoice();
    }
}

void FontDialogWindow::showChoice()
{
    QPixmap swatch(color->iconSize());
    swatch.fill(m_color);
    color->setIcon(QIcon(swatch));
    sample->setFont(chosenFont());
    QPalette palette = sample->palette();
    palette.setColor(QPalette::WindowText, m_color);
    sample->setPalette(palette);
}
