// Rows that belong to another (core/lock_keys.h): every pair, each through a
// writer of the program's own, after another workstation deleted the owner
// under the keys of its delete: the write is refused with the pair's words
// and leaves no row. And a person's document stored while another
// workstation deletes the person: it waits for the delete, then finds the
// person gone.

#include "core/lock_keys.h"
#include "core/payam.h"
#include "core/stored_file.h"
#include "core/texts.h"
#include "core/users.h"
#include "personnel/insurance.h"
#include "personnel/personel_src.h"
#include "personnel/takafol.h"
#include "services/khabgahha_status.h"
#include "services/request/attached_persons.h"
#include "services/request/request_sql.h"
#include "services/request/texts.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/second_workstation.h"
#include "tests/support/test_db.h"
#include "ui_payam.h"
#include "ui_takafol.h"
#include "ui_users.h"

#include <QListWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace AdminPages;
using namespace Qt::StringLiterals;

class TestBelongings : public QObject {
    Q_OBJECT

    TestDb m_db;
    QTemporaryDir m_dir;
    Tmain* main = nullptr;
    Tusers* users = nullptr;

    // A new owner row of the table, as the program would have made it.
    static qint64 owner(const QString& table)
    {
        static int n = 0;
        const QString name = QString::number(++n).rightJustified(10, u'0');
        if (table == u"personel")
            return Sql::insert(table, {{u"fname"_s, u"رضا"_s}, {u"lname"_s, u"احمدي"_s}, {u"nation"_s, name}});
        if (table == u"users")
            return Sql::insert(table, {{u"us"_s, name}, {u"lev"_s, u"ostan"_s}, {u"nam"_s, name}});
        if (table == u"khabgahha")
            return Sql::insert(table, {{u"nam"_s, name}});
        return Sql::insert(table, {{u"personel_id"_s, owner(u"personel"_s)}});
    }

    StoredFile::Chosen file(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(u"document.pdf"_s);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("the test's file was not written");
        return {path, u".pdf"_s, bytes.size()};
    }

