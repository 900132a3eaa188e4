#pragma once
// The occasion-card window: the card's heading, text, picture and fonts, the
// first serial and the number of cards. Its button writes the series into
// table serials, two serials a sheet row, and previews the card sheet; two
// labels preview the barcode sample sheets.

#include "barcode/ui/card_sheets.h"
#include "barcode/ui/font_dialog.h"
#include "platform/ui/form.h"

#include <QImage>
#include <optional>

namespace Ui { class Tcart_sodor; }

// The series of a card run: the rows (i, i + 1) for i from first while
// i <= first + count - 1, stepping by 2, so an odd count prints one card more.
namespace CardSeries {

// The rows, or nothing when a serial would not fit the int columns of table
// serials (or, below 0, could not print as a barcode). Counted in 64 bits.
std::optional<QList<SerialRow>> plan(qint64 first, qint64 count);

// Empties table serials, writes the rows and reads them back ordered by
// serial1, in one transaction: the sheet prints exactly this run's series.
// Throws DbError (nothing is written then).
QList<SerialRow> write(const QList<SerialRow>& rows);

} // namespace CardSeries

class Tcart_sodor : public Form {
    Q_OBJECT
public:
    explicit Tcart_sodor(QWidget* parent = nullptr);
    ~Tcart_sodor() override;

    Ui::Tcart_sodor* ui;
    FontDialog FontDialog1;
    FontDialog FontDialog2;

    // What the main menu presets before it shows the window.
    void prepareForOpening();

    // The picture of Image1 (null when there is none).
    const QImage& picture() const { return m_picture; }

public slots:
    void SpeedButton1Click(); // heading font
    void SpeedButton2Click(); // card text font
    void Label1Click();       // empties the heading
    void Label3Click();       // loads a picture
    void Label5Click();       // clears the card text
    void Label6Click();       // removes the picture
    void Label7Click();       // sample sheet 1
    void Label8Click();       // sample sheet 2
    void BitBtn1Click();      // writes the series and previews the cards

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPicture();

    QImage m_picture;
};
