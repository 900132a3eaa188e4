// The gazetteer look-ups over rows spelt with either yeh and either kaf, as a
// workbook imported before folding leaves them: the lists give each place
// once in the stored form, and what is typed finds them.

#include "core/places.h"
#include "platform/db/sql.h"
#include "tests/support/test_db.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestPlaces : public QObject {
    Q_OBJECT

    TestDb m_db;

private slots:
    void init() { TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed); }
    void cleanup() { m_db.reset(); }

    void mixedSpellingsMatchWhatIsTyped()
    {
        // Persian yeh and keheh as imported; the Arabic forms as typed.
        for (const auto& [ostan, city] : {std::pair{u"سیستان"_s, u"زاهدان"_s}, {u"سيستان"_s, u"زابل"_s},
                                          {u"کرمان"_s, u"بم"_s}, {u"كرمان"_s, u"راور"_s}})
            Sql::insert(u"abadiha"_s, {{u"ostan"_s, ostan}, {u"city"_s, city}});
        QCOMPARE(Places::provinces().size(), 2);
        QVERIFY(Places::provinces().contains(u"سيستان"_s));
        QCOMPARE(Places::counties(u"سيستان"_s).size(), 2);
        QCOMPARE(Places::counties(u"كرمان"_s).size(), 2);
        QVERIFY(Places::pairExists(u"سيستان"_s, u"زاهدان"_s));
        QVERIFY(Places::pairExists(u"کرمان"_s, u"راور"_s));
        QVERIFY(!Places::pairExists(u"سيستان"_s, u"بم"_s));
    }

    // A place without a province or a county gives no empty item.
    void listsOfferNoEmptyName()
    {
        for (const auto& [ostan, city] : {std::pair{u"تهران"_s, u"ري"_s}, {u""_s, u""_s}, {u"تهران"_s, u" "_s}})
            Sql::insert(u"abadiha"_s, {{u"ostan"_s, ostan}, {u"city"_s, city}});
        QCOMPARE(Places::provinces(), QStringList{u"تهران"_s});
        QCOMPARE(Places::counties(u"تهران"_s), QStringList{u"ري"_s});
    }
};

QTEST_MAIN(TestPlaces)
#include "test_places.moc"
