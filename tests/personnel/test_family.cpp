// A person's family, insurance lists and documents as the office's clerk
// uses them: dependants added, the family switched into the insurance, the
// insurer's list exported, the request letter and the card-charge list
// printed, a document attached and opened; then the faults these commands
// must not have.

#include "platform/db/texts.h"
#include "core/list_window.h"
#include "core/main_window.h"
#include "core/texts.h"
#include "personnel/insurance.h"
#include "personnel/khanevade.h"
#include "personnel/mostanadat.h"
#include "personnel/personel_pic.h"
#include "personnel/personel_src.h"
#include "personnel/takafol.h"
#include "personnel/texts.h"
#include "platform/db/sql.h"
#include "platform/db/texts.h"
#include "platform/report/report.h"
#include "platform/sheet/workbook_reader.h"
#include "platform/ui/desktop.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_khanevade.h"
#include "ui_mostanadat.h"
#include "ui_personel_pic.h"
#include "ui_personel_src.h"
#include "ui_takafol.h"

#include <QProcess>
#include <QStandardItemModel>
#include <QtTest>

using namespace AdminPages;
using namespace WindowSteps;
using namespace Qt::StringLiterals;
using PersonnelText::InsuranceNo;
using PersonnelText::InsuranceYes;

class TestFamily : public QObject {
    Q_OBJECT

    TestDb m_db;
    QTemporaryDir m_files;
    Tmain* main = nullptr;
    Tpersonel_src* list = nullptr;
    QStringList opened;  // files handed to the desktop
    QStringList printed; // the text of each report previewed, as pdftotext reads it

    template <class T> static T* window(const char* name) { return win<T>(QLatin1String(name)); }
    static int count(const QString& sql, const QVariantList& values = {}) { return Sql::scalar(sql, values).toInt(); }