    // The program's writers of each pair: made ready while the owner is
    // there (a window opened on it), then run once it is gone.
    using Write = std::function<void()>;
    struct Writer {
        QString child, column, what;
        std::function<Write(qint64 owner)> ready;
    };
    QList<Writer> writers()
    {
        QList<Writer> out;
        for (const QString& table : {u"personel_pic"_s, u"khabgahha_pic"_s})
            out.append({table, table == u"personel_pic" ? u"personel_id"_s : u"khabgahha_id"_s, u"stored file"_s,
                        [this, table](qint64 id) -> Write {
                            const QString column = table == u"personel_pic" ? u"personel_id"_s : u"khabgahha_id"_s;
                            const QString ext = table == u"personel_pic" ? u"pictyp"_s : u"ext"_s;
                            const StoredFile::Chosen chosen = file("%PDF"_ba);
                            return [=] {
                                QVERIFY(!StoredFile::store(table, {{column, id}, {u"cmt"_s, u"شناسنامه"_s}, {ext, chosen.extension}},
                                                           chosen));
                            };
                        }});
        out.append({u"takafol"_s, u"personel_id"_s, u"dependants window"_s, [](qint64 id) -> Write {
                        auto* takafol = win<Ttakafol>(u"takafol"_s);
                        takafol->enableCommands(true, true);
                        takafol->openFor(FamilyHead::fromRow({{u"id"_s, id}, {u"lname"_s, u"احمدي"_s}}));
                        WindowSteps::typeText(takafol->ui->fname, u"مريم"_s);
                        WindowSteps::typeText(takafol->ui->lname, u"احمدي"_s);
                        return [takafol] { takafol->ins_btnClick(); };
                    }});
        out.append({u"takafol"_s, u"personel_id"_s, u"insurance switch"_s,
                    [](qint64 id) -> Write { return [id] { QVERIFY(!Insurance::switchFamily(id, true)); }; }});
        for (const char* request : {"khabghah", "vam", "paziraei", "ticket", "hazine", "zemanat", "taeidat", "kargozini"})
            out.append({QLatin1String(request), u"personel_id"_s, u"new request"_s, [request](qint64 id) -> Write {
                            return [request, id] {
                                QVERIFY(!insert_request({.table = QLatin1String(request)}, id, {}, RequestText::PickPerson));
                            };
                        }});
        using Pairs = QList<std::pair<QString, QString>>;
        for (const auto& [child, column] : Pairs{{u"hamrahan"_s, u"khabghah_id"_s},
                                                 {u"paziraei_nafarat"_s, u"paziraei_id"_s},
                                                 {u"ticket_nafarat"_s, u"ticket_id"_s}})
            out.append({child, column, u"attached persons"_s, [child = child, column = column](qint64 id) -> Write {
                            auto* window = new QWidget;
                            auto* persons = new AttachedPersons({child, column, {{u"fname"_s, u"نام"_s}}},
                                                                new QTableView(window), nullptr, window);
                            persons->openFor(id);
                            return [window, persons] {
                                QVERIFY(!persons->addAll({{{u"fname"_s, u"مريم"_s}, {u"lname"_s, u"احمدي"_s}}}));
                                delete window;
                            };
                        }});
        out.append({u"khabgahha_rezerv"_s, u"khabgahha_id"_s, u"suite status"_s, [](qint64 id) -> Write {
                        auto* status = win<Tkhabgahha_status>(u"khabgahha_status"_s);
                        status->prepareForSuite(id);
                        return [status] { status->ins_btnClick(); };
                    }});
        for (const auto& [child, column] : Pairs{{u"dastrasi"_s, u"prs_id"_s}, {u"dastrasi2"_s, u"user_id"_s}})
            out.append({child, column, u"accounts window"_s, [this, child = child](qint64 id) -> Write {
                            users->prepareForOpening(true, true, true);
                            users->show();
                            WindowSteps::clickRow(users->ui->DBGrid1, u"id"_s, id);
                            users->ui->list_loc->addItem(u"قم"_s);
                            return [this, child] {
                                child == u"dastrasi" ? users->ins_btn2Click() : users->SpeedButton1Click();
                                users->close();
                            };
                        }});
        for (const QString& column : {u"send_prs_id"_s, u"rec_prs_id"_s})
            out.append({u"payamha"_s, column, u"messages window"_s, [column](qint64 id) -> Write {
                            const bool sender = column == u"send_prs_id";
                            actAs(sender ? u"sender"_s : u"admin"_s, sender ? id : 1, u"admin"_s);
                            auto* payam = win<Tpayam>(u"payam"_s);
                            payam->prepareForOpening();
                            payam->show();
                            for (int i = 0; i < payam->ui->prs_list->count(); ++i) {
                                QListWidgetItem* item = payam->ui->prs_list->item(i);
                                if (item->data(Qt::UserRole).toLongLong() == (sender ? 1 : id))
                                    item->setCheckState(Qt::Checked);
                            }
                            payam->ui->mozo->setCurrentText(u"سلام"_s);
                            payam->ui->cmt->setPlainText(u"متن"_s);
                            return [payam] {
                                payam->BitBtn1Click();
                                payam->close();
                            };
                        }});
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(startProgram(main, users, u"users"_s));
    }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        actAs(u"admin"_s, 1, u"admin"_s);
    }

    void cleanup() { m_db.reset(); }

    void writeRefusedOnceTheOwnerIsGone_data()
    {
        QTest::addColumn<int>("writer");
        const QList<Writer> all = writers();
        for (int i = 0; i < all.size(); ++i)
            QTest::addRow("%s.%s %s", qPrintable(all[i].child), qPrintable(all[i].column), qPrintable(all[i].what)) << i;
    }
    void writeRefusedOnceTheOwnerIsGone()
    {
        QFETCH(int, writer);
        const QList<Writer> all = writers();
        // Every pair named beside the keys has a writer here.
        for (const Keys::Belonging& pair : Keys::belongings())
            QVERIFY2(std::any_of(all.begin(), all.end(),
                                 [&](const Writer& w) { return w.child == pair.child && w.column == pair.column; }),
                     qPrintable(pair.child + u'.' + pair.column));
        const Writer& w = all[writer];
        const Keys::Belonging& pair = Keys::belonging(w.child, w.column);
        const qint64 id = owner(pair.owner);
        const Write write = w.ready(id);
        SecondWorkstation other(m_db.options());
        QVERIFY2(other.run([&] {
            Sql::exclusive(Keys::deleteKeys(pair.owner, id),
                           [&] { Sql::exec(u"delete from %1 where id=?"_s.arg(pair.owner), {id}); });
        }), qPrintable(other.error()));
        MsgRecorder msgs;
        write();
        QCOMPARE(msgs.texts(), QStringList{pair.gone});
        QCOMPARE(Sql::scalar(u"select count(*) from %1 where %2=?"_s.arg(w.child, w.column), {id}).toInt(), 0);
    }

    // A document stored while another workstation deletes its person: the
    // store waits for the delete's keys, then finds the person gone and sends
    // nothing; without that check it was told "ثبت شد" over a lost person.
    void documentStoredWhileThePersonIsDeleted()
    {
        const qint64 id = owner(u"personel"_s);
        const StoredFile::Chosen chosen = file(QByteArray(StoredFile::Piece + 10, 'x'));
        QSemaphore storeWaits;
        Database::current().setWaitNotice([&](bool waiting) {
            if (waiting)
                storeWaits.release();
        });
        Meeting deleting;
        SecondWorkstation other(m_db.options());
        other.start([&] {
            Sql::transaction([&] {
                if (!delete_person(id))
                    throw std::runtime_error("the person was not there to delete");
                deleting.arrive();
                // Held until this workstation's store waits for the keys.
                if (!storeWaits.tryAcquire(1, 10000))
                    throw std::runtime_error("the store never waited for the delete");
            });
        });
        QVERIFY(deleting.awaitArrival());
        MsgRecorder msgs;
        bool stored = true;
        QVERIFY(Db::guard([&] {
            stored = StoredFile::store(u"personel_pic"_s, {{u"personel_id"_s, id}, {u"cmt"_s, u"شناسنامه"_s},
                                                           {u"pictyp"_s, chosen.extension}},
                                       chosen);
        }));
        Database::current().setWaitNotice({});
        QVERIFY2(other.wait(), qPrintable(other.error()));
        QVERIFY(!stored);
        QCOMPARE(msgs.texts(), QStringList{CoreText::PersonGone});
        QCOMPARE(Sql::scalar(u"select count(*) from personel_pic"_s).toInt(), 0);
    }
};

QTEST_MAIN(TestBelongings)
#include "test_belongings.moc"
