// The list window on a real database (SQLite and PostgreSQL): the counted
// search with its filters and scope, sorting by a clicked title, reloading,
// the export read back from the workbook, and the list fills.

#include "core/list_behaviours.h"
#include "core/list_window.h"
#include "platform/db/persian_collation.h"
#include "platform/db/sql.h"
#include "platform/db/texts.h"
#include "platform/sheet/workbook_reader.h"
#include "platform/ui/desktop.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtTest>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// A search window as the feature windows build theirs.
struct EntryWindow : QWidget {
    QCheckBox* byUser = new QCheckBox(QStringLiteral("نام کاربر"), this);
    QComboBox* karbar = new QComboBox(this);
    QCheckBox* byDate = new QCheckBox(QStringLiteral("تاريخ"), this);
    QLineEdit* dat1 = new QLineEdit(this);
    QLineEdit* dat2 = new QLineEdit(this);
    QCheckBox* byKind = new QCheckBox(QStringLiteral("نوع"), this);
    QLineEdit* kind = new QLineEdit(this);
    QTableView* grid = new QTableView(this);
    QLabel* cnt = new QLabel(this);
    ListWindow list;

    explicit EntryWindow(ListDescription desc) : list(std::move(desc), grid, cnt, this)
    {
        setLayoutDirection(Qt::RightToLeft);
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : std::initializer_list<QWidget*>{byUser, karbar, byDate, dat1, dat2, byKind, kind, grid, cnt})
            layout->addWidget(w);
        karbar->setEditable(true);
        list.contains(byUser, karbar, QStringLiteral("karbar"));
        list.range(byDate, dat1, dat2, QStringLiteral("entry.tarikh"));
        list.equals(byKind, kind, QStringLiteral("kind"));
        resize(900, 600);
    }

    QStringList column(const QString& name) const
    {
        QStringList out;
        for (int r = 0; r < list.model()->rowCount(); ++r)
            out << ListModel::text(list.model()->value(r, name));
        return out;
    }

    void clickTitle(const QString& name)
    {
        QHeaderView* header = grid->horizontalHeader();
        const int c = list.model()->columnOf(name);
        const QPoint at(header->sectionViewportPosition(c) + header->sectionSize(c) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    bool titleBold(const QString& name) const
    {
        const int c = list.model()->columnOf(name);
        return list.model()->headerData(c, Qt::Horizontal, Qt::FontRole).value<QFont>().bold();
    }
};

struct ScopeClause {
    QString sql;
    QVariantList values;
};

ListDescription entrySpec()
{
    ListDescription desc;
    desc.from = QStringLiteral("entry left join person on entry.person_id=person.id where karbar<>?");
    desc.values = {QString()};
    desc.grid = {{QStringLiteral("lname"), QStringLiteral("نام خانوادگي")},
                 {QStringLiteral("karbar"), QStringLiteral("نام کاربر")},
                 {QStringLiteral("n"), QStringLiteral("تعداد")}};
    desc.exportTitles = {{QStringLiteral("id"), QStringLiteral("شناسه")},
                         {QStringLiteral("karbar"), QStringLiteral("نام کاربري")},
                         {QStringLiteral("tarikh"), QStringLiteral("تاريخ")}};
    desc.titleSort = true;
    return desc;
}

} // namespace

class TestListWindow : public QObject {
    Q_OBJECT
    TestDb db;
    QStringList opened;

    static void addEntry(const QString& karbar, const QString& tarikh, int n, const QVariant& person = {},
                         const QString& kind = QStringLiteral("الف"))
    {
        Sql::insert(QStringLiteral("entry"), {{QStringLiteral("karbar"), karbar},
                                             {QStringLiteral("tarikh"), tarikh},
                                             {QStringLiteral("n"), n},
                                             {QStringLiteral("kind"), kind},
                                             {QStringLiteral("person_id"), person}});
    }

    // 700 more entries: three dates shared by many rows (pages end inside a
    // run of equal dates), dates and numbers left empty, names repeated and
    // out of order, the first of them in Persian order only in the last rows.
    static void addLongList()
    {
        const auto first = [](int i) {
            return i >= 600 ? QStringLiteral("آ") : QStringList{"ژ", "ب", "گ"}[i % 3];
        };
        Sql::transaction([&] {
            for (int i = 0; i < 700; ++i) {
                const QVariant tarikh =
                    i % 7 == 0 ? QVariant() : QVariant(QStringLiteral("1403/04/0%1").arg(i % 3 + 1));
                Sql::insert(QStringLiteral("entry"),
                            {{QStringLiteral("karbar"), QStringLiteral("%1 کاربر %2").arg(first(i)).arg(i % 50)},
                             {QStringLiteral("tarikh"), tarikh},
                             {QStringLiteral("n"), i % 5 == 0 ? QVariant() : QVariant(i % 9)},
                             {QStringLiteral("kind"), QStringLiteral("الف")},
                             {QStringLiteral("person_id"), QVariant()}});
            }
        });
    }

