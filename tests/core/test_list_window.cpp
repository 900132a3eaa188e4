// The list window on a real database (SQLite and PostgreSQL): the counted
// search with its filters and scope, sorting by a clicked title, reloading,
// the export read back from the workbook, and the list fills.

#include "core/list_window.h"
#include "platform/db/sql.h"
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
#include <QVBoxLayout>
#include <QtTest>

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

    explicit EntryWindow(ListSpec spec) : list(std::move(spec), grid, cnt, this)
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

ListSpec entrySpec()
{
    ListSpec spec;
    spec.from = QStringLiteral("entry left join person on entry.person_id=person.id where karbar<>?");
    spec.values = {QString()};
    spec.grid = {{QStringLiteral("lname"), QStringLiteral("نام خانوادگي")},
                 {QStringLiteral("karbar"), QStringLiteral("نام کاربر")},
                 {QStringLiteral("n"), QStringLiteral("تعداد")}};
    spec.exportTitles = {{QStringLiteral("id"), QStringLiteral("شناسه")},
                         {QStringLiteral("karbar"), QStringLiteral("نام کاربري")},
                         {QStringLiteral("tarikh"), QStringLiteral("تاريخ")}};
    spec.titleSort = true;
    return spec;
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

    void aFailedSearchLeavesCountAndRows()
    {
        MsgRecorder msgs;
        ListSpec spec = entrySpec();
        EntryWindow w(spec);
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
        ListSpec spec = entrySpec();
        spec.titleSort = false;
        EntryWindow w(spec);
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
        QCOMPARE(w.list.model()->rowCount(), 606);
        const auto sheet = Sheet::readSheet(opened[0], QStringLiteral("Sheet1"));
        QVERIFY(sheet);
        QCOMPARE(sheet->rows.size(), 607);
        QCOMPARE(sheet->cell(606, w.list.model()->columnOf(QStringLiteral("karbar"))), QStringLiteral("کاربر 599"));
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
        QVERIFY(opened[0].startsWith(Desktop::privateTempFolder()));
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
