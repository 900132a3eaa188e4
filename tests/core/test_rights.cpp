// Row scopes of each level against real rows, and the rights and scope saves
// that either land whole or not at all.

#include "core/rights.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "tests/core/admin_pages.h"
#include "tests/support/test_db.h"

#include <QtTest>

using namespace Qt::StringLiterals;

static bool operator==(const PageRights& a, const PageRights& b)
{
    return a.darj == b.darj && a.virayesh == b.virayesh && a.hazf == b.hazf && a.namayesh == b.namayesh;
}

class TestRights : public QObject {
    Q_OBJECT

    TestDb m_db;

    // Ids of personel rows matching a clause, in id order.
    QList<qint64> persons(const ScopeClause& scope, ScopeColumns columns = ScopeColumns::Unqualified)
    {
        QList<qint64> ids;
        const QString sql = columns == ScopeColumns::Unqualified
                                ? u"select id from personel where personel.id<>-1 "_s + scope.sql
                                : QStringLiteral("select vam.id as id from vam left join personel on "
                                                 "vam.personel_id=personel.id where vam.id<>-1 ") +
                                      scope.sql;
        for (const QVariantMap& row : Sql::rows(sql + u" order by id"_s, scope.values))
            ids << row.value(u"id"_s).toLongLong();
        return ids;
    }

    qint64 person(const QString& nation, const QString& shahrestan, const QString& company = QString())
    {
        return Sql::insert(u"personel"_s,
                           {{u"nation"_s, nation}, {u"shahrestan"_s, shahrestan}, {u"company"_s, company}});
    }

