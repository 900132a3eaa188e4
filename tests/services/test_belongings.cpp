// Rows that belong to another (core/lock_keys.h): every pair through a writer
// of the program's own, while another workstation deletes the owner (a person
// through the person's delete) and holds the delete's keys until the write
// waits for them: the write then finds the owner gone, says the pair's words
// and leaves no row. The first rows are a person's document stored meanwhile.

#include "core/payam.h"
#include "core/stored_file.h"
#include "core/texts.h"
#include "core/users.h"
#include "personnel/personel_src.h"
#include "personnel/takafol.h"
#include "services/khabgahha_status.h"
#include "services/request/attached_persons.h"
#include "services/request/request_sql.h"
#include "services/request/texts.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "ui_payam.h"
#include "ui_takafol.h"
#include "ui_users.h"

#include <QListWidget>
#include <QtTest>

using namespace AdminPages;
using namespace Qt::StringLiterals;

class TestBelongings : public QObject {
    Q_OBJECT
    TestDb m_db;
    QTemporaryDir m_dir;
    Tusers* users = nullptr;

    // A new owner row, as the program would have made it.
    static qint64 owner(const QString& table)
    {
        static int n = 0;
        const QString name = QString::number(++n).rightJustified(10, u'0');
        if (table == u"personel" || table == u"users" || table == u"khabgahha")
            return Sql::insert(table, {{table == u"personel" ? u"nation"_s : table == u"users" ? u"us"_s : u"nam"_s, name}});
        return Sql::insert(table, {{u"personel_id"_s, owner(u"personel"_s)}});
    }

