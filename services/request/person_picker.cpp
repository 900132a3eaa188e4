#include "person_picker.h"

#include "core/list_behaviours.h"
#include "platform/db/sql.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

PersonPicker::PersonPicker(QComboBox* lname, QComboBox* nation, QLabel* personel_id, QObject* parent)
    : QObject(parent), m_lname(lname), m_nation(nation), m_id(personel_id)
{
    m_lname->setEditable(true);
    m_nation->setEditable(true);
    m_lname->setInsertPolicy(QComboBox::NoInsert);
    m_nation->setInsertPolicy(QComboBox::NoInsert);
    connect(m_lname, &QComboBox::currentTextChanged, this, &PersonPicker::nameChanged);
    connect(m_nation, &QComboBox::currentTextChanged, this, &PersonPicker::nationChanged);
    setPerson(-1);
}

QString PersonPicker::nameExpression()
{
    return Database::current().dialect().concat(
        {QStringLiteral("lname"), QStringLiteral("' '"), QStringLiteral("fname")});
}

void PersonPicker::fillNames()
{
    const QString name = nameExpression();
    const QString order = Database::current().dialect().persianOrder(QStringLiteral("nam"));
    const QSignalBlocker quiet(m_lname);
    // Namesakes are one item: their national codes tell them apart.
    fill_list_from_query({m_lname},
                         QStringLiteral("select nam from (select distinct %1 as nam from personel) names order by %2").arg(name, order), {},
                         QStringLiteral("nam"));
}

void PersonPicker::clear()
{
    m_lname->setEnabled(true);
    m_nation->setEnabled(true);
    {
        const QSignalBlocker quietName(m_lname);
        const QSignalBlocker quietNation(m_nation);
        m_lname->setCurrentIndex(-1);
        m_lname->clearEditText();
        m_nation->clear();
        m_nation->clearEditText();
    }
    setPerson(-1);
}

void PersonPicker::fix(qint64 personId)
{
    QVariantMap person;
    if (personId > 0 && !Db::guard([&] {
            person = Sql::row(QStringLiteral("select %1 as nam, nation from personel where id=?").arg(nameExpression()),
                              {personId});
        }))
        return;
    {
        const QSignalBlocker quietName(m_lname);
        const QSignalBlocker quietNation(m_nation);
        m_lname->setEditText(person.value(QStringLiteral("nam")).toString());
        m_nation->clear();
        m_nation->setEditText(person.value(QStringLiteral("nation")).toString());
    }
    setPerson(person.isEmpty() ? -1 : personId);
    m_lname->setEnabled(false);
    m_nation->setEnabled(false);
}

qint64 PersonPicker::personId() const
{
    return m_id->text().toLongLong();
}

void PersonPicker::setPerson(qint64 id)
{
    m_id->setText(QString::number(id));
}

void PersonPicker::nameChanged()
{
    setPerson(-1);
    QList<QVariantMap> people;
    if (!Db::guard([&] {
            people = Sql::rows(QStringLiteral("select id, nation from personel where %1=? order by id").arg(nameExpression()),
                               {m_lname->currentText()});
        }))
        return;
    const QSignalBlocker quiet(m_nation);
    m_nation->clear();
    if (people.size() == 1) {
        m_nation->addItem(people.first().value(QStringLiteral("nation")).toString());
        m_nation->setCurrentIndex(0);
        setPerson(people.first().value(QStringLiteral("id")).toLongLong());
        return;
    }
    // None or namesakes: the national code of the right one is chosen next.
    for (const QVariantMap& p : std::as_const(people))
        m_nation->addItem(p.value(QStringLiteral("nation")).toString());
    m_nation->setCurrentIndex(-1);
    m_nation->clearEditText();
}

void PersonPicker::nationChanged()
{
    qint64 id = -1;
    if (!Db::guard([&] {
            const QVariant found =
                Sql::scalar(QStringLiteral("select id from personel where nation=? and %1=? order by id").arg(nameExpression()),
                            {m_nation->currentText(), m_lname->currentText()});
            if (found.isValid())
                id = found.toLongLong();
        }))
        return;
    setPerson(id);
}