    // The ids of every row of the list, read page by page as the grid would.
    static QList<qint64> listedIds(EntryWindow& w)
    {
        w.list.model()->fetchAll();
        QList<qint64> ids;
        for (int r = 0; r < w.list.model()->rowCount(); ++r)
            ids << w.list.model()->value(r, QStringLiteral("id")).toLongLong();
        return ids;
    }

    static QList<qint64> ids(const QString& sql, const QVariantList& values = {})
    {
        QList<qint64> out;
        for (const QVariantMap& row : Sql::rows(sql, values))
            out << row.value(QStringLiteral("id")).toLongLong();
        return out;
    }

private slots:
    void init()
    {
        TUVEK_OPEN_TEST_DB(db, TestDb::Empty);
        const Dialect& d = Database::current().dialect();
        const QString text = d.type(ColumnType::Text, 50);
        Sql::exec(QStringLiteral("create table person (%1, lname %2)").arg(d.identityKey(false), text));
        Sql::exec(QStringLiteral("create table entry (%1, karbar %2, tarikh %2, n %3, kind %2, person_id %3)")
                      .arg(d.identityKey(false), text, d.type(ColumnType::Int)));
        Sql::exec(QStringLiteral("create table setting (%1, component %2, cmt %2)").arg(d.identityKey(false), text));
        const qint64 p1 = Sql::insert(QStringLiteral("person"), {{QStringLiteral("lname"), QStringLiteral("گرجي")}});
        const qint64 p2 = Sql::insert(QStringLiteral("person"), {{QStringLiteral("lname"), QStringLiteral("کاظمي")}});
        addEntry(QStringLiteral("پرويز"), QStringLiteral("1403/01/01"), 10, p1);
        addEntry(QStringLiteral("بهرام"), QStringLiteral("1403/01/15"), 2, p2, QStringLiteral("ب"));
        addEntry(QStringLiteral("ژاله"), QStringLiteral("1403/01/31"), 2, p1);
        addEntry(QStringLiteral("زهره"), QStringLiteral("1403/02/01"), 7);
        addEntry(QStringLiteral("گلاره"), QStringLiteral("1402/12/29"), 1, p2);
        addEntry(QStringLiteral("کاوه"), QStringLiteral("1403/01/20"), 3);
        addEntry(QString(), QStringLiteral("1403/01/10"), 5); // never listed: no user name
        opened.clear();
        Desktop::setOpener([this](const QString& path) { opened << path; });
    }

    void cleanup()
    {
        Desktop::setOpener(nullptr);
        db.reset();
    }

    void countedSearchReadsOnlyEnabledBoxes()
    {
        EntryWindow w(entrySpec());
        QVERIFY(w.list.search());
        QCOMPARE(w.cnt->text(), QStringLiteral("6"));
        QCOMPARE(w.list.model()->rowCount(), 6);
        // A join's second id is id_1; the grid shows its three columns in order.
        QVERIFY(w.list.model()->columnNames().contains(QStringLiteral("id_1")));
        QHeaderView* header = w.grid->horizontalHeader();
        QCOMPARE(header->count() - header->hiddenSectionCount(), 3);
        QCOMPARE(header->logicalIndex(0), w.list.model()->columnOf(QStringLiteral("lname")));
        QCOMPARE(w.list.model()->headerData(header->logicalIndex(1), Qt::Horizontal).toString(),
                 QStringLiteral("نام کاربر"));
        QCOMPARE(w.list.currentRow().value(QStringLiteral("karbar")).toString(), QStringLiteral("پرويز"));

        // A date range includes both ends; the kind must match exactly.
        w.byDate->setChecked(true);
        w.dat1->setText(QStringLiteral("1403/01/01"));
        w.dat2->setText(QStringLiteral("1403/01/31"));
        QVERIFY(w.list.search());
        QCOMPARE(w.cnt->text(), QStringLiteral("4"));
        w.byKind->setChecked(true);
        w.kind->setText(QStringLiteral("ب"));
        QVERIFY(w.list.search());
        QCOMPARE(w.column(QStringLiteral("karbar")), QStringList{QStringLiteral("بهرام")});

        // Unticked filters are ignored, whatever their boxes still hold.
        w.byDate->setChecked(false);
        w.byKind->setChecked(false);
        QVERIFY(!w.dat1->isEnabled());
        QVERIFY(w.list.search());
        QCOMPARE(w.cnt->text(), QStringLiteral("6"));

        // "contains", with a quote in the text: bound, not spliced.
        w.byUser->setChecked(true);
        w.karbar->setEditText(QStringLiteral("ر'"));
        QVERIFY(w.list.search());
        QCOMPARE(w.cnt->text(), QStringLiteral("0"));
        w.karbar->setEditText(QStringLiteral("زه"));
        QVERIFY(w.list.search());
        QCOMPARE(w.column(QStringLiteral("karbar")), QStringList{QStringLiteral("زهره")});
        QCOMPARE(w.list.model()->rowCount(), w.cnt->text().toInt());
    }

