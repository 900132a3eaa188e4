// The log viewer as a person uses it: open it from the main menu, tick the
// filters, type, search, export; then what the grid, the count and the
// workbook show.

#include "core/list_window.h"
#include "core/log_viewer.h"
#include "core/schema.h"
#include "core/shamsi_date.h"
#include "core/texts.h"
#include "platform/sheet/workbook_reader.h"
#include "platform/ui/desktop.h"
#include "platform/ui/text_input.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "ui_log.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHeaderView>
#include <QScopeGuard>
#include <QTableView>

using namespace AdminPages;

class TestLogViewer : public QObject {
    Q_OBJECT

    TestDb m_db;
    Tmain* main = nullptr;
    Tlog* viewer = nullptr;

    static void addLog(const QVariant& karbar, const QString& tarikh, const QDateTime& saatSys,
                       const QString& cmt = QStringLiteral(" ورود موفق "), const QString& computer = QStringLiteral("PC-1"),
                       const QString& ip = QStringLiteral("10.0.0.1"))
    {
        Sql::insert(QStringLiteral("log"), {{QStringLiteral("karbar"), karbar},
                                            {QStringLiteral("ip"), ip},
                                            {QStringLiteral("computer_name"), computer},
                                            {QStringLiteral("saat"), saatSys.time().toString(QStringLiteral("hh:mm:ss"))},
                                            {QStringLiteral("tarikh"), tarikh},
                                            {QStringLiteral("cmt"), cmt},
                                            {QStringLiteral("saat_sys"), saatSys}});
    }

    static QDateTime at(int day, int hour = 9) { return QDateTime(QDate(2024, 3, 1).addDays(day), QTime(hour, 0)); }

    QStringList shown(const QString& column) const
    {
        const ListModel* rows = viewer->list()->model();
        QStringList out;
        for (int r = 0; r < rows->rowCount(); ++r)
            out << rows->value(r, column).toString();
        return out;
    }

    // Runs the steps in the open viewer, opened by a user with the view right.
    void inViewer(const std::function<void()>& steps)
    {
        becomeUser(QStringLiteral("keshvar"), QStringLiteral("log"), {0, 0, 0, 1});
        QVERIFY(openPage(main, QStringLiteral("N7"), viewer, steps));
    }

    static void filterOn(QCheckBox* check, QLineEdit* box, const QString& text)
    {
        check->click();
        QVERIFY(box->isEnabled());
        box->setText(text);
    }

private slots:
    void initTestCase() { QVERIFY(startProgram(main, viewer, QStringLiteral("log"))); }

