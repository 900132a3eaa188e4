#pragma once
// The elements a report design places on its bands: texts (label, memo,
// data-set field, row number), pictures and shapes (frames, rules and filled
// boxes). Positions and sizes are in millimetres (TReportPrintable::Size).

#include "platform/report/data_set.h"
#include "platform/report/printable.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <memory>

// Which sides of a text element get a rule, and how thick (mm).
struct ReportFrame {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
    double width = 0.25;
    QColor color = Qt::black;

    bool any() const { return left || top || right || bottom; }
    static ReportFrame all();
};

// The family of the forms' body: texts print in it unless a design names
// another (the titles' Titr). It has the Persian and the Latin letters and
// both kinds of digits, so a caption that mixes them prints in one face.
// Every text prints in its own family and this one alone: its letters that
// its family lacks (Titr has the digits but no Latin letters), and all of a
// family that is not installed, print in it; so do the codes printed under
// barcodes (the canvas's font while a report prints). No other face is ever
// chosen for a letter.
inline const QString ReportTextFamily = QStringLiteral("Nazli");
// A font of the family, falling back to the body's family.
QFont reportFont(const QString& family, double points);

// A text in a box. Alignment is where the text sits on the paper; rightToLeft
// is the direction the text reads (Persian captions read right to left).
//
// The text prints within its box: when it does not fit at its font's size it
// is broken into lines at the box's width, and made smaller until its lines
// fit the box's height too. Nothing of it is left out.
class ReportText : public TReportPrintable {
public:
    using TReportPrintable::TReportPrintable;

    QFont font = reportFont(ReportTextFamily, 10);
    QColor color = Qt::black;
    // Transparent when invalid.
    QColor background;
    Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter;
    bool rightToLeft = true;
    // A text of several lines: its box keeps its width, and auto-sized, grows
    // downwards rather than sideways.
    bool wordWrap = false;
    // The box takes the width of its text, keeping the edge it is aligned to,
    // up to the band's width (or, wrapped, the height of its lines) instead
    // of the text being made smaller.
    bool autoSize = false;
    // Cuts the ink of letters that reach past the box's edges.
    bool clip = false;
    ReportFrame frame;

    void Print(double ox, double oy) override;
    void UnPrepare() override;

    // The text as it prints now.
    virtual QString text() const = 0;

private:
    struct Laid;
    // The text as it last printed, drawn again while it, its font and its
    // box stay the same.
    std::shared_ptr<const Laid> m_laid;
};

// A fixed caption; code fills captions by the label's name.
class ReportLabel : public ReportText {
public:
    explicit ReportLabel(const QString& name = QString(), const QString& caption = QString());

    QString Caption;
    QString text() const override { return Caption; }
};

// Several lines of text, from the top of the box and cut at its edges.
class ReportMemo : public ReportLabel {
public:
    explicit ReportMemo(const QString& name = QString(), const QString& caption = QString());
};

// The value of a data-set field in the current row. The data set is the
// report's unless another is given.
class ReportDBText : public ReportText {
public:
    explicit ReportDBText(const QString& name = QString(), const QString& field = QString());

    QString DataField;
    QPointer<ReportDataSet> DataSet;

    void Prepare() override;
    void UnPrepare() override;
    QString text() const override;

private:
    QPointer<ReportDataSet> m_data;
    int m_field = -1;
};

// The running number of the detail row being printed, counted from Start.
class ReportRowNumber : public ReportText {
public:
    explicit ReportRowNumber(const QString& name = QString());

    int Start = 1;
    QString text() const override;
};

// A picture, stretched over the box, or scaled to fit it and centred when
// stretch is off.
class ReportImage : public TReportPrintable {
public:
    using TReportPrintable::TReportPrintable;

    QImage Picture;
    bool Stretch = true;

    void Print(double ox, double oy) override;
};

// A rectangle (a frame, or a box when filled), or a rule across the middle
// of the element's box.
class ReportShape : public TReportPrintable {
public:
    enum class Kind { Rectangle, HorizontalLine, VerticalLine };
    using TReportPrintable::TReportPrintable;

    Kind shape = Kind::Rectangle;
    double penWidth = 0.25; // mm; 0 draws no outline
    QColor penColor = Qt::black;
    // The inside of a rectangle; not filled when invalid.
    QColor fill;

    void Print(double ox, double oy) override;
};