    void scopeComesFirstAndIsAskedAtEachSearch()
    {
        EntryWindow w(entrySpec());
        QString own = QStringLiteral("گرجي");
        w.list.setScope([&] { return ScopeClause{QStringLiteral(" and person.lname=?"), {own}}; });
        w.byKind->setChecked(true);
        w.kind->setText(QStringLiteral("الف"));
        const Condition c = w.list.conditions();
        QCOMPARE(c.sql, QStringLiteral(" and person.lname=? and kind=?"));
        QVERIFY(w.list.search());
        QCOMPARE(w.cnt->text(), QStringLiteral("2"));
        own = QStringLiteral("کاظمي");
        QVERIFY(w.list.search());
        QCOMPARE(w.cnt->text(), QStringLiteral("1"));
    }

    // Tables with no WHERE of their own still take the scope and the filters.
    void aFromWithoutWhereTakesConditions()
    {
        ListDescription desc = entrySpec();
        desc.from = QStringLiteral("entry left join person on entry.person_id=person.id");
        desc.values.clear();
        EntryWindow w(desc);
        QVERIFY(w.list.search());
        QCOMPARE(w.cnt->text(), QStringLiteral("7"));
        w.list.setScope([] { return ScopeClause{QStringLiteral(" and karbar<>?"), {QString()}}; });
        w.byKind->setChecked(true);
        w.kind->setText(QStringLiteral("الف"));
        QVERIFY(w.list.search());
        QCOMPARE(w.cnt->text(), QStringLiteral("5"));
        sort_grid_by_title(w.grid, w.list.model()->columnOf(QStringLiteral("karbar")));
        QCOMPARE(w.list.model()->rowCount(), 5);
    }

    void aFailedSearchLeavesCountAndRows()
    {
        MsgRecorder msgs;
        ListDescription desc = entrySpec();
        EntryWindow w(desc);
        QVERIFY(w.list.search());
        Sql::exec(QStringLiteral("drop table entry"));
        QVERIFY(!w.list.search());
        QCOMPARE(msgs.texts().size(), 1);
        QCOMPARE(w.cnt->text(), QStringLiteral("6"));
        QCOMPARE(w.list.model()->rowCount(), 6);
    }

    void titleClicksSortAscendingThenDescending()
    {
        EntryWindow w(entrySpec());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.list.search());
        const QStringList persian{"بهرام", "پرويز", "زهره", "ژاله", "کاوه", "گلاره"};

        w.clickTitle(QStringLiteral("karbar"));
        QCOMPARE(w.column(QStringLiteral("karbar")), persian);
        QVERIFY(w.titleBold(QStringLiteral("karbar")));
        w.clickTitle(QStringLiteral("karbar"));
        QStringList reversed(persian.rbegin(), persian.rend());
        QCOMPARE(w.column(QStringLiteral("karbar")), reversed);
        w.clickTitle(QStringLiteral("karbar"));
        QCOMPARE(w.column(QStringLiteral("karbar")), persian);

        // Another column starts ascending; numbers by value, equal ones in server order.
        w.clickTitle(QStringLiteral("n"));
        QCOMPARE(w.column(QStringLiteral("n")), (QStringList{"1", "2", "2", "3", "7", "10"}));
        QCOMPARE(w.column(QStringLiteral("karbar")).mid(1, 2), (QStringList{"بهرام", "ژاله"}));
        QVERIFY(w.titleBold(QStringLiteral("n")));
        QVERIFY(!w.titleBold(QStringLiteral("karbar")));
        w.clickTitle(QStringLiteral("karbar"));
        QCOMPARE(w.column(QStringLiteral("karbar")), persian);

