// The list workbook as written and read back by our reader and by an
// independent one (openpyxl), and the reader on workbooks made by others.

#include "platform/sheet/list_sheet.h"
#include "platform/sheet/texts.h"
#include "platform/sheet/workbook_reader.h"
#include "tests/support/low_memory.h"
#include "tests/support/workbook_tool.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QJsonObject dump(const QString& path)
{
    return QJsonDocument::fromJson(runWorkbookTool({QStringLiteral("dump"), path})).object();
}

QJsonObject cell(const QJsonObject& dumped, const QString& reference)
{
    return dumped[QStringLiteral("cells")].toObject()[reference].toObject();
}

QString column(int index) // 0 -> "A", 26 -> "AA"
{
    return index < 26 ? QString(QChar(u'A' + index))
                      : QString(QChar(u'A' + index / 26 - 1)) + QChar(u'A' + index % 26);
}

const QStringList Titles{QStringLiteral("شناسه"), QStringLiteral("نام و نام خانوادگي"), QStringLiteral("ostan")};
const QList<QStringList> Rows{
    {QStringLiteral("1"), QStringLiteral("  علي رضايي "), QStringLiteral("تهران")},
    {QStringLiteral("2"), QStringLiteral("پژمان گرجي"), QString()},
    {QStringLiteral("12"), QStringLiteral("ژاله چمني"), QStringLiteral("كرمان")},
};

QString writeList(const QString& path, const QStringList& titles, const QList<QStringList>& rows)
{
    Sheet::ListWriter writer(path);
    writer.writeTitles(titles);
    for (const QStringList& row : rows)
        writer.writeRow(row);
    QString error;
    if (!writer.close(&error))
        return error;
    return QString();
}

} // namespace