    static qint64 person(const QString& lname, const QString& nation, const QString& bime = InsuranceNo,
                         const QString& company = u"الف"_s)
    {
        return Sql::insert(u"personel"_s, {{u"lname"_s, lname}, {u"fname"_s, u"علي"_s}, {u"father"_s, u"حسن"_s},
                                           {u"nation"_s, nation}, {u"bime"_s, bime}, {u"company"_s, company},
                                           {u"bime_no"_s, u"B-77"_s}, {u"pec"_s, u"6221061234567890"_s},
                                           {u"birthday"_s, u"1360/02/03"_s}});
    }
    static qint64 dependant(qint64 head, const QString& lname, const QString& nation, const QString& bime)
    {
        return Sql::insert(u"takafol"_s, {{u"personel_id"_s, head}, {u"lname"_s, lname}, {u"fname"_s, u"سارا"_s},
                                          {u"nation"_s, nation}, {u"bime"_s, bime}, {u"nesbat"_s, u"فرزند"_s}});
    }
    static FamilyHead head(qint64 id)
    {
        return FamilyHead::fromRow(Sql::row(u"select * from personel where id=?"_s, {id}));
    }
    QString file(const QString& name, const QByteArray& bytes)
    {
        QFile f(m_files.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(name));
        return f.fileName();
    }
    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The national codes of an insurer's list, in its order.
    static QStringList codes(const QList<QVariantList>& rows)
    {
        QStringList out;
        for (const QVariantList& r : rows)
            out << r[Insurance::insurerColumns().indexOf(u"nation"_s)].toString();
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        QVERIFY(startProgram(main, list, u"personel_src"_s));
        Desktop::setOpener([this](const QString& path) { opened << path; });
        Report::setPreviewHandler([this](Report& report) {
            const QString pdf = m_files.filePath(u"report%1.pdf"_s.arg(printed.size()));
            QVERIFY(report.savePdf(pdf));
            QProcess p;
            p.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
            QVERIFY(p.waitForFinished());
            printed << QString::fromUtf8(p.readAllStandardOutput());
        });
    }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        const qint64 clerk = becomeUser(u"admin"_s, u"personel"_s, {1, 1, 1, 1});
        grantRights(clerk, u"takafol"_s, {1, 1, 1, 1});
        grantRights(clerk, u"e_pers"_s, {1, 1, 1, 1});
        main->setServerDate(u"1402/05/01"_s);
        opened.clear();
        printed.clear();
    }

    void cleanup()
    {
        list->close();
        m_db.reset();
    }

    void scenario()
    {
        MsgRecorder msgs;
        Sql::insert(u"setting"_s, {{u"component"_s, PersonnelText::RelationList}, {u"cmt"_s, u"همسر"_s}});
        const qint64 ali = person(u"رضايي"_s, u"0012345679"_s);
        person(u"کريمي"_s, u"0055555551"_s);
        list->prepareForOpening();
        list->src_btnClick();
        list->show();
        clickRow(list->ui->DBGrid1, u"id"_s, ali);

        // A spouse and a child, typed into the dependants window of the person.
        auto* takafol = window<Ttakafol>("takafol");
        QVERIFY(openFromMenu(list->ui->N4, takafol, [&] {
            const auto add = [&](const QString& fname, const QString& nation, const QString& relation) {
                typeText(takafol->ui->fname, fname);
                typeText(takafol->ui->lname, u"رضايي"_s);
                typeText(takafol->ui->nation, nation);
                typeText(takafol->ui->birthday, u"13700101"_s);
                takafol->ui->nesbat->setEditText(relation);
                choose(takafol->ui->bime, InsuranceNo);
                choose(takafol->ui->tak, PersonnelText::Supported);
                QTest::mouseClick(takafol->ui->ins_btn, Qt::LeftButton);
            };
            add(u"مريم"_s, u"0011111119"_s, u"همسر"_s);
            takafol->ui->fname->clear();
            takafol->ui->nation->clear();
            takafol->ui->birthday->clear();
            takafol->ui->lname->clear();
            add(u"سارا"_s, u"0022222227"_s, u"فرزند"_s);
            QCOMPARE(takafol->list()->model()->rowCount(), 2);
        }));
        QCOMPARE(msgs.texts(), (QStringList{PersonnelText::Saved, PersonnelText::Saved}));
        const QVariantMap spouse = Sql::row(u"select * from takafol where nation=?"_s, {u"0011111119"_s});
        QCOMPARE(spouse.value(u"personel_id"_s).toLongLong(), ali);
        QCOMPARE(spouse.value(u"bime_no"_s).toString(), u"B-77"_s);
        QCOMPARE(spouse.value(u"taghir"_s).toString(), u"1402/05/01"_s);
        QCOMPARE(spouse.value(u"birthday"_s).toString(), u"1370/01/01"_s);
        QCOMPARE(spouse.value(u"nesbat"_s).toString(), u"همسر"_s);
        QCOMPARE(count(u"select count(*) from log where cmt like ?"_s, {PersonnelText::DependantAddedLog + u"%"_s}), 2);

        // The family into the insurance: the list shows it at once.
        msgs.clear();
        list->ui->N13->trigger();
        QVERIFY(msgs.requests.first().text.startsWith(PersonnelText::FamilyOnQuestion));
        QCOMPARE(count(u"select count(*) from takafol where bime=?"_s, {InsuranceYes}), 2);
        QCOMPARE(list->list()->current(u"bime"_s).toString(), InsuranceYes);

        // The insurer's list: the head, then the dependants.
        list->ui->N9->trigger();
        const auto sheet = Sheet::readSheet(opened.last(), u"Sheet1"_s);
        QVERIFY(sheet);
        QCOMPARE(sheet->rows.size(), 4);
        QCOMPARE(sheet->cell(0, 10), u"شناسه خانواده"_s);
        QCOMPARE(sheet->cell(1, 5), u"0012345679"_s);
        QCOMPARE(sheet->cell(1, 14), PersonnelText::HeadRelation);
        QCOMPARE(sheet->cell(1, 16), PersonnelText::HeadSelf);
        QCOMPARE((QStringList{sheet->cell(2, 5), sheet->cell(3, 5)}), (QStringList{u"0011111119"_s, u"0022222227"_s}));
        QCOMPARE(sheet->cell(3, 10), QString::number(ali));

        // The letter: the head and the insured dependants.
        list->ui->N15->trigger();
        QCOMPARE(printed.size(), 1);
        for (const QString& code : {u"0012345679"_s, u"0011111119"_s, u"0022222227"_s})
            QVERIFY2(printed[0].contains(code), qPrintable(code));

        // The card-charge list of the two listed persons, 1,500,000 each.
        msgs.answerInput(u"۱۵۰۰۰۰۰"_s);
        list->ui->N7->trigger();
        QCOMPARE(printed.size(), 2);
        QCOMPARE(printed[1].count(u"1,500,000"_s), 2);
        QVERIFY(printed[1].contains(u"3,000,000"_s));
        QVERIFY(printed[1].contains(u"6221061234567890"_s));

        // A PDF into the person's electronic file, opened from the private folder.
        auto* pic = window<Tpersonel_pic>("personel_pic");
        const QByteArray pdf("%PDF-1.4 scan", 13);
        msgs.clear();
        QVERIFY(openFromMenu(list->ui->N17, pic, [&] {
            pic->ui->cmt->setEditText(u"کارت ملي"_s);
            msgs.answerInput(file(u"scan.pdf"_s, pdf));
            QTest::mouseClick(pic->ui->ins_btn, Qt::LeftButton);
            QCOMPARE(pic->model()->rowCount(), 1);
            clickRow(pic->ui->DBGrid1, 0);
        }));
        QCOMPARE(msgs.texts(), QStringList{PersonnelText::Saved});
        const qint64 doc = Sql::scalar(u"select id from personel_pic where personel_id=?"_s, {ali}).toLongLong();
        QCOMPARE(QFileInfo(opened.last()).absolutePath(), QFileInfo(Desktop::privateTempFolder()).absoluteFilePath());
        QCOMPARE(QFileInfo(opened.last()).fileName(), u"document-%1.pdf"_s.arg(doc));
        QCOMPARE(read(opened.last()), pdf);
    }

    // The insurer's list is one statement: two workstations building theirs
    // at once each get their own rows, and no shared table is written. The
    // scope is the list's own (a "multi" user's companies), the national-code
    // filter an equality, an insured dependant listed without its head.
    void insurerListOfTwoConnections()
    {
        const qint64 a = person(u"الف"_s, u"0012345679"_s, InsuranceYes, u"شرکت الف"_s);
        const qint64 b = person(u"ب"_s, u"0033333335"_s, InsuranceNo, u"شرکت ب"_s);
        dependant(a, u"الف"_s, u"0011111119"_s, InsuranceYes);
        dependant(a, u"الف"_s, u"0044444443"_s, InsuranceNo);
        dependant(b, u"ب"_s, u"0022222227"_s, InsuranceYes);
        const qint64 multi = becomeUser(u"multi"_s);
        Sql::insert(u"dastrasi2"_s, {{u"user_id"_s, multi}, {u"cmt"_s, u"شرکت ب"_s}});

        Database other(u"second"_s);
        QVERIFY(other.open(m_db.options()));
        const Condition mine = Insurance::insurerSelection(Session::user(), {});
        const Condition everyone = Insurance::insurerSelection({u"o"_s, u"9"_s, u"ostan"_s, {}, {}}, {});
        QVERIFY(Database::current().beginTransaction());
        const QList<QVariantList> first = Insurance::insurerRows(mine);
        const QList<QVariantList> second = Insurance::insurerRows(other, everyone);
        Database::current().commitTransaction();
        QCOMPARE(codes(first), QStringList{u"0022222227"_s});
        QCOMPARE(codes(second), (QStringList{u"0012345679"_s, u"0011111119"_s, u"0022222227"_s}));
        QCOMPARE(count(u"select count(*) from bime_temp"_s), 0);

        Insurance::ListFilters three;
        three.nation = u"001"_s;
        QVERIFY(codes(Insurance::insurerRows(Insurance::insurerSelection(Session::user(), three))).isEmpty());
        three.nation = u"0033333335"_s;
        QCOMPARE(codes(Insurance::insurerRows(Insurance::insurerSelection(Session::user(), three))),
                 QStringList{u"0022222227"_s});
    }

    // The national codes go to the documents folder under the list's name, one
    // a line, for the administrator only; the list's workbook is named after it.
    void nationalCodesFile()
    {
        const qint64 a = person(u"الف"_s, u"0012345679"_s, InsuranceYes);
        dependant(a, u"الف"_s, u"0011111119"_s, InsuranceYes);
        const Condition all = Insurance::insurerSelection(Session::user(), {});
        const std::optional<QString> path = Insurance::writeNationalCodes(all);
        QVERIFY(path);
        QCOMPARE(QFileInfo(*path).absolutePath(), QFileInfo(Desktop::documentsFolder()).absoluteFilePath());
        QVERIFY(QFileInfo(*path).fileName().startsWith(PersonnelText::InsurerCodesFile + u' '));
        QCOMPARE(read(*path), QByteArray("0012345679\r\n0011111119\r\n"));
        QCOMPARE(opened, QStringList{*path});
        // The list's workbook is named after the list too.
        QVERIFY(Insurance::exportInsurerList(all));
        QVERIFY(QFileInfo(opened.last()).fileName().startsWith(PersonnelText::InsurerListFile + u' '));
        MsgRecorder msgs;
        becomeUser(u"ostan"_s);
        QVERIFY(!Insurance::writeNationalCodes(all));
        QCOMPARE(msgs.texts(), QStringList{PersonnelText::AdminOnly});
    }

    void chargeTexts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("rows");
        QTest::addColumn<QString>("perRow");
        QTest::addColumn<QString>("total");
        QTest::newRow("12 persons") << u"1000000"_s << qint64(12) << u"1,000,000"_s << u"12,000,000"_s;
        QTest::newRow("grouped each") << u"500000"_s << qint64(3) << u"500,000"_s << u"1,500,000"_s;
        QTest::newRow("short") << u"900"_s << qint64(2) << u"900"_s << u"1,800"_s;
        QTest::newRow("persian digits") << u"۲۰۰۰"_s << qint64(2) << u"2,000"_s << u"4,000"_s;
        QTest::newRow("typed grouped") << u"1,000,000"_s << qint64(2) << u"1,000,000"_s << u"2,000,000"_s;
        QTest::newRow("minus kept") << u"-5000"_s << qint64(2) << u"-5,000"_s << u"-10,000"_s;
        QTest::newRow("past 32 bits") << u"3000000000"_s << qint64(3) << u"3,000,000,000"_s << u"9,000,000,000"_s;
        QTest::newRow("no rows") << u"1000"_s << qint64(0) << u"1,000"_s << u"0"_s;
        QTest::newRow("not a number") << u"هزار"_s << qint64(3) << u"هزار"_s << QString();
        QTest::newRow("overflow") << u"9000000000000000000"_s << qint64(2) << u"9,000,000,000,000,000,000"_s << QString();
    }
    void chargeTexts()
    {
        QFETCH(QString, typed);
        QFETCH(qint64, rows);
        QFETCH(QString, perRow);
        QFETCH(QString, total);
        const Insurance::ChargeTexts t = Insurance::chargeTexts(typed, rows);
        QCOMPARE(t.perRow, perRow);
        QCOMPARE(t.total, total);
        QCOMPARE(Insurance::groupThousands(std::numeric_limits<qint64>::min()), u"-9,223,372,036,854,775,808"_s);
    }

    // The total is of the rows printed, whatever count a label showed.
    void chargeTotalOfRowsPrinted()
    {
        MsgRecorder msgs;
        msgs.answerInput(std::nullopt); // the preset amount
        Insurance::printChargeList({{{u"fname"_s, u"علي"_s}}, {{u"fname"_s, u"رضا"_s}}, {{u"fname"_s, u"حسن"_s}}});
        QCOMPARE(printed.size(), 1);
        QCOMPARE(printed[0].count(u"1,000,000"_s), 3);
        QVERIFY(printed[0].contains(u"3,000,000"_s));
    }

    // Switching families is one transaction: a failure leaves every person as they were.
    void switchingIsAllOrNothing()
    {
        const qint64 a = person(u"الف"_s, u"0012345679"_s);
        const qint64 b = person(u"ب"_s, u"0033333335"_s);
        dependant(a, u"الف"_s, u"0011111119"_s, InsuranceNo);
        QVERIFY(Insurance::switchFamilies({a, b}, true));
        QCOMPARE(count(u"select count(*) from personel where bime=?"_s, {InsuranceYes}), 2);
        Sql::exec(u"drop table takafol"_s);
        MsgRecorder msgs;
        QVERIFY(!Insurance::switchFamilies({a, b}, false));
        QVERIFY(!Insurance::switchFamily(a, false));
        QCOMPARE(count(u"select count(*) from personel where bime=?"_s, {InsuranceYes}), 2);
        QCOMPARE(msgs.texts().size(), 2);
    }

    // The dependant and its log row land together; the insert names its
    // columns, whatever their order in the table.
    void addedWithItsLogRow()
    {
        const qint64 a = person(u"الف"_s, u"0012345679"_s);
        const Dialect& d = Database::current().dialect();
        Sql::exec(u"drop table takafol"_s);
        QStringList columns{u"tak"_s, u"taghir"_s, u"bime"_s, u"mobile"_s, u"sh_no"_s, u"birthday"_s, u"nesbat"_s,
                            u"sodor"_s, u"nation"_s, u"bime_no"_s, u"cmt"_s, u"gender"_s, u"father"_s,
                            u"fname"_s, u"lname"_s};
        for (QString& c : columns)
            c += u" "_s + d.type(ColumnType::Text, 80);
        Sql::exec(u"create table takafol (%1, %2, personel_id %3)"_s.arg(d.identityKey(true), columns.join(u", "_s),
                                                                       d.type(ColumnType::BigInt)));
        auto* takafol = window<Ttakafol>("takafol");
        takafol->enableCommands(true, true);
        takafol->openFor(head(a));
        MsgRecorder msgs;
        typeText(takafol->ui->fname, u"مريم"_s);
        typeText(takafol->ui->lname, u"الف"_s);
        choose(takafol->ui->tak, PersonnelText::NotSupported);
        takafol->ins_btnClick();
        const QVariantMap row = Sql::row(u"select * from takafol"_s);
        QCOMPARE(row.value(u"fname"_s).toString(), u"مريم"_s);
        QCOMPARE(row.value(u"tak"_s).toString(), PersonnelText::NotSupported);
        QCOMPARE(row.value(u"personel_id"_s).toLongLong(), a);

        // Without its log row the dependant is not kept either.
        Sql::exec(u"drop table log"_s);
        takafol->ui->lname->setText(u"ب"_s);
        msgs.clear();
        takafol->ins_btnClick();
        QCOMPARE(msgs.texts(), QStringList{DbText::Refused});
        QCOMPARE(count(u"select count(*) from takafol"_s), 1);
    }

    // A duplicate anywhere is refused; edit-by-delete asks nothing and keeps
    // the values in the boxes; the letter reads its own rows, so the window
    // still lists the uninsured dependants after printing.
    void dependantsWindow()
    {
        MsgRecorder msgs;
        const qint64 a = person(u"الف"_s, u"0012345679"_s);
        const qint64 b = person(u"ب"_s, u"0033333335"_s);
        dependant(b, u"ج"_s, u"0011111119"_s, InsuranceYes);
        dependant(a, u"د"_s, u"0022222227"_s, InsuranceYes);
        dependant(a, u"د"_s, u"0044444443"_s, InsuranceNo);
        auto* takafol = window<Ttakafol>("takafol");
        takafol->enableCommands(true, true);
        takafol->openFor(head(a));
        takafol->ui->lname->setText(u"ج"_s);
        takafol->ui->nation->setText(u"0011111119"_s);
        takafol->ins_btnClick();
        QCOMPARE(msgs.texts(), QStringList{PersonnelText::DependantDuplicate});

        QTest::mouseClick(takafol->ui->BitBtn1, Qt::LeftButton);
        QCOMPARE(printed.size(), 1);
        QVERIFY(printed[0].contains(u"0022222227"_s));
        QVERIFY(!printed[0].contains(u"0044444443"_s));
        QCOMPARE(takafol->list()->model()->rowCount(), 2);

        msgs.clear();
        takafol->show();
        clickRow(takafol->ui->DBGrid1, u"nation"_s, u"0044444443"_s);
        takafol->ui->N1->trigger();
        QCOMPARE(msgs.texts(), QStringList{PersonnelText::Deleted});
        QCOMPARE(takafol->ui->nation->text(), u"0044444443"_s);
        QCOMPARE(takafol->ui->bime->currentText(), InsuranceNo);
        QCOMPARE(takafol->list()->model()->rowCount(), 1);
        takafol->close();
    }

    // Another workstation got there first: a dependant is not added to a
    // person deleted since the window opened, and a dependant deleted twice
    // is said to be gone, with one log row, not two.
    void goneHeadOrDependantIsToldNotWritten()
    {
        MsgRecorder msgs;
        const qint64 a = person(u"الف"_s, u"0012345679"_s);
        const qint64 d = dependant(a, u"د"_s, u"0022222227"_s, InsuranceYes);
        auto* takafol = window<Ttakafol>("takafol");
        takafol->enableCommands(true, true);
        takafol->openFor(head(a));
        takafol->show();
        clickRow(takafol->ui->DBGrid1, u"id"_s, d);
        Sql::exec(u"delete from takafol where id=?"_s, {d});
        const int logs = count(u"select count(*) from log"_s);
        takafol->ui->N1->trigger();
        QCOMPARE(msgs.texts(), QStringList{CoreText::RecordGone});
        QCOMPARE(count(u"select count(*) from log"_s), logs);

        msgs.clear();
        Sql::exec(u"delete from personel where id=?"_s, {a});
        typeText(takafol->ui->fname, u"مريم"_s);
        typeText(takafol->ui->lname, u"ه"_s);
        takafol->ins_btnClick();
        QCOMPARE(msgs.texts(), QStringList{PersonnelText::PersonGone});
        QCOMPARE(count(u"select count(*) from takafol"_s), 0);
        takafol->close();
    }

    // The insurance filter of the family list compares the word whole, in
    // the count and in the list; the dependants-only view lists takafol alone.
    void familyListFilters()
    {
        const qint64 a = person(u"الف"_s, u"0012345679"_s, InsuranceYes);
        const qint64 b = person(u"ب"_s, u"0033333335"_s, InsuranceNo);
        dependant(a, u"الف"_s, u"0011111119"_s, InsuranceNo);
        dependant(a, u"الف"_s, u"0022222227"_s, InsuranceNo);
        dependant(b, u"ب"_s, u"0044444443"_s, InsuranceYes);
        auto* family = window<Tkhanevade>("khanevade");
        family->prepareForOpening(Tkhanevade::View::Families);
        QCOMPARE(family->list()->model()->rowCount(), 3);
        family->ui->CheckBox4->setChecked(true);
        QVERIFY(family->ui->RadioGroup1->isEnabled());
        choose(family->ui->bime, InsuranceYes);
        family->src_btnClick();
        QCOMPARE(family->ui->cnt->text(), u"2"_s); // the head's two rows
        QCOMPARE(family->list()->model()->rowCount(), 2);
        family->ui->RadioButton1->setChecked(true);
        family->src_btnClick();
        QCOMPARE(family->ui->cnt->text(), u"1"_s);
        QCOMPARE(family->list()->model()->value(0, u"nation_1"_s).toString(), u"0044444443"_s);
        family->prepareForOpening(Tkhanevade::View::DependantsOnly);
        QCOMPARE(family->list()->model()->rowCount(), 3);
        QVERIFY(family->ui->cnt->text().isEmpty());
        family->ui->CheckBox4->setChecked(false);
    }

    // The office's documents: one per description but the loan signature;
    // a refused description still shows the file dialog and stores nothing;
    // some documents must have their exact extension.
    void storedDocuments()
    {
        auto* docs = window<Tmostanadat>("mostanadat");
        docs->enableCommands(true, true);
        docs->prepareForOpening();
        MsgRecorder msgs;
        const auto store = [&](const QString& description, const QString& name) {
            docs->ui->Combo_type->setEditText(description);
            msgs.answerInput(file(name, "bytes"));
            docs->ins_btnClick();
        };
        store(u"فرم مرخصي"_s, u"leave.docx"_s);
        store(u"فرم مرخصي"_s, u"leave2.docx"_s);
        store(QString(), u"x.pdf"_s);
        QCOMPARE(msgs.texts(), (QStringList{PersonnelText::Saved, CoreText::AttachmentDuplicate,
                                            CoreText::AttachmentNoDescription}));
        QCOMPARE(msgs.requests.last().kind, Msg::Kind::OpenFile);
        msgs.clear();
        store(PersonnelText::LoanSignatureImage, u"a.bmp"_s);
        store(PersonnelText::LoanSignatureImage, u"b.bmp"_s);
        store(PersonnelText::RebuildLoanSignatureImage, u"s.jpeg"_s);
        store(PersonnelText::RebuildLoanSignatureImage, u"s.JPG"_s);
        store(PersonnelText::RebuildLoanBarcodeReport, u"r.RAV"_s);
        QCOMPARE(msgs.texts(), (QStringList{PersonnelText::Saved, PersonnelText::Saved, PersonnelText::JpegRequired,
                                            PersonnelText::Saved, PersonnelText::RavRequired}));
        QCOMPARE(count(u"select count(*) from mostanadat"_s), 4);
        QCOMPARE(docs->list()->model()->rowCount(), 4);

        docs->show();
        clickRow(docs->ui->DBGrid1, 0);
        QCOMPARE(QFileInfo(opened.last()).fileName(),
                 u"form-%1.docx"_s.arg(docs->list()->model()->value(0, u"id"_s).toString()));
        docs->close();
    }

    // The electronic file numbers its rows in the order shown, and deletes
    // only with the delete password.
    void electronicFile()
    {
        const qint64 a = person(u"الف"_s, u"0012345679"_s);
        for (const QString& cmt : {u"ج"_s, u"الف"_s, u"ب"_s})
            Sql::insert(u"personel_pic"_s, {{u"personel_id"_s, a}, {u"cmt"_s, cmt}, {u"pictyp"_s, u".jpg"_s}});
        auto* pic = window<Tpersonel_pic>("personel_pic");
        pic->enableCommands(true, true);
        pic->openFor(a);
        QCOMPARE(pic->model()->rowCount(), 3);
        for (int r = 0; r < 3; ++r)
            QCOMPARE(pic->model()->index(r, 1).data().toString(), QString::number(r + 1));
        QCOMPARE(pic->model()->index(0, 2).data().toString(), u"الف"_s);

        MsgRecorder msgs;
        pic->ui->cmt->setEditText(PersonnelText::SignatureImage);
        msgs.answerInput(std::nullopt);
        pic->ins_btnClick();
        QCOMPARE(msgs.requests.last().filter, u"Bitmap Files (*.bmp)"_s);

        Sql::insert(u"setting"_s, {{u"component"_s, CoreText::DeletePasswordList}, {u"cmt"_s, u"123"_s}});
        msgs.answerInput(u"124"_s);
        pic->N1Click();
        QCOMPARE(msgs.texts(), QStringList{CoreText::DeletePasswordWrong});
        msgs.answerInput(u"123"_s);
        pic->N1Click();
        QCOMPARE(count(u"select count(*) from personel_pic"_s), 2);
        QCOMPARE(pic->model()->rowCount(), 2);
    }
};

QTEST_MAIN(TestFamily)
#include "test_family.moc"
