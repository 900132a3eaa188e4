#include "column_fit.h"

#include "platform/sheet/texts.h"
#include "platform/ui/text_input.h"

namespace Sheet {

namespace {
// The ranges of rows a message names; a message box holds no more.
constexpr int RangesNamed = 20;
} // namespace

QStringList ColumnFit::row(int sheetRow, const QStringList& cells)
{
    QStringList fitted = cells;
    bool cut = false;
    for (qsizetype c = 0; c < fitted.size() && c < m_widths.size(); ++c) {
        const int width = m_widths.at(c);
        if (width <= 0 || fitted.at(c).size() <= width)
            continue;
        fitted[c] = TextInput::cut(fitted.at(c), width);
        ++m_cellsCut;
        cut = true;
    }
    if (cut)
        m_rowsCut.append(sheetRow);
    return fitted;
}

QString rowRanges(const QList<int>& rows)
{
    QStringList ranges;
    for (qsizetype i = 0; i < rows.size() && ranges.size() < RangesNamed;) {
        qsizetype last = i;
        while (last + 1 < rows.size() && rows.at(last + 1) == rows.at(last) + 1)
            ++last;
        ranges << (last == i ? QString::number(rows.at(i))
                             : SheetText::RowRange.arg(QString::number(rows.at(i)), QString::number(rows.at(last))));
        i = last + 1;
        if (ranges.size() == RangesNamed && i < rows.size())
            ranges.last() += SheetText::MoreRows;
    }
    return ranges.join(SheetText::RowSeparator);
}

QString ColumnFit::closing(const QString& done) const
{
    if (m_cellsCut == 0)
        return done;
    return done + QLatin1Char('\n') + SheetText::CellsCut.arg(QString::number(m_cellsCut), rowRanges(m_rowsCut));
}

} // namespace Sheet