        // Empty values come first.
        w.clickTitle(QStringLiteral("lname"));
        QCOMPARE(w.column(QStringLiteral("lname")), (QStringList{"", "", "کاظمي", "کاظمي", "گرجي", "گرجي"}));

        // The current row stays on its record.
        w.grid->setCurrentIndex(w.list.model()->index(5, 0));
        const QVariant id = w.list.current(QStringLiteral("id"));
        w.clickTitle(QStringLiteral("lname"));
        QCOMPARE(w.list.current(QStringLiteral("id")), id);
        QVERIFY(w.grid->currentIndex().row() < 2);

        // A new search shows the server's order again; the bold title stays.
        QVERIFY(w.list.search());
        QVERIFY(!w.list.model()->sortState());
        QVERIFY(w.titleBold(QStringLiteral("lname")));
        w.clickTitle(QStringLiteral("lname"));
        QCOMPARE(w.column(QStringLiteral("lname")).first(), QString());
    }

    void titlesDoNotSortUnlessAsked()
    {
        ListDescription desc = entrySpec();
        desc.titleSort = false;
        EntryWindow w(desc);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.list.search());
        const QStringList before = w.column(QStringLiteral("karbar"));
        w.clickTitle(QStringLiteral("karbar"));
        QCOMPARE(w.column(QStringLiteral("karbar")), before);
    }

    void reloadRunsTheLastSearchAgain()
    {
        EntryWindow w(entrySpec());
        w.byDate->setChecked(true);
        w.dat1->setText(QStringLiteral("1403/02/01"));
        w.dat2->setText(QStringLiteral("1403/02/31"));
        QVERIFY(w.list.search());
        QCOMPARE(w.cnt->text(), QStringLiteral("1"));
        w.byDate->setChecked(false); // not searched yet: the reload keeps the last search
        addEntry(QStringLiteral("نرگس"), QStringLiteral("1403/02/10"), 4);
        QVERIFY(w.list.reload());
        QCOMPARE(w.cnt->text(), QStringLiteral("2"));
        QCOMPARE(w.list.model()->rowCount(), 2);

        w.list.clearFilters();
        QVERIFY(!w.byDate->isChecked());
        QVERIFY(w.dat1->text().isEmpty());
        QVERIFY(w.list.search());
        QCOMPARE(w.cnt->text(), QStringLiteral("7"));
    }

    void longListsAreReadAsNeededAndExportedWhole()
    {
        Sql::transaction([] {
            for (int i = 0; i < 600; ++i)
                addEntry(QStringLiteral("کاربر %1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("1403/03/01"), i);
        });
        EntryWindow w(entrySpec());
        QVERIFY(w.list.search());
        QCOMPARE(w.cnt->text(), QStringLiteral("606"));
        QVERIFY(w.list.model()->rowCount() < 606);
        QVERIFY(w.list.model()->canFetchMore());
        // Other statements, a transaction among them, while the list is half read.
        MsgRecorder msgs;
        const auto addPerson = [](const QString& lname) {
            Sql::insert(QStringLiteral("person"), {{QStringLiteral("lname"), lname}});
        };
        QVERIFY(Db::guard([&] { Sql::transaction([&] { addPerson(QStringLiteral("بعدي")); }); }));
        QVERIFY(!Db::guard([&] {
            Sql::transaction([&] {
                addPerson(QStringLiteral("x"));
                throw DbError(QStringLiteral("undone"), QString());
            });
        }));
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from person")).toInt(), 3);

        QVERIFY(w.list.exportRows());
        QCOMPARE(msgs.texts().size(), 1); // the undone transaction's, none from the list
        QCOMPARE(opened.size(), 1);
        QVERIFY(w.list.model()->rowCount() < 606); // the export did not keep the rows it wrote
        const auto sheet = Sheet::readSheet(opened[0], QStringLiteral("Sheet1"));
        QVERIFY(sheet);
        QCOMPARE(sheet->rows.size(), 607);
        QCOMPARE(sheet->cell(606, w.list.model()->columnOf(QStringLiteral("karbar"))), QStringLiteral("کاربر 599"));
    }

    // Rows that come into sight as the grid scrolls widen a column they do not
    // fit, until the user sets its width.
    void laterRowsWidenColumnsTheUserHasNotSized()
    {
        const QString wide = QStringLiteral("کاربري با نامي بلندتر از همه %1");
        Sql::transaction([&] {
            for (int i = 0; i < 600; ++i)
                addEntry(i == 300 || i == 590 ? wide.arg(i) : QStringLiteral("ک %1").arg(i), QStringLiteral("1403/03/01"), i);
        });
        EntryWindow w(entrySpec());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.list.search());
        QHeaderView* header = w.grid->horizontalHeader();
        const int c = w.list.model()->columnOf(QStringLiteral("karbar"));
        const int needed = w.grid->fontMetrics().horizontalAdvance(wide.arg(300));
        QVERIFY(header->sectionSize(c) < needed);
        w.list.model()->fetchMore();
        QVERIFY(header->sectionSize(c) < needed); // not in sight yet
        QCoreApplication::processEvents(); // the grid takes in the new rows
        w.grid->scrollTo(w.list.model()->index(306, c)); // six listed entries come before those added here
        QVERIFY(header->sectionSize(c) > needed);
        header->resizeSection(c, 80);
        w.list.model()->fetchMore();
        w.grid->scrollToBottom();
        QCOMPARE(header->sectionSize(c), 80);
    }

    // Before its first search a grid shows the titles of its columns over no
    // rows; a click on a title then sorts nothing and asks nothing.
    void titlesShowBeforeTheFirstSearch()
    {
        MsgRecorder msgs;
        EntryWindow w(entrySpec());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QStringList titles;
        for (int c = 0; c < w.list.model()->columnCount(); ++c)
            titles << w.list.model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles, (QStringList{"نام خانوادگي", "نام کاربر", "تعداد"}));
        w.clickTitle(QStringLiteral("karbar"));
        QVERIFY(msgs.requests.isEmpty());
        QCOMPARE(w.list.model()->rowCount(), 0);
    }

    // A cell whose text is cut at its column's width shows the whole text as
    // its tooltip when the mouse rests on it; a cell shown whole shows none.
    void cutCellShowsItsTextAsTooltip()
    {
        const QString whole = QStringLiteral("شرح ماموريت بازديد از دفاتر استاني و شهرستان ها");
        addEntry(whole, QStringLiteral("1403/05/01"), 1);
        EntryWindow w(entrySpec());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.list.search());
        const int c = w.list.model()->columnOf(QStringLiteral("karbar"));
        w.grid->horizontalHeader()->resizeSection(c, 120);
        const auto hover = [&](int row) { // the rows are in the order of their ids
            const QPoint at = w.grid->visualRect(w.list.model()->index(row, c)).center();
            QHelpEvent help(QEvent::ToolTip, at, w.grid->viewport()->mapToGlobal(at));
            QApplication::sendEvent(w.grid->viewport(), &help);
        };
        hover(1); // بهرام
        QVERIFY(!QToolTip::isVisible());
        hover(6);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), whole);
        QToolTip::hideText();
    }

    // A read that fails part-way through an export: no workbook is ever
    // named in the documents folder, not even for a moment (watched).
    void exportFailingPartWayNeverPutsItsWorkbookInPlace()
    {
        const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(::inotify_add_watch(watch, QFile::encodeName(Desktop::documentsFolder()).constData(),
                                    IN_CREATE | IN_MOVED_TO) >= 0);
        MsgRecorder msgs;
        QVERIFY(!export_rows_to_excel({QStringLiteral("karbar")}, {}, [](const RowWriter& write) {
            write({QStringLiteral("بهرام")});
            Sql::exec(QStringLiteral("select * from no_such_table"));
        }));
        char events[1 << 16];
        const ssize_t n = ::read(watch, events, sizeof events);
        ::close(watch);
        // No name that ends in .xlsx (the writer's own hidden names aside).
        QVERIFY(n < 0 || !QByteArray(events, n).contains(QByteArray(".xlsx\0", 6)));
    }

    void exportWritesTheRowsAsShown()
    {
        Sql::exec(QStringLiteral("update entry set karbar=? where karbar=?"),
                  {QStringLiteral("  بهرام "), QStringLiteral("بهرام")});
        EntryWindow w(entrySpec());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.list.search());
        w.clickTitle(QStringLiteral("n"));
        w.clickTitle(QStringLiteral("n")); // descending
        QVERIFY(w.list.exportRows());
        QCOMPARE(opened.size(), 1);
        // A workbook the user keeps: in the documents folder, not the private one.
        QVERIFY(opened[0].startsWith(Desktop::documentsFolder()));
        QVERIFY(opened[0].endsWith(QStringLiteral(".xlsx")));

        QString error;
        const auto sheet = Sheet::readSheet(opened[0], QStringLiteral("Sheet1"), &error);
        QVERIFY2(sheet, qPrintable(error));
        const QStringList names = w.list.model()->columnNames();
        QStringList titles;
        for (const QString& n : names)
            titles << (n == QLatin1String("id")       ? QStringLiteral("شناسه")
                       : n == QLatin1String("karbar") ? QStringLiteral("نام کاربري")
                       : n == QLatin1String("tarikh") ? QStringLiteral("تاريخ")
                                                      : n); // no caption: the column's name
        QCOMPARE(sheet->rows[0], titles);
        QCOMPARE(sheet->rows.size(), 7);
        const int n = int(names.indexOf(QStringLiteral("n")));
        const int karbar = int(names.indexOf(QStringLiteral("karbar")));
        QCOMPARE(sheet->cell(1, n), QStringLiteral("10"));
        QCOMPARE(sheet->cell(6, n), QStringLiteral("1"));
        QStringList twos{sheet->cell(4, karbar), sheet->cell(5, karbar)}; // in the server's order
        twos.sort();
        QCOMPARE(twos, (QStringList{"بهرام", "ژاله"})); // trimmed
        QCOMPARE(sheet->cell(2, karbar), QStringLiteral("زهره"));
        QCOMPARE(sheet->cell(2, names.indexOf(QStringLiteral("id_1"))), QString()); // NULL: empty

        // An empty list: the title row alone.
        w.byUser->setChecked(true);
        w.karbar->setEditText(QStringLiteral("هيچکس"));
        QVERIFY(w.list.search());
        QVERIFY(w.list.exportRows());
        const auto empty = Sheet::readSheet(opened.last(), QStringLiteral("Sheet1"));
        QVERIFY(empty);
        QCOMPARE(empty->rows, QList<QStringList>{titles});
    }

    void pagesReadEveryRowOnceInOrder_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("orderBy");
        QTest::addColumn<QString>("key");
        const QString joined = QStringLiteral("entry left join person on entry.person_id=person.id where karbar<>?");
        const QString id = QStringLiteral("entry.id");
        QTest::newRow("newest date first") << joined << QStringLiteral("tarikh desc") << id;
        QTest::newRow("oldest date first") << joined << QStringLiteral("entry.tarikh asc") << id;
        QTest::newRow("number, then date") << joined << QStringLiteral("n desc, tarikh") << id;
        QTest::newRow("by id, newest first") << joined << QStringLiteral("entry.id desc") << id;
        QTest::newRow("the server's order") << joined << QString() << id;
        QTest::newRow("tables without a where") << QStringLiteral("entry") << QStringLiteral("tarikh desc") << id;
        QTest::newRow("tables by other names")
            << QStringLiteral("entry e left join person p on e.person_id=p.id where karbar<>?")
            << QStringLiteral("e.tarikh desc") << QStringLiteral("e.id");
    }

    void pagesReadEveryRowOnceInOrder()
    {
        QFETCH(QString, from);
        QFETCH(QString, orderBy);
        QFETCH(QString, key);
        addLongList();
        ListDescription desc = entrySpec();
        desc.from = from;
        desc.values = from.contains(QLatin1Char('?')) ? QVariantList{QString()} : QVariantList{};
        desc.orderBy = orderBy;
        if (key.startsWith(QLatin1String("e.")))
            desc.key = key;
        EntryWindow w(desc);
        QVERIFY(w.list.search());
        QVERIFY(w.list.model()->rowCount() < 700); // the first page only

        const QString order = orderBy.isEmpty() ? key : orderBy + QStringLiteral(", ") + key;
        const QList<qint64> expected =
            ids(QStringLiteral("select %1 as id from %2 order by %3").arg(key, from, order), desc.values);
        QCOMPARE(w.cnt->text().toInt(), expected.size());
        QCOMPARE(listedIds(w), expected);
        QVERIFY(!w.list.model()->canFetchMore());
    }

    void timesKeepTheirFractionsAcrossPages()
    {
        // Server times a few microseconds apart, many in one millisecond, some equal.
        const Dialect& d = Database::current().dialect();
        Sql::exec(QStringLiteral("create table stamped (%1, saat_sys %2)")
                      .arg(d.identityKey(false), d.type(ColumnType::DateTime)));
        Sql::transaction([] {
            for (int i = 0; i < 600; ++i)
                Sql::insert(QStringLiteral("stamped"),
                            {{QStringLiteral("saat_sys"), QStringLiteral("2024-03-20 08:00:0%1.%2")
                                                              .arg(i % 3)
                                                              .arg(123000 + (i * 7) % 40, 6, 10, QLatin1Char('0'))}});
        });
        ListDescription desc;
        desc.from = QStringLiteral("stamped");
        desc.orderBy = QStringLiteral("saat_sys desc");
        EntryWindow w(desc);
        QVERIFY(w.list.search());
        QCOMPARE(listedIds(w), ids(QStringLiteral("select id from stamped order by saat_sys desc, id")));
    }

    void othersChangingTheListWhileItIsRead()
    {
        addLongList();
        ListDescription desc = entrySpec();
        desc.orderBy = QStringLiteral("tarikh desc");
        EntryWindow w(desc);
        QVERIFY(w.list.search());
        const QString count = w.cnt->text();
        const QString order = QStringLiteral("select entry.id from entry where karbar<>? order by tarikh desc, id");
        const QList<qint64> before = ids(order, {QString()});
        const int read = w.list.model()->rowCount();
        const qint64 lastRead = w.list.model()->value(read - 1, QStringLiteral("id")).toLongLong();
        const qint64 notYetRead = before[read + 10];

        // Another workstation adds a row before the rows read and one after
        // them, and deletes the last row read and one not yet read.
        Database other(QStringLiteral("other"));
        QVERIFY(other.open(db.options()));
        const auto add = [&](const QString& tarikh) {
            return Sql::insert(other, QStringLiteral("entry"), {{QStringLiteral("karbar"), QStringLiteral("ديگري")},
                                                                {QStringLiteral("tarikh"), tarikh}});
        };
        const qint64 newest = add(QStringLiteral("1404/01/01"));
        const qint64 oldest = add(QStringLiteral("1300/01/01"));
        Sql::exec(other, QStringLiteral("delete from entry where id=? or id=?"), {lastRead, notYetRead});
        other.close();

        // The rows read stay as they were; after them comes every row that is
        // now after the last one read, once and in order: the row added there
        // among them, the deleted one not.
        QList<qint64> expected = before.mid(0, read);
        for (const qint64 id : ids(order, {QString()}))
            if (!expected.contains(id) && id != newest)
                expected << id;
        QVERIFY(expected.contains(oldest));
        QVERIFY(!expected.contains(notYetRead));
        QCOMPARE(listedIds(w), expected);
        QCOMPARE(w.cnt->text(), count); // the count is the search's
    }

    void titleSortCoversTheWholeList()
    {
        addLongList();
        EntryWindow w(entrySpec());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.list.search());
        QVERIFY(w.list.model()->rowCount() < 706);

        // The whole list in Persian order, equal names in the server's order (by id).
        struct Entry {
            QString karbar;
            qint64 id;
        };
        QList<Entry> all;
        const QString server = QStringLiteral("select karbar, id from entry where karbar<>? order by id");
        for (const QVariantMap& row : Sql::rows(server, {QString()}))
            all.append({row.value(QStringLiteral("karbar")).toString(), row.value(QStringLiteral("id")).toLongLong()});
        QList<Entry> ascending = all;
        const auto persian = [](const Entry& a, const Entry& b) { return PersianCollation::compare(a.karbar, b.karbar); };
        std::stable_sort(ascending.begin(), ascending.end(), [&](auto& a, auto& b) { return persian(a, b) < 0; });
        QList<Entry> descending = all;
        std::stable_sort(descending.begin(), descending.end(), [&](auto& a, auto& b) { return persian(a, b) > 0; });
        const auto idsOf = [](const QList<Entry>& entries) {
            QList<qint64> out;
            for (const Entry& e : entries)
                out << e.id;
            return out;
        };
        // The first name in Persian order is not among the first rows read in the server's order.
        QVERIFY(!w.column(QStringLiteral("karbar")).contains(ascending.first().karbar));

        w.clickTitle(QStringLiteral("karbar"));
        QCOMPARE(w.list.model()->value(0, QStringLiteral("karbar")).toString(), ascending.first().karbar);
        QVERIFY(w.list.model()->rowCount() < 706);
        QCOMPARE(listedIds(w), idsOf(ascending));
        w.clickTitle(QStringLiteral("karbar"));
        QCOMPARE(listedIds(w), idsOf(descending));
        w.clickTitle(QStringLiteral("karbar"));
        QCOMPARE(listedIds(w), idsOf(ascending));

        // Numbers by value across pages, empty ones first, then last.
        const auto numbers = [&] {
            w.list.model()->fetchAll();
            QList<int> out;
            for (int r = 0; r < w.list.model()->rowCount(); ++r) {
                const QVariant n = w.list.model()->value(r, QStringLiteral("n"));
                out << (n.isNull() ? -1 : n.toInt());
            }
            return out;
        };
        w.clickTitle(QStringLiteral("n"));
        QList<int> n = numbers();
        QCOMPARE(n.size(), 706);
        QVERIFY(std::is_sorted(n.begin(), n.end()));
        QCOMPARE(n.first(), -1);
        w.clickTitle(QStringLiteral("n"));
        n = numbers();
        QVERIFY(std::is_sorted(n.rbegin(), n.rend()));
        QCOMPARE(n.last(), -1);

        // The export writes every row in the order shown, read again from the
        // database, not only the rows the grid holds.
        w.clickTitle(QStringLiteral("karbar"));
        QVERIFY(w.list.search());
        w.clickTitle(QStringLiteral("karbar"));
        w.clickTitle(QStringLiteral("karbar")); // descending
        QVERIFY(w.list.model()->rowCount() < 706);
        QVERIFY(w.list.exportRows());
        const auto sheet = Sheet::readSheet(opened.last(), QStringLiteral("Sheet1"));
        QVERIFY(sheet);
        QCOMPARE(sheet->rows.size(), 707);
        const int id = int(w.list.model()->columnOf(QStringLiteral("id")));
        QList<qint64> exported;
        for (int r = 1; r < sheet->rows.size(); ++r)
            exported << sheet->cell(r, id).toLongLong();
        QCOMPARE(exported, idsOf(descending));
    }

    void aBrokenReadKeepsTheRowsRead()
    {
        addLongList();
        EntryWindow w(entrySpec());
        QVERIFY(w.list.search());
        const int read = w.list.model()->rowCount();
        const QStringList shown = w.column(QStringLiteral("karbar"));
        MsgRecorder msgs;
        Sql::exec(QStringLiteral("drop table entry"));

        w.list.model()->fetchMore();
        QCOMPARE(msgs.texts(), QStringList{DbText::Refused});
        QCOMPARE(w.list.model()->rowCount(), read);
        QVERIFY(!w.list.model()->canFetchMore());

        sort_grid_by_title(w.grid, w.list.model()->columnOf(QStringLiteral("karbar")));
        QCOMPARE(msgs.texts().size(), 2);
        QCOMPARE(w.column(QStringLiteral("karbar")), shown);
        QVERIFY(!w.list.model()->sortState());

        const QDir folder(Desktop::privateTempFolder());
        const QStringList files = folder.entryList(QDir::Files);
        QVERIFY(!w.list.exportRows());
        QCOMPARE(msgs.texts().size(), 3);
        QVERIFY(opened.isEmpty());
        QCOMPARE(folder.entryList(QDir::Files), files); // no workbook left behind
    }

    void fillsKeepTypedTextAndShowErrors()
    {
        for (const char* item : {"گيلان", "تهران", "بوشهر", "پيرانشهر"})
            Sql::insert(QStringLiteral("setting"), {{QStringLiteral("component"), QStringLiteral("استان")},
                                                   {QStringLiteral("cmt"), QString::fromUtf8(item)}});
        QComboBox list;
        list.setEditable(true);
        list.setEditText(QStringLiteral("تايپ شده"));
        fill_combo_from_setting(&list, QStringLiteral("استان"));
        QStringList items;
        for (int i = 0; i < list.count(); ++i)
            items << list.itemText(i);
        QCOMPARE(items, (QStringList{"بوشهر", "پيرانشهر", "تهران", "گيلان"}));
        QCOMPARE(list.currentText(), QStringLiteral("تايپ شده"));

        fill_combo_from_setting(&list, QStringLiteral("بي نام"));
        QCOMPARE(list.count(), 0);
        QCOMPARE(list.currentText(), QStringLiteral("تايپ شده"));

        // Two lists from one run, in the statement's order.
        QComboBox a, b;
        b.addItem(QStringLiteral("کهنه"));
        fill_list_from_query({&a, &b}, QStringLiteral("select karbar from entry where n>? order by n"), {5},
                             QStringLiteral("karbar"));
        QCOMPARE(a.count(), 2);
        QCOMPARE(b.itemText(0), QStringLiteral("زهره"));
        QCOMPARE(b.itemText(1), QStringLiteral("پرويز"));

        MsgRecorder msgs;
        fill_list_from_query({&b}, QStringLiteral("select karbar from missing"), {}, QStringLiteral("karbar"));
        QCOMPARE(msgs.texts().size(), 1);
        QCOMPARE(b.count(), 2);
    }
};

QTEST_MAIN(TestListWindow)
#include "test_list_window.moc"