class TestSheet : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void listReadsBackTheSameInBothReaders()
    {
        const QString file = path(QStringLiteral("list.xlsx"));
        QCOMPARE(writeList(file, Titles, Rows), QString());

        QString error;
        const auto table = Sheet::readSheet(file, QStringLiteral("Sheet1"), &error);
        QVERIFY2(table, qPrintable(error));
        QCOMPARE(table->rows.size(), 4);
        QCOMPARE(table->rows[0], Titles);
        QCOMPARE(table->rows[1], (QStringList{"1", "علي رضايي", "تهران"}));
        QCOMPARE(table->cell(2, 2), QString());
        QCOMPARE(table->cell(3, 0), QStringLiteral("12"));

        const QJsonObject other = dump(file);
        QCOMPARE(other[QStringLiteral("sheets")].toArray(), QJsonArray{QStringLiteral("Sheet1")});
        QCOMPARE(other[QStringLiteral("max_row")].toInt(), 4);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c) {
                const QJsonObject x = cell(other, column(c) + QString::number(r + 1));
                QCOMPARE(x[QStringLiteral("value")].toString(), table->cell(r, c));
                if (!table->cell(r, c).isEmpty())
                    QCOMPARE(x[QStringLiteral("type")].toString(), QStringLiteral("s")); // text, numbers too
            }
    }

    void layoutOfTitlesBordersAndWidths()
    {
        const QString file = path(QStringLiteral("layout.xlsx"));
        QCOMPARE(writeList(file, Titles, Rows), QString());
        const QJsonObject x = dump(file);
        QVERIFY(x[QStringLiteral("right_to_left")].toBool());

        for (int c = 0; c < 30; ++c) {
            const QString col = column(c);
            QCOMPARE(cell(x, col + "1")[QStringLiteral("bold")].toBool(), c < 27);
            QCOMPARE(cell(x, col + "1")[QStringLiteral("border")].toString(),
                     c < 13 ? QStringLiteral("slantDashDot") : QString());
            for (int r = 2; r <= 4; ++r) {
                QCOMPARE(cell(x, col + QString::number(r))[QStringLiteral("border")].toString(),
                         c < 13 ? QStringLiteral("thin") : QString());
                QVERIFY(!cell(x, col + QString::number(r))[QStringLiteral("bold")].toBool());
            }
            QCOMPARE(cell(x, col + "5")[QStringLiteral("border")].toString(), QString());
        }
        // Width 10 (10.71 as stored) on the three titled columns only.
        const QJsonArray widths = x[QStringLiteral("widths")].toArray();
        QCOMPARE(widths.size(), 1);
        QCOMPARE(widths[0].toArray()[0].toInt(), 1);
        QCOMPARE(widths[0].toArray()[1].toInt(), 3);
        QVERIFY(qAbs(widths[0].toArray()[2].toDouble() - 10.71) < 0.01);
    }

    // Each cell is laid out in the direction of its own text, with the style of
    // its place kept.
    void eachCellInItsOwnDirection()
    {
        const struct {
            QString text;
            bool leftToRight;
        } cases[] = {
            {QStringLiteral("علي رضايي"), false},
            {QStringLiteral("12"), true},
            {QStringLiteral("021-88001234"), true},
            {QStringLiteral("ali@example.org"), true},
            {QStringLiteral("(واحد 3)"), false},
            {QStringLiteral("12 كرمان"), false},
            {QStringLiteral("A12 كرمان"), true},
        };
        QStringList titles;
        QStringList row;
        for (const auto& c : cases) {
            titles << c.text;
            row << c.text;
        }
        const QString file = path(QStringLiteral("directions.xlsx"));
        QCOMPARE(writeList(file, titles, {row}), QString());
        const QJsonObject x = dump(file);
        for (int c = 0; c < int(std::size(cases)); ++c)
            for (const QString& reference : {column(c) + "1", column(c) + "2"}) {
                const QJsonObject at = cell(x, reference);
                QCOMPARE(at[QStringLiteral("value")].toString(), cases[c].text);
                QCOMPARE(at[QStringLiteral("left_to_right")].toBool(), cases[c].leftToRight);
                QCOMPARE(at[QStringLiteral("bold")].toBool(), reference.endsWith(u'1'));
                QCOMPARE(at[QStringLiteral("border")].toString(),
                         reference.endsWith(u'1') ? QStringLiteral("slantDashDot") : QStringLiteral("thin"));
            }
        QVERIFY(!cell(x, column(int(std::size(cases))) + "2")[QStringLiteral("left_to_right")].toBool());
    }

    // Amounts of money are number cells shown grouped by three; a code keeps
    // its leading zeros as text, and a text in an amount column stays text.
    void amountsAreGroupedNumbers()
    {
        const QString file = path(QStringLiteral("amounts.xlsx"));
        Sheet::ListWriter writer(file);
        writer.writeTitles({QStringLiteral("کد"), QStringLiteral("مبلغ")});
        writer.setAmountColumns({1});
        writer.writeRow({QStringLiteral("0012"), QStringLiteral("2500000")});
        writer.writeRow({QStringLiteral("0013"), QStringLiteral("2500000.0000")});
        writer.writeRow({QStringLiteral("0014"), QStringLiteral("نامعلوم")});
        QVERIFY(writer.close());
        const QJsonObject x = dump(file);
        QCOMPARE(cell(x, "A2")[QStringLiteral("value")].toString(), QStringLiteral("0012"));
        for (const char* at : {"B2", "B3"}) {
            QCOMPARE(cell(x, at)[QStringLiteral("type")].toString(), QStringLiteral("n"));
            QCOMPARE(cell(x, at)[QStringLiteral("value")].toDouble(), 2500000.0);
            QCOMPARE(cell(x, at)[QStringLiteral("format")].toString(), QStringLiteral("#,##0"));
            QCOMPARE(cell(x, at)[QStringLiteral("border")].toString(), QStringLiteral("thin"));
        }
        QCOMPARE(cell(x, "B4")[QStringLiteral("type")].toString(), QStringLiteral("s"));
    }

    void emptyListWritesOnlyTheFramedTitleRow()
    {
        const QString file = path(QStringLiteral("empty.xlsx"));
        QCOMPARE(writeList(file, Titles, {}), QString());
        const auto table = Sheet::readSheet(file, QStringLiteral("Sheet1"));
        QVERIFY(table);
        QCOMPARE(table->rows, QList<QStringList>{Titles});

        const QJsonObject x = dump(file);
        QCOMPARE(x[QStringLiteral("max_row")].toInt(), 1);
        QCOMPARE(cell(x, "A1")[QStringLiteral("border")].toString(), QStringLiteral("slantDashDot"));
        QCOMPARE(cell(x, "M1")[QStringLiteral("border")].toString(), QStringLiteral("slantDashDot"));
        QCOMPARE(cell(x, "A2")[QStringLiteral("border")].toString(), QString());
    }

    void awkwardTextsSurviveTheRoundTrip()
    {
        const QString file = path(QStringLiteral("awkward.xlsx"));
        const QString control = QStringLiteral("a\x01" "b");
        const QString looksEscaped = QStringLiteral("_x0041_ & <tag> \"q\"");
        const QString longText(40000, QChar(u'ک'));
        QCOMPARE(writeList(file, {QStringLiteral("t")},
                           {{control}, {looksEscaped}, {longText}, {QStringLiteral("   ")}, {QStringLiteral("\tx\n")}}),
                 QString());
        const auto table = Sheet::readSheet(file, QStringLiteral("Sheet1"));
        QVERIFY(table);
        QCOMPARE(table->cell(1, 0), QStringLiteral("ab")); // read as typed text is stored
        QCOMPARE(table->cell(2, 0), looksEscaped);
        QCOMPARE(table->cell(3, 0), longText.left(32767)); // the most a cell holds
        QCOMPARE(table->cell(4, 0), QString());
        QCOMPARE(table->cell(5, 0), QStringLiteral("x"));

        // The other reader opens the file (the XML is sound) and sees the control
        // character in the workbook's own escape, which it leaves undecoded.
        const QJsonObject x = dump(file);
        QCOMPARE(cell(x, "A2")[QStringLiteral("value")].toString(), QStringLiteral("a_x0001_b"));
        QCOMPARE(cell(x, "A4")[QStringLiteral("value")].toString(), longText.left(32767));
    }

    void readsWorkbooksOfOtherMakers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("xlsx, shared texts") << QStringLiteral("made.xlsx");
        QTest::newRow("xls") << QStringLiteral("made.xls");
    }

    void readsWorkbooksOfOtherMakers()
    {
        QFETCH(QString, name);
        const QString file = path(name);
        // Sheet1 is not the first sheet; a blank row and a blank cell in between.
        runWorkbookTool({QStringLiteral("make"), file}, R"({
            "ديگر": [["x"]],
            "Sheet1": [["استان", "شهرستان", "كد"],
                       ["تهران", "ري", 12],
                       [],
                       ["فارس", null, 1.5],
                       ["گيلان", "رشت", 1234567890],
                       ["سیستان و بلوچستان", "زاهدان", "۱۲"]]})");
        QString error;
        const auto table = Sheet::readSheet(file, QStringLiteral("Sheet1"), &error);
        QVERIFY2(table, qPrintable(error));
        QCOMPARE(table->cell(0, 0), QStringLiteral("استان"));
        QCOMPARE(table->rows[1], (QStringList{"تهران", "ري", "12"}));
        QVERIFY(table->rows[2].isEmpty());
        QCOMPARE(table->rows[3], (QStringList{"فارس", "", "1.5"}));
        QCOMPARE(table->rows[4], (QStringList{"گيلان", "رشت", "1234567890"}));
        // Persian yeh and digits read as typed text is stored.
        QCOMPARE(table->rows[5], (QStringList{"سيستان و بلوچستان", "زاهدان", "12"}));
        QCOMPARE(table->rows.size(), 6);
        const auto other = Sheet::readSheet(file, QStringLiteral("ديگر"));
        QVERIFY(other);
        QCOMPARE(other->rows, QList<QStringList>{{"x"}});
    }

    void refusesWhatItCannotRead()
    {
        QString error;
        const QString list = path(QStringLiteral("refuse.xlsx"));
        QCOMPARE(writeList(list, Titles, Rows), QString());
        QVERIFY(!Sheet::readSheet(list, QStringLiteral("Sheet2"), &error));
        QVERIFY(error.contains(QStringLiteral("Sheet2")));

        const QString xls = path(QStringLiteral("refuse.xls"));
        runWorkbookTool({QStringLiteral("make"), xls}, R"({"Sheet1": [["a"]]})");
        error.clear();
        QVERIFY(!Sheet::readSheet(xls, QStringLiteral("Sheet2"), &error));
        QVERIFY(error.contains(QStringLiteral("Sheet2")));

        const QString text = path(QStringLiteral("text.xlsx"));
        QFile f(text);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a workbook");
        f.close();
        QVERIFY(!Sheet::readSheet(text, QStringLiteral("Sheet1")));
        QVERIFY(!Sheet::readSheet(path(QStringLiteral("missing.xlsx")), QStringLiteral("Sheet1")));
    }

    // What a file says of its own size bounds nothing but itself: rows and
    // columns past the format's, a sheet of blank cells packed tight, an
    // entity the reader does not resolve, a text longer than a cell holds
    // refuse the sheet by their cause; the sheet is named without case.
    // Each bound of the packing stands alone: the size the zip directory
    // states, and the packing as the part is unpacked.
    void refusesWhatPassesTheFormat_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("error"); // empty: read, its cell A2 "x"
        QTest::addColumn<QStringList>("options"); // of workbook_tool.py raw
        const auto document = [](const QByteArray& rows, const QByteArray& prolog = {}) {
            return prolog + R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
                   + "<sheetData>" + rows + "</sheetData></worksheet>";
        };
        const QString sheet = SheetText::SheetPart.arg(QStringLiteral("sheet1"));
        const QString pastRow = SheetText::RowPastLimit.arg(QStringLiteral("sheet1")).arg(Sheet::MaxRows);
        const QString pastColumn = SheetText::ColumnPastLimit.arg(QStringLiteral("sheet1"), QStringLiteral("XFD"));
        const auto row = [&](const char* r, const char* cell) {
            return document(QByteArray("<row r=\"") + r + "\"><c r=\"" + cell
                            + "\" t=\"inlineStr\"><is><t>x</t></is></c></row>");
        };
        const QByteArray blankRows =
            QByteArray("<row>" + QByteArray("<c s=\"1\"/>").repeated(16384) + "</row>").repeated(120);
        QByteArray looseRow = "<row>"; // 2 MB of texts that pack no tighter than 2 to 1
        for (int c = 0; c < 100; ++c) {
            looseRow += "<c t=\"inlineStr\"><is><t>";
            for (int i = 0; i < 20000; ++i)
                looseRow += char('a' + QRandomGenerator::global()->bounded(26));
            looseRow += "</t></is></c>";
        }
        looseRow += "</row>";
        const auto inlineText = [&](const QByteArray& runs) {
            return document(R"(<row r="2"><c r="A2" t="inlineStr"><is>)" + runs + "</is></c></row>");
        };
        const QString pastCell = SheetText::TextPastLimit.arg(sheet).arg(Sheet::MaxCellCharacters);
        QTest::newRow("last row and column")
            << document(R"(<row r="1048576"><c r="XFD1048576"><v>1</v></c></row>)"
                        R"(<row r="2"><c r="A2" t="inlineStr"><is><t>x</t></is></c></row>)")
            << QString() << QStringList();
        QTest::newRow("row 50,000,000") << row("50000000", "A50000000") << pastRow << QStringList();
        QTest::newRow("row past the integers") << row("99999999999999999999", "A1") << pastRow << QStringList();
        QTest::newRow("reference past the rows") << row("2", "A2147483648") << pastRow << QStringList();
        QTest::newRow("rows without numbers") << document(QByteArray("<row/>").repeated(Sheet::MaxRows + 1)) << pastRow << QStringList();
        QTest::newRow("column XFE") << row("2", "XFE2") << pastColumn << QStringList();
        QTest::newRow("seven letters") << row("2", "ABCDEFG2") << pastColumn << QStringList();
        QTest::newRow("unresolved entity")
            << document(R"(<row r="2"><c r="A2" t="inlineStr"><is><t>A&xxe;B</t></is></c></row>)",
                        "<!DOCTYPE worksheet [<!ENTITY xxe SYSTEM 'file:///etc/hostname'>]>")
            << SheetText::EntityUnresolved.arg(sheet) << QStringList();
        QTest::newRow("blank-cell bomb")
            << document(blankRows) << SheetText::PartPackedTooTightly.arg(sheet).arg(Sheet::MaxPackingRatio)
            << QStringList();
        QTest::newRow("tight at first, loose after")
            << document(blankRows + looseRow) << SheetText::PartPackedTooTightly.arg(sheet).arg(Sheet::MaxPackingRatio) << QStringList();
        QTest::newRow("stated past the bound")
            << row("2", "A2") << SheetText::PartTooLarge.arg(sheet).arg(Sheet::MaxSheetBytes >> 20)
            << QStringList{QStringLiteral("--stated-size"), QString::number(Sheet::MaxSheetBytes + 1)};
        QTest::newRow("text of a cell and one more")
            << inlineText("<t>" + QByteArray(Sheet::MaxCellCharacters + 1, 'x') + "</t>") << pastCell << QStringList();
        QTest::newRow("text past a cell in runs")
            << inlineText(QByteArray("<r><t>" + QByteArray(20000, 'x') + "</t></r>").repeated(2)) << pastCell
            << QStringList();
    }

    void refusesWhatPassesTheFormat()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, error);
        QFETCH(QStringList, options);
        const QString file = path(QStringLiteral("raw.xlsx"));
        runWorkbookTool(QStringList{QStringLiteral("raw"), file} + options, xml);
        QString why;
        const auto table = Sheet::readSheet(file, QStringLiteral("sheet1"), &why);
        QCOMPARE(why, error);
        if (error.isEmpty())
            QCOMPARE(table->cell(1, 0), QStringLiteral("x"));
    }

    // Whitespace between elements, or within a tag, costs nothing kept: 20 MiB
    // of it (which the XML reader would hold whole, twice over) read under a
    // cap of 24 MiB. Whitespace that is a text's, within <t>, stays. The part
    // begins with whitespace that leaves two bytes of the first 64 KiB read
    // (the XML reader takes a read of less than a character for the end).
    void whitespaceCostsNothingKept()
    {
        QByteArray spaces(20 << 20, ' ');
        QRandomGenerator random(43); // a tab or line break now and then: packs looser than 100 to 1
        for (qsizetype i = 0; i < spaces.size(); i += 1 + random.bounded(400))
            spaces[i] = "\t\n\r"[random.bounded(3)];
        const QString file = path(QStringLiteral("spaces.xlsx"));
        runWorkbookTool({QStringLiteral("raw"), file},
                        spaces.left(65534) + R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)"
                            + spaces + "<row r=\"2\"" + spaces.left(2 << 20) + R"(><c r="A2" t="inlineStr"><is>)"
                            + R"(<r><t>x</t></r> <r><t xml:space="preserve">  </t></r><r><t>y &amp;)"
                            + R"(<![CDATA[ <z>]]></t></r></is></c></row>)" + spaces + "</sheetData></worksheet>");
        std::optional<Sheet::Table> table;
        QString error;
        withLittleMemory([&] { table = Sheet::readSheet(file, QStringLiteral("Sheet1"), &error); });
        QVERIFY2(table, qPrintable(error));
        QCOMPARE(table->rows.size(), 2);
        QCOMPARE(table->cell(1, 0), QStringLiteral("x  y & <z>"));
    }

    // An .xls states its sheet's size (its DIMENSIONS record); a size past
    // the format's is refused before any cell is asked for.
    void refusesXlsSizesPastTheFormat_data()
    {
        QTest::addColumn<quint32>("rows");
        QTest::addColumn<quint16>("columns");
        QTest::addColumn<QString>("error");
        QTest::newRow("columns") << quint32(2) << quint16(0xFFFF)
                                 << SheetText::ColumnPastLimit.arg(QStringLiteral("sheet1"), QStringLiteral("IV"));
        QTest::newRow("rows") << quint32(0xFFFFFFFF) << quint16(2) << SheetText::WorkbookUnreadable;
    }

    void refusesXlsSizesPastTheFormat()
    {
        QFETCH(quint32, rows);
        QFETCH(quint16, columns);
        QFETCH(QString, error);
        const QString file = path(QStringLiteral("sized.xls"));
        runWorkbookTool({QStringLiteral("make"), file}, R"({"Sheet1": [["a", "b"], ["1", "2"]]})");
        QFile xls(file);
        QVERIFY(xls.open(QIODevice::ReadWrite));
        QByteArray bytes = xls.readAll();
        const qsizetype at = bytes.indexOf(QByteArray::fromHex("00020e00")); // DIMENSIONS, 14 bytes
        QVERIFY(at > 0);
        QDataStream size(&bytes, QIODevice::WriteOnly);
        size.setByteOrder(QDataStream::LittleEndian);
        size.device()->seek(at + 8);
        size << rows << quint16(0) << columns;
        xls.seek(0);
        xls.write(bytes);
        xls.close();
        QString why;
        QVERIFY(!Sheet::readSheet(file, QStringLiteral("sheet1"), &why));
        QCOMPARE(why, error);
    }

    // FreeXL reads an .xls in a program of its own: a file that crashes it
    // or makes it allocate without end leaves the sheet unreadable, and this
    // program alive; a sound one reads.
    void hostileXlsIsUnreadable_data()
    {
        QTest::addColumn<QString>("file"); // empty: a sound one, made here
        QTest::addColumn<QString>("error");
        const QString unreadable = SheetText::SheetUnreadable.arg(QStringLiteral("Sheet1"));
        QTest::newRow("crashes FreeXL") << sheetTestFile(QStringLiteral("xls_segv_1.xls")) << unreadable;
        QTest::newRow("allocates without end") << sheetTestFile(QStringLiteral("xls_alloc.xls")) << unreadable;
        QTest::newRow("sound") << QString() << QString();
    }

    void hostileXlsIsUnreadable()
    {
        QFETCH(QString, file);
        QFETCH(QString, error);
        if (file.isEmpty()) {
            file = path(QStringLiteral("sound.xls"));
            runWorkbookTool({QStringLiteral("make"), file}, R"({"Sheet1": [["a", 2]]})");
        }
        QString why;
        const auto table = Sheet::readSheet(file, QStringLiteral("Sheet1"), &why);
        QCOMPARE(why, error);
        QCOMPARE(bool(table), error.isEmpty());
        if (table)
            QCOMPARE(table->rows, (QList<QStringList>{{"a", "2"}}));
    }

    void unwritableFileIsAFailure()
    {
        QString error;
        Sheet::ListWriter writer(path(QStringLiteral("no/such/folder/list.xlsx")));
        writer.writeTitles(Titles);
        writer.writeRow(Rows[0]);
        QVERIFY(!writer.close(&error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSheet)
#include "test_sheet.moc"