    // A trigger that makes inserts of one value fail, on either backend.
    void failInsertsOf(const QString& table, const QString& column, const QString& value)
    {
        if (TestDb::backend() == Backend::SQLite) {
            Sql::exec(QStringLiteral("create trigger refuse before insert on %1 when new.%2='%3' "
                                     "begin select raise(abort, 'refused'); end")
                          .arg(table, column, value));
        } else {
            Sql::exec(QStringLiteral("create function refuse() returns trigger as $$ begin "
                                     "if new.%1 = '%2' then raise exception 'refused'; end if; return new; end "
                                     "$$ language plpgsql")
                          .arg(column, value));
            Sql::exec(u"create trigger refuse before insert on %1 for each row execute function refuse()"_s.arg(table));
        }
    }

private slots:
    void init() { TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed); }
    void cleanup() { m_db.reset(); }

    void scopeOfEachLevel()
    {
        const qint64 own = person(u"123"_s, u"ساري"_s, u"الف"_s);
        const qint64 longer = person(u"91234"_s, u"آمل"_s, u"ب"_s);
        const qint64 third = person(u"555"_s, u"بابل"_s, u"ب"_s);
        save_scope(7, {u"ساري"_s, u"بابل"_s});
        save_scope(8, {u"ب"_s});
        for (qint64 p : {own, longer, third})
            Sql::insert(u"vam"_s, {{u"personel_id"_s, p}});
        const QList<qint64> loans = persons({}, ScopeColumns::Qualified);
        QCOMPARE(loans.size(), 3);

        const auto user = [](const char* level, const char* karbar, const char* id) {
            return CurrentUser{
                QString::fromLatin1(karbar), QString::fromLatin1(id), QString::fromLatin1(level), {}, {}};
        };

        // admin: no clause at all.
        QVERIFY(scope_by_level(user("admin", "admin", "1")).sql.isEmpty());
        QCOMPARE(persons(scope_by_level(user("admin", "admin", "1"), ScopeColumns::Unqualified)),
                 (QList<qint64>{own, longer, third}));

        // single: the own person only; a user name that is part of another
        // national code does not see that person.
        const CurrentUser single = user("single", "123", "9");
        QCOMPARE(persons(scope_by_level(single, ScopeColumns::Unqualified)), QList<qint64>{own});
        QCOMPARE(persons(scope_by_level(single), ScopeColumns::Qualified), QList<qint64>{loans.at(0)});

        // Every other level: the counties of the user's own scope list.
        for (const char* level : {"ostan", "keshvar", "city", "multi"}) {
            QCOMPARE(persons(scope_by_level(user(level, "0", "7"), ScopeColumns::Unqualified)),
                     (QList<qint64>{own, third}));
            QCOMPARE(persons(scope_by_level(user(level, "0", "7")), ScopeColumns::Qualified),
                     (QList<qint64>{loans.at(0), loans.at(2)}));
        }
        // Without scope rows (or without a usable id) nothing is seen.
        QVERIFY(persons(scope_by_level(user("ostan", "0", "99"), ScopeColumns::Unqualified)).isEmpty());
        QVERIFY(persons(scope_by_level(user("ostan", "0", ""), ScopeColumns::Unqualified)).isEmpty());

        // The current user's scope is the session's.
        Session::setUser(single);
        QCOMPARE(persons(scope_by_level(ScopeColumns::Unqualified)), QList<qint64>{own});

        // Insurance lists: "multi" by company, "single" the own person, the rest everything.
        QCOMPARE(persons(insurance_scope_by_level(user("multi", "0", "8"))), (QList<qint64>{longer, third}));
        QCOMPARE(persons(insurance_scope_by_level(single)), QList<qint64>{own});
        for (const char* level : {"admin", "ostan", "keshvar"})
            QCOMPARE(persons(insurance_scope_by_level(user(level, "0", "7"))).size(), 3);
    }

    void rightsSaveRewritesEveryPageOnce()
    {
        RightsSet rights;
        rights.insert(u"vam"_s, {true, false, true, true});
        rights.insert(u"karbaran"_s, {false, false, false, true});
        // A stray second row of a page is replaced, not kept beside the new one.
        AdminPages::grantRights(5, u"vam"_s, {0, 1, 0, 0});
        save_rights(5, rights, false);
        QCOMPARE(Sql::scalar(u"select count(*) from dastrasi where prs_id=5"_s).toInt(), 22);
        const RightsSet loaded = load_rights(5);
        QCOMPARE(loaded.size(), 22);
        const PageRights vam = loaded.value(u"vam"_s);
        QVERIFY(vam.darj && !vam.virayesh && vam.hazf && vam.namayesh);
        QVERIFY(loaded.value(u"karbaran"_s).namayesh);
        QVERIFY(!loaded.value(u"log"_s).namayesh);

        // keepKarbaran leaves that one row as it was (the administrator's own).
        const QVariantMap adminRow = Sql::row(u"select * from dastrasi where prs_id=1 and page_name='karbaran'"_s);
        save_rights(1, {}, true);
        QCOMPARE(Sql::scalar(u"select count(*) from dastrasi where prs_id=1"_s).toInt(), 22);
        QCOMPARE(Sql::row(u"select * from dastrasi where prs_id=1 and page_name='karbaran'"_s), adminRow);
    }

    void failedRightsSaveChangesNothing()
    {
        RightsSet all;
        for (const RightsPage& page : rights_pages)
            all.insert(QString::fromLatin1(page.page_name), {true, true, true, true});
        save_rights(5, all, false);
        failInsertsOf(u"dastrasi"_s, u"page_name"_s, u"bime"_s);
        QVERIFY_THROWS_EXCEPTION(DbError, save_rights(5, {}, false));
        // The pages before the failing one were not rewritten either.
        QCOMPARE(load_rights(5), all);
    }

    void scopeSaveReplacesTheListOrNothing()
    {
        save_scope(3, {u"ساري"_s, u"ساري"_s, u"آمل"_s});
        QCOMPARE(load_scope(3).size(), 3); // a county added twice is stored twice
        save_scope(3, {u"بابل"_s});
        QCOMPARE(load_scope(3), QStringList{u"بابل"_s});

        failInsertsOf(u"dastrasi2"_s, u"cmt"_s, u"bad"_s);
        QVERIFY_THROWS_EXCEPTION(DbError, save_scope(3, {u"آمل"_s, u"bad"_s}));
        QCOMPARE(load_scope(3), QStringList{u"بابل"_s});
        save_scope(3, {});
        QVERIFY(load_scope(3).isEmpty());
    }

    void templates()
    {
        const RightsSet employee = rights_template(u"ostan"_s, CoreText::UserGroupEmployee);
        QCOMPARE(rights_template(u"single"_s, CoreText::UserGroupEmployee), employee);
        const RightsSet office = rights_template(u"ostan"_s, CoreText::UserGroupOffice);
        QVERIFY(rights_template(u"single"_s, CoreText::UserGroupOffice).isEmpty());
        QVERIFY(rights_template(u"keshvar"_s, CoreText::UserGroupEmployee).isEmpty());
        // Employees add and delete their own requests but do not approve them.
        for (const char* page :
             {"vam", "paziraei", "kargozini", "ticket", "hazine", "zemanat", "taeidat", "khabghah"}) {
            const PageRights r = employee.value(QString::fromLatin1(page));
            QVERIFY2(r.darj && !r.virayesh && r.hazf && r.namayesh, page);
        }
        QVERIFY(!office.value(u"kargozini"_s).virayesh);
        QVERIFY(office.value(u"vam"_s).virayesh);
        for (const char* page : {"log", "abadiha", "marateb", "setting", "karbaran"}) {
            QVERIFY(!employee.value(QString::fromLatin1(page)).namayesh);
            QVERIFY(!office.value(QString::fromLatin1(page)).namayesh);
        }
        QVERIFY(office.value(u"phone"_s).namayesh && !office.value(u"zamaem"_s).namayesh);
    }
};

QTEST_GUILESS_MAIN(TestRights)
#include "test_rights.moc"