    void init() { TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed); }
    void cleanup() { m_db.reset(); }

    void opening()
    {
        MsgRecorder msgs;
        becomeUser(QStringLiteral("single"));
        QVERIFY(!openPage(main, QStringLiteral("N7"), viewer));
        becomeUser(QStringLiteral("city"), QStringLiteral("log"), {1, 1, 1, 0});
        QVERIFY(!openPage(main, QStringLiteral("N7"), viewer));
        QCOMPARE(msgs.texts(), QStringList(2, CoreText::NoPageAccess));

        addLog(QStringLiteral("admin"), QStringLiteral("1403/05/09"), at(1));
        shamsi_today.Init(QDate(2024, 7, 30));
        viewer->ui->cmt->setText(QStringLiteral("قبلي"));
        viewer->ui->ip->setText(QStringLiteral("1.2"));
        inViewer([&] {
            // Both dates are the program's today; the boxes are empty; nothing was searched.
            QCOMPARE(viewer->ui->dat1->text(), QStringLiteral("1403/05/09"));
            QCOMPARE(viewer->ui->dat2->text(), QStringLiteral("1403/05/09"));
            QVERIFY(viewer->ui->cmt->text().isEmpty());
            QVERIFY(viewer->ui->ip->text().isEmpty());
            QVERIFY(viewer->ui->karbar->currentText().isEmpty());
            QCOMPARE(viewer->list()->model()->rowCount(), 0);
            // Every filter box starts disabled; the user list holds the user names.
            for (QWidget* box : {static_cast<QWidget*>(viewer->ui->karbar), static_cast<QWidget*>(viewer->ui->dat1),
                                 static_cast<QWidget*>(viewer->ui->cmt), static_cast<QWidget*>(viewer->ui->computer_name),
                                 static_cast<QWidget*>(viewer->ui->ip)})
                QVERIFY(!box->isEnabled());
            QVERIFY(viewer->ui->karbar->findText(QStringLiteral("admin")) >= 0);
            QVERIFY(viewer->ui->karbar->findText(QStringLiteral("ukeshvar")) >= 0);
        });
    }

    void searchWithoutFilters()
    {
        addLog(QStringLiteral("0012345678"), QStringLiteral("1403/01/02"), at(2));
        addLog(QString(), QStringLiteral("1403/01/03"), at(3));  // no user: never shown
        addLog(QVariant(), QStringLiteral("1403/01/04"), at(4)); // NULL user: never shown
        addLog(QStringLiteral("admin"), QStringLiteral("1403/01/05"), at(5));
        addLog(QStringLiteral("admin"), QStringLiteral("1403/01/01"), at(1));
        inViewer([&] {
            viewer->ui->BitBtn1->click();
            QCOMPARE(viewer->ui->cnt->text(), QStringLiteral("3"));
            QCOMPARE(shown(QStringLiteral("tarikh")),
                     (QStringList{QStringLiteral("1403/01/05"), QStringLiteral("1403/01/02"), QStringLiteral("1403/01/01")}));
        });
    }

    void filters()
    {
        const QStringList days{"1402/12/29", "1403/01/01", "1403/01/15", "1403/01/31", "1403/02/01"};
        for (int i = 0; i < days.size(); ++i)
            addLog(QStringLiteral("0012345678"), days[i], at(i), QStringLiteral(" حذف وام %1").arg(i),
                   QStringLiteral("PC-%1").arg(i % 2), QStringLiteral("192.168.0.%1").arg(i));
        addLog(QStringLiteral("admin"), days[2], at(9), QStringLiteral(" حذف وام "), QStringLiteral("PC-0"));
        inViewer([&] {
            // A month, both end days included.
            filterOn(viewer->ui->CheckBox2, viewer->ui->dat1, QStringLiteral("1403/01/01"));
            viewer->ui->dat2->setText(QStringLiteral("1403/01/31"));
            viewer->ui->BitBtn1->click();
            QCOMPARE(viewer->ui->cnt->text(), QStringLiteral("4"));
            QCOMPARE(shown(QStringLiteral("tarikh")),
                     (QStringList{"1403/01/15", "1403/01/31", "1403/01/15", "1403/01/01"}));

            // Every box ticked adds its condition; parts of texts are found.
            viewer->ui->CheckBox1->click();
            viewer->ui->karbar->setCurrentText(QStringLiteral("2345"));
            filterOn(viewer->ui->CheckBox3, viewer->ui->computer_name, QStringLiteral("pc-0"));
            filterOn(viewer->ui->CheckBox4, viewer->ui->cmt, QStringLiteral("وام 2"));
            filterOn(viewer->ui->CheckBox5, viewer->ui->ip, QStringLiteral(".0.2"));
            viewer->ui->BitBtn1->click();
            QCOMPARE(viewer->ui->cnt->text(), QStringLiteral("1"));
            QCOMPARE(shown(QStringLiteral("cmt")), QStringList{QStringLiteral(" حذف وام 2")});

            // An unticked box counts no more, whatever it holds.
            viewer->ui->CheckBox4->click();
            viewer->ui->CheckBox5->click();
            viewer->ui->BitBtn1->click();
            QCOMPARE(shown(QStringLiteral("tarikh")), (QStringList{"1403/01/15"}));
            for (QCheckBox* check : {viewer->ui->CheckBox1, viewer->ui->CheckBox2, viewer->ui->CheckBox3})
                check->click();
        });
    }

    // Dates and codes typed with Persian or Arabic-Indic digits, and either
    // kaf, find what the Latin digits and the stored letters find.
    void typedTextInItsStoredForm()
    {
        addLog(QStringLiteral("0012345678"), QStringLiteral("1405/09/01"), at(1), QStringLiteral("حذف كارت"));
        addLog(QStringLiteral("0012345678"), QStringLiteral("1405/09/02"), at(2), QStringLiteral("ثبت کارت"));
        addLog(QStringLiteral("admin"), QStringLiteral("1405/09/03"), at(3), QStringLiteral("ورود"));
        auto typeKeys = [](QWidget* box, const QString& keys) {
            box->setFocus();
            for (const QChar c : keys)
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        };
        inViewer([&] {
            viewer->ui->CheckBox2->click();
            viewer->ui->dat1->clear();
            viewer->ui->dat2->clear();
            typeKeys(viewer->ui->dat1, QStringLiteral("۱۴۰۵۰۹۰۱"));
            typeKeys(viewer->ui->dat2, QStringLiteral("١٤٠٥٠٩٠٢"));
            viewer->ui->CheckBox1->click();
            typeKeys(viewer->ui->karbar, QStringLiteral("۰۰۱۲"));
            viewer->ui->BitBtn1->click();
            QCOMPARE(viewer->ui->cnt->text(), QStringLiteral("2"));
            viewer->ui->CheckBox1->click();
            viewer->ui->CheckBox2->click();
            // Either kaf typed finds both.
            for (const QString& typed : {QStringLiteral("كارت"), QStringLiteral("کارت")}) {
                viewer->ui->CheckBox4->click();
                viewer->ui->cmt->setText(typed);
                viewer->ui->BitBtn1->click();
                QCOMPARE(viewer->ui->cnt->text(), QStringLiteral("2"));
                viewer->ui->CheckBox4->click();
            }
        });
    }

    // The contains searches of the user and the action go through their own
    // index where the database has one, and find exactly the rows the plain
    // search finds: either kaf, digits typed in any script, Latin letters of
    // either case, texts too short for the index, and rows changed or deleted
    // after the index was made.
    void containsThroughTheIndexFindsThePlainRows()
    {
        QVERIFY(Schema::ensureContainsIndexes());
        const QStringList actions{" حذف درخواست ژاله ", " ثبت كارت ژاله ", " ثبت کارت 0017 ", " ABC ثبت ", " abx "};
        for (int i = 0; i < actions.size(); ++i)
            addLog(QStringLiteral("000100001%1").arg(i), QStringLiteral("1403/01/0%1").arg(i + 1), at(i), actions[i]);
        const QStringList typed{"ژاله", "كارت", "کارت", "۰۰۱۷", "0017", "abc",   "AB",
                                "ab",   "ت ژ",  "ژاله ", "x%",   "ت ك.ر", "ثبت ك%0017"};
        // What a search means: the text, its wildcards as LIKE reads them, either kaf for a kaf.
        auto plainCount = [](const QString& column, const QString& text) {
            const QChar kaf(TextInput::ArabicKaf), keheh(TextInput::Keheh);
            const QString plain = Database::current().dialect().likeInsensitive(QStringLiteral("replace(%1, ?, ?)").arg(column));
            return Sql::scalar(QStringLiteral("select count(*) from log where karbar<>? and ") + plain,
                               {QString(), QString(kaf), QString(keheh),
                                QStringLiteral("%%1%").arg(QString(text).replace(kaf, keheh))})
                .toString();
        };
        auto compareAll = [&] {
            struct Filter {
                QCheckBox* check;
                QWidget* box;
                const char* column;
            };
            for (const QString& text : typed)
                for (const Filter& f : {Filter{viewer->ui->CheckBox1, viewer->ui->karbar, "karbar"},
                                        Filter{viewer->ui->CheckBox4, viewer->ui->cmt, "cmt"}}) {
                    auto [check, box, column] = f;
                    check->setChecked(true);
                    if (auto* combo = qobject_cast<QComboBox*>(box))
                        combo->setCurrentText(text);
                    else
                        qobject_cast<QLineEdit*>(box)->setText(text);
                    viewer->ui->BitBtn1->click();
                    const QString stored = TextInput::boxText(box);
                    QVERIFY2(viewer->ui->cnt->text() == plainCount(QLatin1String(column), stored), qPrintable(text));
                    check->setChecked(false);
                }
        };
        // The users are searched among their few values; the embedded database
        // searches the longer texts through its index, those with a kaf by the
        // letters between their kafs.
        QVERIFY(ListWindow::containsCondition("karbar", "ab", "log").sql.contains(QLatin1String("recursive")));
        if (Database::current().backend() == Backend::PostgreSQL) {
            QVERIFY(ListWindow::containsCondition("cmt", "ژاله", "log").sql.contains(QLatin1String("ix_log_cmt_texts")));
            QVERIFY(ListWindow::containsCondition("cmt", "كارت", "log").sql.contains(QLatin1String("ix_log_cmt_texts")));
        } else {
            QVERIFY(ListWindow::containsCondition("cmt", "ژاله", "log").sql.contains(QLatin1String("match")));
            QVERIFY(ListWindow::containsCondition("cmt", "كارت", "log").sql.contains(QLatin1String("match")));
            QVERIFY(!ListWindow::containsCondition("cmt", "ab", "log").sql.contains(QLatin1String("match")));
        }
        inViewer([&] {
            compareAll();
            Sql::exec(QStringLiteral("update log set cmt=? where karbar=?"), {" abc ژاله ", "0001000014"});
            Sql::exec(QStringLiteral("delete from log where karbar=?"), {"0001000010"});
            compareAll();
        });
    }

    // Every cell in the direction of its own text; no column cut while the
    // grid has room, the last one taking what is left.
    void gridCells()
    {
        const QString phone = QStringLiteral("+98 912 345 6789");
        const QString action = QStringLiteral(" حذف وام شماره ۱۲ از فهرست درخواست هاي تاييد شده استان و شهرستان");
        addLog(QStringLiteral("0012345678"), QStringLiteral("1403/01/02"), at(2), action, phone);
        inViewer([&] {
            viewer->ui->BitBtn1->click();
            QTableView* grid = viewer->ui->DBGrid1;
            const ListModel* rows = viewer->list()->model();
            // The delegate's own (protected, virtual) initStyleOption, called
            // on the delegate as it is, through a pointer to the member.
            struct Cells : GridCells {
                static auto init() { return &Cells::initStyleOption; }
            };
            auto* cells = dynamic_cast<GridCells*>(grid->itemDelegate());
            QVERIFY(cells);
            auto option = [&](const QString& column) {
                QStyleOptionViewItem o;
                o.initFrom(grid);
                (cells->*Cells::init())(&o, rows->index(0, rows->columnOf(column)));
                return o;
            };
            QCOMPARE(option(QStringLiteral("computer_name")).direction, Qt::LeftToRight);
            QCOMPARE(option(QStringLiteral("cmt")).direction, Qt::RightToLeft);
            QCOMPARE(option(QStringLiteral("tarikh")).direction, Qt::LeftToRight);

            QHeaderView* header = grid->horizontalHeader();
            const QFontMetrics metrics(grid->font());
            for (const QString column : {QStringLiteral("cmt"), QStringLiteral("computer_name"), QStringLiteral("karbar")}) {
                const int c = rows->columnOf(column);
                const int text = metrics.horizontalAdvance(rows->value(0, column).toString());
                QVERIFY2(header->sectionSize(c) > std::min(text, ListWindow::WidestColumn - 1), qPrintable(column));
                QVERIFY(header->sectionSize(c) >= header->sectionSizeHint(c));
            }
            int total = 0;
            for (int c = 0; c < header->count(); ++c)
                total += header->isSectionHidden(c) ? 0 : header->sectionSize(c);
            QVERIFY(total >= grid->viewport()->width());
        });
    }

    void exportOfTheSearch()
    {
        addLog(QStringLiteral("admin"), QStringLiteral("1403/01/01"), at(1), QStringLiteral(" ورود موفق به نرم افزار "));
        addLog(QStringLiteral("0012345678"), QStringLiteral("1403/01/02"), at(2), QStringLiteral("حذف 'وام'"));
        QString opened;
        Desktop::setOpener([&](const QString& path) { opened = path; });
        inViewer([&] {
            viewer->ui->BitBtn1->click();
            viewer->ui->SpeedButton1->click();
        });
        Desktop::setOpener(nullptr);
        QVERIFY(!opened.isEmpty());
        // The user keeps the workbook: it is in the documents folder, named
        // after the list and the day, not in the folder emptied at exit.
        QCOMPARE(QFileInfo(opened).absolutePath(), QFileInfo(Desktop::documentsFolder()).absoluteFilePath());
        QVERIFY(!opened.startsWith(Desktop::privateTempFolder()));
        QCOMPARE(QFileInfo(opened).fileName(),
                 viewer->windowTitle() + QLatin1Char(' ') + Shamsi::fromDate(QDate::currentDate()).replace(QLatin1Char('/'), QLatin1Char('-')) +
                     QStringLiteral(".xlsx"));
        auto removeAfter = qScopeGuard([&] { QFile::remove(opened); });
        QString error;
        const auto sheet = Sheet::readSheet(opened, QStringLiteral("Sheet1"), &error);
        QVERIFY2(sheet, qPrintable(error));
        QCOMPARE(sheet->rows.value(0), (QStringList{CoreText::LogExportId, CoreText::LogExportKarbar, CoreText::LogExportIp,
                                                    CoreText::LogTitleComputer, CoreText::LogTitleSaat,
                                                    CoreText::LogTitleTarikh, CoreText::LogTitleCmt,
                                                    CoreText::LogExportSaatSys}));
        QCOMPARE(sheet->rows.size(), 3);
        QCOMPARE(sheet->cell(1, 1), QStringLiteral("0012345678"));
        QCOMPARE(sheet->cell(1, 6), QStringLiteral("حذف 'وام'"));
        QCOMPARE(sheet->cell(2, 6), QStringLiteral("ورود موفق به نرم افزار")); // values are trimmed
        QVERIFY(sheet->cell(2, 7).startsWith(QStringLiteral("2024-03-02")));
    }
};

QTEST_MAIN(TestLogViewer)
#include "test_log_viewer.moc"
