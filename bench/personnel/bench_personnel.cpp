// Prints what the personnel list and the gazetteer replace cost, on the
// embedded database and on PostgreSQL when TUVEK_TEST_PG names a server (as
// scripts/test.sh sets it):
//  - the personnel list over 100,000 persons: from pressing search until the
//    count and the first rows are shown, with no filter, with a surname
//    filter, and for a county user whose scope holds three counties;
//  - the replace of the gazetteer by a workbook of 60,000 places: reading the
//    sheet into the preview, and the replace itself.
// Run it with QT_QPA_PLATFORM=offscreen.

#include "bench/support/measure.h"
#include "core/session.h"
#include "core/list_window.h"
#include "personnel/abadiha.h"
#include "personnel/personel_src.h"
#include "platform/db/sql.h"
#include "platform/sheet/list_sheet.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "ui_abadiha.h"
#include "ui_personel_src.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QStringList Surnames{"رضايي", "احمدي", "محمدي", "کريمي", "حسيني", "موسوي", "جعفري", "صادقي"};
const QStringList Counties{"ري", "شميرانات", "شيراز", "مرودشت", "ساري", "آمل", "رشت", "لاهيجان", "کرج", "قم"};

// 100,000 persons: 1,000 bound inserts, then the table copied into itself.
void fill_persons()
{
    const QString columns = QStringLiteral("ostan,shahrestan,lname,fname,father,nation,company,loc,semat,mobile,bime");
    Sql::transaction([&] {
        for (int i = 0; i < 1000; ++i)
            Sql::insert(QStringLiteral("personel"),
                        {{QStringLiteral("ostan"), QStringLiteral("استان %1").arg(i % 5)},
                         {QStringLiteral("shahrestan"), Counties[i % Counties.size()]},
                         {QStringLiteral("lname"), Surnames[i % Surnames.size()] + QString::number(i)},
                         {QStringLiteral("fname"), QStringLiteral("علي")},
                         {QStringLiteral("father"), QStringLiteral("حسن")},
                         {QStringLiteral("nation"), QStringLiteral("%1").arg(i, 10, 10, QLatin1Char('0'))},
                         {QStringLiteral("company"), QStringLiteral("شرکت %1").arg(i % 7)},
                         {QStringLiteral("loc"), QStringLiteral("دفتر %1").arg(i % 9)},
                         {QStringLiteral("semat"), QStringLiteral("کارشناس")},
                         {QStringLiteral("mobile"), QStringLiteral("0912%1").arg(i, 7, 10, QLatin1Char('0'))},
                         {QStringLiteral("bime"), QStringLiteral("باشد")}});
        // 1,000 x 2^7 = 128,000; then down to 100,000.
        for (int d = 0; d < 7; ++d)
            Sql::exec(QStringLiteral("insert into personel (%1) select %1 from personel").arg(columns));
        Sql::exec(QStringLiteral("delete from personel where id>100000"));
    });
}

double search(Tpersonel_src& list)
{
    return Measure::msOf([&] {
        list.src_btnClick();
        list.ui->DBGrid1->viewport()->repaint();
    });
}

void measure(const char* backend, const QString& folder)
{
    QElapsedTimer t;
    t.start();
    fill_persons();
    const double filled = Measure::lapMs(t);

    Tpersonel_src list;
    list.resize(1200, 800);
    list.show();
    Session::setUser({QStringLiteral("admin"), QStringLiteral("1"), QStringLiteral("admin"), {}, {}});
    search(list); // the first search of a run also warms the connection
    const double plain = search(list);
    const QString all = list.ui->cnt->text();
    list.ui->CheckBox1->setChecked(true);
    list.ui->lname->setText(Surnames[3]);
    const double surname = search(list);
    const QString found = list.ui->cnt->text();
    list.ui->CheckBox1->setChecked(false);
    const qint64 county = Sql::insert(QStringLiteral("users"), {{QStringLiteral("us"), QStringLiteral("c")},
                                                               {QStringLiteral("lev"), QStringLiteral("city")}});
    for (int i = 0; i < 3; ++i)
        Sql::insert(QStringLiteral("dastrasi2"), {{QStringLiteral("user_id"), county}, {QStringLiteral("cmt"), Counties[i]}});
    Session::setUser({QStringLiteral("c"), QString::number(county), QStringLiteral("city"), {}, {}});
    const double scoped = search(list);
    std::printf("%s: personnel list of %s persons (made in %.0f ms): search until count and first rows "
                "%.1f ms with no filter, %.1f ms with a surname filter (%s found), %.1f ms for a county user (%s rows)\n",
                backend, qPrintable(all), filled, plain, surname, qPrintable(found), scoped,
                qPrintable(list.ui->cnt->text()));
    list.hide();

    // A workbook of 60,000 places under its header.
    const QString path = folder + QStringLiteral("/places.xlsx");
    {
        Sheet::ListWriter writer(path);
        writer.writeTitles({"cod", "ostan", "city", "bakhsh", "dehestan", "rosta"});
        for (int i = 0; i < 60000; ++i)
            writer.writeRow({QString::number(100000 + i), QStringLiteral("استان %1").arg(i % 31),
                             Counties[i % Counties.size()], QStringLiteral("بخش %1").arg(i % 50),
                             QStringLiteral("دهستان %1").arg(i % 300), QStringLiteral("روستاي %1").arg(i)});
        writer.close();
    }
    Sql::exec(QStringLiteral("insert into abadiha (cod, ostan, city) values ('1', 'x', 'y')"));
    MsgRecorder yes;
    Tabadiha places;
    places.show();
    const double read = Measure::msOf([&] { places.openSheet(path); });
    const double replaced = Measure::msOf([&] { places.ui->ins_btn->click(); });
    std::printf("%s: gazetteer replace of %s places: reading the workbook into the preview %.0f ms, "
                "the replace %.0f ms (%d rows in the table; messages: %s)\n",
                backend, qPrintable(places.ui->cnt2->text()), read, replaced,
                Sql::scalar(QStringLiteral("select count(*) from abadiha")).toInt(),
                qPrintable(yes.texts().join(QStringLiteral(" | "))));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    for (const char* backend : {"sqlite", "pg"}) {
        if (qstrcmp(backend, "pg") == 0 && qEnvironmentVariableIsEmpty("TUVEK_TEST_PG"))
            break;
        qputenv("TUVEK_TEST_BACKEND", backend);
        TestDb db;
        if (!db.open(TestDb::Installed)) {
            std::printf("%s: %s\n", backend, qPrintable(db.reason()));
            continue;
        }
        measure(backend, folder.path());
    }
    return 0;
}