    // The program's writers of each pair: made ready while the owner is there, run once it is deleted.
    using Write = std::function<void()>;
    struct Writer {
        QString child, column;
        std::function<Write(qint64 owner)> ready;
    };
    QList<Writer> writers()
    {
        QList<Writer> out;
        for (const QString& t : {u"personel_pic"_s, u"khabgahha_pic"_s})
            out.append({t, t == u"personel_pic" ? u"personel_id"_s : u"khabgahha_id"_s, [this, t](qint64 id) -> Write {
                            QFile f(m_dir.filePath(u"f.pdf"_s));
                            if (!f.open(QIODevice::WriteOnly) || f.write(QByteArray(StoredFile::Piece + 10, 'x')) < 0)
                                qFatal("no file");
                            const StoredFile::Chosen chosen{f.fileName(), u".pdf"_s, f.size()};
                            const Row row{{t == u"personel_pic" ? u"personel_id"_s : u"khabgahha_id"_s, id}, {u"cmt"_s, u"سند"_s}};
                            return [=] { QVERIFY(!StoredFile::store(t, row, chosen)); };
                        }});
        out.append({u"takafol"_s, u"personel_id"_s, [](qint64 id) -> Write {
                        auto* takafol = win<Ttakafol>(u"takafol"_s);
                        takafol->openFor(FamilyHead::fromRow({{u"id"_s, id}}));
                        takafol->ui->fname->setText(u"مريم"_s);
                        takafol->ui->lname->setText(u"احمدي"_s);
                        return [takafol] { takafol->ins_btnClick(); };
                    }});
        out.append({u"takafol"_s, u"personel_id"_s, // the insurance switch
                    [](qint64 id) -> Write { return [id] { QVERIFY(!Insurance::switchFamily(id, true)); }; }});
        for (const Keys::Belonging& p : Keys::belongings())
            if (p.owner == u"personel" && p.child != u"personel_pic" && p.child != u"takafol") // the requests
                out.append({p.child, p.column, [t = p.child](qint64 id) -> Write {
                                return [=] { QVERIFY(!insert_request({.table = t}, id, {}, RequestText::PickPerson)); }; }});
        for (const auto& [child, column] : QList<std::pair<QString, QString>>{
                 {u"hamrahan"_s, u"khabghah_id"_s}, {u"paziraei_nafarat"_s, u"paziraei_id"_s}, {u"ticket_nafarat"_s, u"ticket_id"_s}})
            out.append({child, column, [child = child, column = column](qint64 id) -> Write {
                            auto* window = new QWidget;
                            auto* persons = new AttachedPersons({child, column, {}}, new QTableView(window), nullptr, window);
                            persons->openFor(id);
                            return [=] {
                                QVERIFY(!persons->addAll({{{u"fname"_s, u"مريم"_s}}}));
                                delete window;
                            };
                        }});
        out.append({u"khabgahha_rezerv"_s, u"khabgahha_id"_s, [](qint64 id) -> Write {
                        win<Tkhabgahha_status>(u"khabgahha_status"_s)->prepareForSuite(id);
                        return [] { win<Tkhabgahha_status>(u"khabgahha_status"_s)->ins_btnClick(); }; }});
        for (const QString& child : {u"dastrasi"_s, u"dastrasi2"_s})
            out.append({child, child == u"dastrasi" ? u"prs_id"_s : u"user_id"_s, [this, child](qint64 id) -> Write {
                            users->prepareForOpening(true, true, true);
                            users->show();
                            WindowSteps::clickRow(users->ui->DBGrid1, u"id"_s, id);
                            users->ui->list_loc->addItem(u"قم"_s);
                            return [this, child] { child == u"dastrasi" ? users->ins_btn2Click() : users->SpeedButton1Click(); };
                        }});
        for (const QString& column : {u"send_prs_id"_s, u"rec_prs_id"_s})
            out.append({u"payamha"_s, column, [column](qint64 id) -> Write {
                            const bool sender = column == u"send_prs_id";
                            actAs(u"u"_s, sender ? id : 1);
                            auto* payam = win<Tpayam>(u"payam"_s);
                            payam->prepareForOpening();
                            payam->show();
                            for (int i = 0; i < payam->ui->prs_list->count(); ++i)
                                if (payam->ui->prs_list->item(i)->data(Qt::UserRole).toLongLong() == (sender ? 1 : id))
                                    payam->ui->prs_list->item(i)->setCheckState(Qt::Checked);
                            return [payam] { payam->BitBtn1Click(); };
                        }});
        return out;
    }

private slots:
    void initTestCase()
    {
        Tmain* main = nullptr;
        QVERIFY(startProgram(main, users, u"users"_s));
    }
    void init() { TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed); actAs(u"admin"_s, 1, u"admin"_s); }
    void cleanup()
    {
        users->close();
        win<Tpayam>(u"payam"_s)->close();
        m_db.reset();
    }

    void writeWhileTheOwnerIsDeleted_data()
    {
        QTest::addColumn<int>("writer");
        const QList<Writer> all = writers();
        for (const Keys::Belonging& pair : Keys::belongings()) // every pair named beside the keys has a writer here
            QVERIFY(std::any_of(all.begin(), all.end(), [&](const Writer& w) { return w.child == pair.child && w.column == pair.column; }));
        for (int i = 0; i < all.size(); ++i)
            QTest::addRow("%d %s.%s", i, qPrintable(all[i].child), qPrintable(all[i].column)) << i;
    }
    void writeWhileTheOwnerIsDeleted()
    {
        QFETCH(int, writer);
        const Writer w = writers().at(writer);
        const Keys::Belonging& pair = Keys::belonging(w.child, w.column);
        const qint64 id = owner(pair.owner);
        const Write write = w.ready(id);
        QSemaphore writeWaits;
        Database::current().setWaitNotice([&](bool waiting) { writeWaits.release(waiting ? 1 : 0); });
        Meeting deleting;
        SecondWorkstation other(m_db.options());
        other.start([&] {
            Sql::transaction([&] {
                if (pair.owner == u"personel" && delete_person(id) != PersonDelete::Deleted)
                    throw std::runtime_error("no person to delete");
                if (pair.owner != u"personel")
                    Sql::exclusive(Keys::deleteKeys(pair.owner, id),
                                   [&] { Sql::exec(u"delete from %1 where id=?"_s.arg(pair.owner), {id}); });
                deleting.arrive();
                if (!writeWaits.tryAcquire(1, 10000)) // the delete's keys held until the write waits for them
                    throw std::runtime_error("the write never waited for the delete");
            });
        });
        QVERIFY(deleting.awaitArrival());
        MsgRecorder msgs;
        write();
        Database::current().setWaitNotice({});
        QVERIFY2(other.wait(), qPrintable(other.error()));
        // A sender deleted is the clerk: the check of the signed-in account says it.
        QCOMPARE(msgs.texts(), QStringList{w.column == u"send_prs_id" ? CoreText::OwnUserGone : pair.gone});
        QCOMPARE(Sql::scalar(u"select count(*) from %1 where %2=?"_s.arg(w.child, w.column), {id}).toInt(), 0);
    }
};

QTEST_MAIN(TestBelongings)
#include "test_belongings.moc"
