// The program block under its own application object: an error beneath a
// running command fails it whole; a grid that cannot paint a value goes on.

#include "core/list_window.h"
#include "core/texts.h"
#include "personnel/abadiha.h"
#include "personnel/texts.h"
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

static QStringList g_said; // what Qt said while the grid painted

class TestProgram : public QObject {
    Q_OBJECT

    TestDb m_db;
    QTemporaryDir m_home;
    Tmain* main = nullptr; Tabadiha* places = nullptr;

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("TUVEK_USER_SETTINGS", m_home.filePath(u"settings.ini"_s).toUtf8());
        QVERIFY(startProgram(main, places, u"abadiha"_s));
    }
    void init() { TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed); }

    // The gazetteer replaced from a sheet while an event let in by a progress
    // step throws: the replace fails whole, where it began, and the clerk is
    // told once. A timer of another window waits until the command ended.
    void errorBeneathACommandFailsIt()
    {
        MsgRecorder msgs;
        actAs(u"admin"_s, becomeUser(u"admin"_s, u"abadiha"_s, {1, 1, 1, 1}), u"admin"_s);
        for (const QString& county : {u"ري"_s, u"شميرانات"_s})
            Sql::insert(u"abadiha"_s, {{u"ostan"_s, u"قديم"_s}, {u"city"_s, county}});
        const QString path = m_home.filePath(u"places.xlsx"_s);
        Sheet::ListWriter sheet(path);
        sheet.writeTitles({u"کد"_s, u"استان"_s, u"شهرستان"_s, u"بخش"_s, u"دهستان"_s, u"روستا"_s});
        for (int i = 0; i < 120; ++i)
            sheet.writeRow({QString::number(i), u"تهران"_s, u"ري"_s, u"ب"_s, u"د"_s, u"ه"_s});
        sheet.close();

        int timerRuns = 0, insideCommand = 0;
        QTimer other; // a window's timer, due at every pass of the loop
        connect(&other, &QTimer::timeout, this, [&] { ++timerRuns, insideCommand += Database::current().inTransaction(); });
        QVERIFY(openPage(main, u"N21"_s, places, [&] {
            QVERIFY(places->openSheet(path));
            msgs.clear();
            QMetaObject::invokeMethod(places, [] { throw std::runtime_error("beneath"); }, Qt::QueuedConnection);
            other.start(0);
            QTest::mouseClick(places->ui->ins_btn, Qt::LeftButton);
            QTRY_VERIFY(timerRuns > 0);
            other.stop();
        }));
        QCOMPARE(insideCommand, 0);
        QCOMPARE(msgs.texts(), (QStringList{PersonnelText::PlaceReplaceQuestion, CoreText::CommandFailed}));
        QCOMPARE(Sql::scalar(u"select count(*) from abadiha"_s).toInt(), 2);
    }

    // The same beneath an export: it stops, and no workbook is left.
    void errorBeneathAnExportKeepsNoWorkbook()
    {
        MsgRecorder msgs;
        actAs(u"admin"_s, becomeUser(u"admin"_s, u"abadiha"_s, {1, 1, 1, 1}), u"admin"_s);
        Sql::transaction([] {
            for (int i = 0; i < 4500; ++i)
                Sql::insert(u"abadiha"_s, {{u"ostan"_s, u"تهران"_s}, {u"city"_s, QString::number(i)}});
        });
        const QString documents = m_home.filePath(u"documents"_s);
        qputenv("XDG_DOCUMENTS_DIR", documents.toUtf8());
        QVERIFY(openPage(main, u"N21"_s, places, [&] {
            msgs.clear();
            QMetaObject::invokeMethod(places, [] { throw std::runtime_error("beneath"); }, Qt::QueuedConnection);
            QTest::mouseClick(places->ui->Excel_btn, Qt::LeftButton);
        }));
        qunsetenv("XDG_DOCUMENTS_DIR");
        QCOMPARE(msgs.texts(), QStringList{CoreText::CommandFailed});
        QCOMPARE(QDir(documents).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // A value a grid cannot show (an amount stored as no amount) shows empty:
    // the paint ends cleanly, the clerk is told once, and the grid goes on.
    void aValueThatCannotBeShownLeavesThePaintWhole()
    {
        MsgRecorder msgs;
        ListModel model;
        QTableView view;
        view.setModel(&model);
        model.setQuery({u"users.us, 'no amount' as mablagh"_s, u"users"_s, {}, u"users.id"_s, u"users.id"_s});
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { g_said << text; });
        view.show();
        QTRY_COMPARE(msgs.texts(), QStringList{DbText::Refused});
        (void)view.grab(); // painted again: nothing more is told
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
    return QTest::qExec(&test, argc, argv);
}

#include "test_program.moc"
