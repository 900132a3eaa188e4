// The program block as the running program has it (its own application
// object): an error caught beneath a running command fails that command
// whole, and a grid that cannot paint a value goes on painting.

#include "core/list_window.h"
#include "core/program.h"
#include "core/texts.h"
#include "personnel/abadiha.h"
#include "personnel/texts.h"
#include "platform/db/sql.h"
#include "platform/db/texts.h"
#include "platform/sheet/list_sheet.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "ui_abadiha.h"

#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace AdminPages;
using namespace Qt::StringLiterals;

namespace {
// What Qt said while a test ran.
QStringList g_said;
void keep(QtMsgType, const QMessageLogContext&, const QString& text) { g_said << text; }
} // namespace

class TestProgram : public QObject {
    Q_OBJECT

    TestDb m_db;
    QTemporaryDir m_home;
    Tmain* main = nullptr;
    Tabadiha* places = nullptr;

    static int placesOf(const QString& ostan)
    {
        return Sql::scalar(u"select count(*) from abadiha where ostan=?"_s, {ostan}).toInt();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("TUVEK_USER_SETTINGS", m_home.filePath(u"settings.ini"_s).toUtf8());
        QVERIFY(startProgram(main, places, u"abadiha"_s));
    }
    void init() { TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed); }
    void cleanup() { m_db.reset(); }

    // The gazetteer replaced from a sheet, with its progress, while an event
    // let in by a step throws: the replace fails whole, where it began, and
    // the clerk is told once. A timer of another window waits until it ended.
    void errorBeneathACommandFailsIt_data()
    {
        QTest::addColumn<bool>("thrown");
        QTest::newRow("an event throws beneath the replace") << true;
        QTest::newRow("nothing throws") << false;
    }
    void errorBeneathACommandFailsIt()
    {
        QFETCH(bool, thrown);
        MsgRecorder msgs;
        const qint64 clerk = becomeUser(u"admin"_s, u"abadiha"_s, {1, 1, 1, 1});
        actAs(u"admin"_s, clerk, u"admin"_s);
        for (const QString& county : {u"ري"_s, u"شميرانات"_s})
            Sql::insert(u"abadiha"_s, {{u"ostan"_s, u"قديم"_s}, {u"city"_s, county}});
        const QString path = m_home.filePath(u"places.xlsx"_s);
        Sheet::ListWriter sheet(path);
        sheet.writeTitles({u"کد"_s, u"استان"_s, u"شهرستان"_s, u"بخش"_s, u"دهستان"_s, u"روستا"_s});
        for (int i = 0; i < 450; ++i)
            sheet.writeRow({QString::number(i), u"تهران"_s, u"ري"_s, u"ب"_s, u"د"_s, u"ه"_s});
        sheet.close();

        int timerRuns = 0;
        bool timerInsideCommand = false;
        QTimer other; // a window's timer, due at every pass of the loop
        other.setInterval(0);
        connect(&other, &QTimer::timeout, this, [&] {
            ++timerRuns;
            timerInsideCommand = timerInsideCommand || Database::current().inTransaction();
        });
        QVERIFY(openPage(main, u"N21"_s, places, [&] {
            QVERIFY(places->openSheet(path));
            msgs.clear();
            if (thrown)
                QMetaObject::invokeMethod(places, [] { throw std::runtime_error("beneath"); }, Qt::QueuedConnection);
            other.start();
            QTest::mouseClick(places->ui->ins_btn, Qt::LeftButton);
            QTRY_VERIFY(timerRuns > 0);
            other.stop();
        }));
        QVERIFY(!timerInsideCommand);
        QVERIFY(!Database::current().inTransaction());
        const QString told = thrown ? CoreText::CommandFailed : PersonnelText::PlaceReplaced;
        QCOMPARE(msgs.texts(), (QStringList{PersonnelText::PlaceReplaceQuestion, told}));
        QCOMPARE(placesOf(u"قديم"_s), thrown ? 2 : 0);
        QCOMPARE(placesOf(u"تهران"_s), thrown ? 0 : 450);
    }

    // A value a grid cannot show (an amount stored as no amount) shows empty:
    // the paint ends cleanly, the clerk is told once, and the grid goes on.
    void aValueThatCannotBeShownLeavesThePaintWhole()
    {
        MsgRecorder msgs;
        ListModel model;
        QTableView view;
        view.setModel(&model);
        view.resize(400, 200);
        model.setQuery({u"users.us, 'no amount' as mablagh"_s, u"users"_s, {}, u"users.id"_s, u"users.id"_s});
        g_said.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keep);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_COMPARE(msgs.texts(), QStringList{DbText::Refused});
        view.viewport()->repaint();
        (void)view.grab();
        QCoreApplication::processEvents();
        qInstallMessageHandler(previous);
        QCOMPARE(msgs.texts(), QStringList{DbText::Refused});
        QVERIFY2(g_said.filter(u"paint"_s, Qt::CaseInsensitive).isEmpty(), qPrintable(g_said.join(u'\n')));
        QCOMPARE(model.data(model.index(0, 1)), QVariant());
        QCOMPARE(model.data(model.index(0, 0)).toString(), u"admin"_s);
    }
};

int main(int argc, char* argv[])
{
    Application app(argc, argv);
    TestProgram test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_program.moc"
