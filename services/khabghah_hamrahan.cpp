#include "khabghah_hamrahan.h"
#include "ui_khabghah_hamrahan.h"

#include "core/entry.h"
#include "core/list_behaviours.h"
#include "core/shamsi_date.h"
#include "platform/ui/text_input.h"
#include "services/request/attached_persons.h"
#include "services/texts.h"

#include <QLineEdit>

std::optional<int> companion_age(const QString& today, const QString& birthday)
{
    bool okToday = false;
    bool okBirth = false;
    const int year = today.left(4).toInt(&okToday);
    const int born = TextInput::asciiDigits(birthday.left(4)).toInt(&okBirth);
    if (!okToday || !okBirth)
        return std::nullopt;
    return year - born;
}

Tkhabghah_hamrahan::Tkhabghah_hamrahan(QWidget* parent) : Form(parent), ui(new Ui::Tkhabghah_hamrahan)
{
    ui->setupUi(this);
    using namespace ServiceText;
    m_persons = new AttachedPersons({QStringLiteral("hamrahan"), QStringLiteral("khabghah_id"),
                                     {{QStringLiteral("fname"), CompanionFName},
                                      {QStringLiteral("lname"), CompanionLName},
                                      {QStringLiteral("sen"), CompanionSen},
                                      {QStringLiteral("nesbat"), CompanionNesbat}},
                                     {QStringLiteral("sen")}},
                                    ui->DBGrid1, nullptr, this);
    m_persons->bind({{ui->fname, QStringLiteral("fname")},
                     {ui->lname, QStringLiteral("lname")},
                     {ui->sen, QStringLiteral("sen")},
                     {ui->nesbat, QStringLiteral("nesbat")}});
    // The relations are the settings list's, read again at every show.
    m_persons->entry()->settingList(ui->nesbat, RelationList);
    digits_only_key(ui->sen);
    enter_to_next_field({ui->fname, ui->lname, ui->sen, ui->nesbat});
    connect(ui->nesbat->lineEdit(), &QLineEdit::returnPressed, m_persons, &AttachedPersons::add);
    ui->DBGrid1->addAction(ui->N1);
    connect(ui->ins_btn, &QPushButton::clicked, m_persons, &AttachedPersons::add);
    connect(ui->N1, &QAction::triggered, m_persons, &AttachedPersons::deleteBack);
    connect(ui->SpeedButton1, &QToolButton::clicked, this, &Tkhabghah_hamrahan::SpeedButton1Click);
}

Tkhabghah_hamrahan::~Tkhabghah_hamrahan() { delete ui; }

void Tkhabghah_hamrahan::openFor(const QVariant& requestId, const QVariant& ownerId)
{
    m_owner = ownerId;
    m_persons->openFor(requestId);
    ui->sen->setText(QStringLiteral("0"));
}

void Tkhabghah_hamrahan::SpeedButton1Click()
{
    if (!m_persons->request().isValid())
        return;
    QList<Row> dependants;
    if (!Db::guard([&] {
            const QString today = Shamsi::today();
            for (const QVariantMap& d : Sql::rows(QStringLiteral("select fname, lname, nesbat, birthday from takafol "
                                                                 "where personel_id=? order by id"),
                                                  {m_owner})) {
                const std::optional<int> age = companion_age(today, d.value(QStringLiteral("birthday")).toString());
                dependants.append({{QStringLiteral("fname"), d.value(QStringLiteral("fname")).toString()},
                                   {QStringLiteral("lname"), d.value(QStringLiteral("lname")).toString()},
                                   {QStringLiteral("sen"), age ? QVariant(*age) : QVariant()},
                                   {QStringLiteral("nesbat"), d.value(QStringLiteral("nesbat")).toString()}});
            }
        }))
        return;
    m_persons->addAll(dependants);
    ui->fname->setFocus();
}
