#include "cart_sodor.h"
#include "ui_cart_sodor.h"

#include "barcode/ui/report_barcode.h"
#include "barcode/ui/texts.h"
#include "core/account_now.h"
#include "core/lock_keys.h"
#include "platform/db/sql.h"
#include "platform/image/picture.h"
#include "platform/ui/msg.h"
#include "platform/ui/text_input.h"
#include "platform/ui/window_set.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <limits>
#include <numbers>

namespace CardSeries {

std::optional<QList<SerialRow>> plan(qint64 first, qint64 count)
{
    constexpr qint64 columnMax = std::numeric_limits<qint32>::max();
    if (count <= 0)
        return QList<SerialRow>();
    if (first < 0 || first > columnMax)
        return std::nullopt;
    // The last row's second serial: first + 2 * rows - 1, with rows = count / 2
    // rounded up. Checked before it is formed, so nothing overflows.
    const qint64 rows = count / 2 + count % 2;
    if (rows > (columnMax - first + 1) / 2)
        return std::nullopt;
    QList<SerialRow> out;
    out.reserve(rows);
    for (qint64 i = first; i <= first + count - 1; i += 2)
        out.append({i, i + 1});
    return out;
}

QList<SerialRow> write(const QList<SerialRow>& rows)
{
    QList<SerialRow> stored;
    // Two administrators printing at once must not mix their series: the
    // second waits until this run's series is written and read back. The
    // administrator's alone, as the account is stored at the write.
    const AccountNow::ForLevels admin;
    AccountNow::exclusive({Keys::table(QStringLiteral("serials"))}, [&] {
        Sql::exec(QStringLiteral("delete from serials"));
        for (const SerialRow& r : rows)
            Sql::exec(QStringLiteral("insert into serials (serial1, serial2) values (?, ?)"),
                      {r.serial1, r.serial2});
        QSqlQuery q = Sql::exec(QStringLiteral("select serial1, serial2 from serials order by serial1"));
        while (Sql::next(q))
            stored.append({q.value(0).toLongLong(), q.value(1).toLongLong()});
        Sql::checkRead(q);
    });
    return stored;
}

} // namespace CardSeries

namespace {

// A whole number as typed (Persian or Arabic digits too, a sign, blanks around).
std::optional<qint64> integerOf(const QString& text)
{
    bool ok = false;
    const qint64 v = TextInput::asciiDigits(text).trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(v) : std::nullopt;
}

// The emblem the window shows until another picture is chosen.
QImage emblem()
{
    QImage img(200, 220, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x8c), 8));
    p.setBrush(QColor(0xe8, 0xf0, 0xfa));
    p.drawEllipse(QRectF(12, 22, 176, 176));
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double a = std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double r = i % 2 == 0 ? 70 : 28;
        const QPointF pt(100 + r * std::cos(a), 110 - r * std::sin(a));
        i == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc8, 0x9b, 0x2c));
    p.drawPath(star);
    return img;
}

// Gives a box and the sheet's two texts the chosen font and colour.
void applyFont(const FontDialog& d, QWidget* box, ReportText* right, ReportText* left)
{
    box->setFont(d.Font);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, d.Color);
    box->setPalette(palette);
    for (ReportText* t : {right, left}) {
        t->font = d.Font;
        t->color = d.Color;
    }
}

} // namespace

Tcart_sodor::Tcart_sodor(QWidget* parent) : Form(parent), ui(new Ui::Tcart_sodor)
{
    ui->setupUi(this);
    for (int i = 0; i < TBarcodeTypeCount; ++i)
        ui->barcod->addItem(QString::fromLatin1(BarcodeTypeEnumName(TBarcodeType(i)).data()));
    for (QLabel* l : {ui->Label1, ui->Label3, ui->Label5, ui->Label6, ui->Label7, ui->Label8}) {
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
    }
    connect(ui->SpeedButton1, &QToolButton::clicked, this, &Tcart_sodor::SpeedButton1Click);
    connect(ui->SpeedButton2, &QToolButton::clicked, this, &Tcart_sodor::SpeedButton2Click);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &Tcart_sodor::BitBtn1Click);
    FontDialog1.Font = ui->Edit1->font();
    FontDialog2.Font = ui->title->font();
    m_picture = emblem();
    showPicture();
}

Tcart_sodor::~Tcart_sodor() { delete ui; }

bool Tcart_sodor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const std::pair<QLabel*, void (Tcart_sodor::*)()> clicks[] = {
            {ui->Label1, &Tcart_sodor::Label1Click}, {ui->Label3, &Tcart_sodor::Label3Click},
            {ui->Label5, &Tcart_sodor::Label5Click}, {ui->Label6, &Tcart_sodor::Label6Click},
            {ui->Label7, &Tcart_sodor::Label7Click}, {ui->Label8, &Tcart_sodor::Label8Click},
        };
        for (const auto& [label, handler] : clicks)
            if (watched == label) {
                (this->*handler)();
                return true;
            }
    }
    return Form::eventFilter(watched, event);
}

void Tcart_sodor::prepareForOpening()
{
    ui->Edit1->setText(CardText::HeadingDefault);
    ui->title->setPlainText(CardText::TitleDefault);
    ui->serial->setText(QStringLiteral("1"));
    ui->cart_no->setText(QStringLiteral("10"));
    ui->barcod->setCurrentText(QStringLiteral("bcCodeEAN13"));
}

void Tcart_sodor::showPicture()
{
    if (m_picture.isNull()) {
        ui->Image1->clear();
        return;
    }
    ui->Image1->setPixmap(QPixmap::fromImage(m_picture).scaled(
        ui->Image1->minimumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void Tcart_sodor::SpeedButton1Click()
{
    if (!FontDialog1.Execute(this))
        return;
    auto* sheet = win<Tcart_print>(QStringLiteral("cart_print"));
    applyFont(FontDialog1, ui->Edit1, sheet->RepLabel3, sheet->RepLabel4);
}

void Tcart_sodor::SpeedButton2Click()
{
    if (!FontDialog2.Execute(this))
        return;
    auto* sheet = win<Tcart_print>(QStringLiteral("cart_print"));
    applyFont(FontDialog2, ui->title, sheet->RepMemo1, sheet->RepMemo2);
}

void Tcart_sodor::Label1Click() { ui->Edit1->clear(); }

void Tcart_sodor::Label5Click() { ui->title->clear(); }

void Tcart_sodor::Label3Click()
{
    const std::optional<QString> path =
        Msg::openFileName(QString(), CardText::PictureFilter);
    if (path && Picture::load(m_picture, *path))
        showPicture();
}

void Tcart_sodor::Label6Click()
{
    m_picture = QImage();
    showPicture();
}

void Tcart_sodor::Label7Click() { win<TbarcodeTypes>(QStringLiteral("barcodeTypes"))->Preview(this); }

void Tcart_sodor::Label8Click() { win<TbarcodeTypes2>(QStringLiteral("barcodeTypes2"))->Preview(this); }

void Tcart_sodor::BitBtn1Click()
{
    auto* sheet = win<Tcart_print>(QStringLiteral("cart_print"));
    sheet->RepLabel3->Caption = ui->Edit1->text();
    sheet->RepLabel4->Caption = ui->Edit1->text();
    sheet->RepMemo1->Caption = ui->title->toPlainText();
    sheet->RepMemo2->Caption = ui->title->toPlainText();
    sheet->RepImage1->Picture = m_picture;
    sheet->RepImage2->Picture = m_picture;

    // A cancelled box answers its default, as the input box always has.
    sheet->RepLabel5->Caption =
        Msg::input(CardText::SentenceCaption, CardText::SentencePrompt, CardText::SentenceDefault)
            .value_or(CardText::SentenceDefault);
    sheet->RepLabel6->Caption = sheet->RepLabel5->Caption;

    const std::optional<qint64> first = integerOf(ui->serial->text());
    const std::optional<qint64> count = integerOf(ui->cart_no->text());
    const std::optional<QList<SerialRow>> rows =
        first && count ? CardSeries::plan(*first, *count) : std::nullopt;
    if (!rows) {
        Msg::info(CardText::WrongValues);
        return;
    }
    try {
        sheet->setRows(CardSeries::write(*rows));
    } catch (const DbError& e) {
        // The account as stored at the write says why it refused; any other failure is the values'.
        Msg::info(e.told.isEmpty() ? CardText::WrongValues : e.told);
        return;
    }
    sheet->ReportDBBarcode1->DataField = QStringLiteral("serial1");
    sheet->ReportDBBarcode2->DataField = QStringLiteral("serial2");
    sheet->Preview(this);
}
