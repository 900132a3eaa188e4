#include "insurance.h"

#include "core/account_now.h"
#include "core/exclusive_save.h"
#include "core/list_behaviours.h"
#include "core/rights.h"
#include "core/session.h"
#include "core/shamsi_date.h"
#include "personnel/texts.h"
#include "platform/db/sql.h"
#include "platform/report/report_sheet.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msg.h"
#include "platform/ui/save_file.h"
#include "platform/ui/text_input.h"
#include "platform/ui/window_set.h"

#include <QStandardItemModel>
#include <memory>

FamilyHead FamilyHead::fromRow(const QVariantMap& row)
{
    const auto text = [&](const char* column) { return row.value(QLatin1String(column)).toString(); };
    return {row.value(QStringLiteral("id")), text("fname"), text("lname"), text("father"),
            text("birthday"), text("nation"), text("bime_no")};
}

namespace Insurance {
namespace {

QString flag(bool insured) { return insured ? PersonnelText::InsuranceYes : PersonnelText::InsuranceNo; }

// "expression like ?" as every list of the program compares a contained text.
QString like(const QString& expression)
{
    return QStringLiteral(" and ") + Database::current().dialect().likeInsensitive(expression);
}

QString wrapped(const QString& text) { return QLatin1Char('%') + text + QLatin1Char('%'); }

// A model whose columns are named by their fields, as a report finds them.
std::unique_ptr<QStandardItemModel> fieldModel(const QStringList& fields, const QList<QVariantMap>& rows)
{
    auto model = std::make_unique<QStandardItemModel>(0, fields.size());
    model->setHorizontalHeaderLabels(fields);
    for (const QVariantMap& row : rows) {
        QList<QStandardItem*> items;
        for (const QString& f : fields)
            items << new QStandardItem(row.value(f).toString());
        model->appendRow(items);
    }
    return model;
}

} // namespace

bool adminOnly()
{
    if (Session::user().isAdmin())
        return true;
    Msg::info(PersonnelText::AdminOnly);
    return false;
}

namespace {

// The switch of the families of the persons that are still there; gone
// counts those another workstation deleted (nothing is written for them).
bool switchThere(const QVariantList& personIds, bool insured, int& gone)
{
    const Keys::Belonging& family = Keys::belonging(QStringLiteral("takafol"), QStringLiteral("personel_id"));
    // Every person and dependant of the list at once: under the keys their
    // single-row writers take, so that a person's save at the same moment
    // ends before the switch or finds the person changed, and a delete (which
    // holds the persons too) never meets the switch half-way. The
    // administrator's alone, as the level is stored at the write.
    const AccountNow::ForLevels admin;
    return exclusive_save({Keys::persons(), Keys::dependants()}, QString(), [&] {
        gone = 0;
        for (const QVariant& id : personIds) {
            if (!Keys::ownerThere(family, id)) {
                ++gone;
                continue;
            }
            Sql::exec(QStringLiteral("update personel set bime=? where id=?"), {flag(insured), id});
            Sql::exec(QStringLiteral("update takafol set bime=? where personel_id=?"), {flag(insured), id});
        }
    });
}

} // namespace

bool switchFamily(const QVariant& personId, bool insured)
{
    int gone = 0;
    if (!switchThere({personId}, insured, gone))
        return false;
    if (gone > 0) {
        Msg::info(Keys::belonging(QStringLiteral("takafol"), QStringLiteral("personel_id")).gone);
        return false;
    }
    return true;
}

bool switchFamilies(const QVariantList& personIds, bool insured)
{
    // The persons of the list deleted since it was read are no longer listed after it.
    int gone = 0;
    return switchThere(personIds, insured, gone);
}

bool askSwitchFamily(const FamilyHead& head, bool insured)
{
    if (!adminOnly() || !head.isValid())
        return false;
    const QString question = insured ? PersonnelText::FamilyOnQuestion : PersonnelText::FamilyOffQuestion;
    if (!Msg::confirm(question + head.fname + QLatin1Char(' ') + head.lname))
        return false;
    return switchFamily(head.id, insured);
}

bool askSwitchFamilies(const QVariantList& personIds, bool insured)
{
    if (!adminOnly())
        return false;
    const QString question = insured ? PersonnelText::AllOnQuestion : PersonnelText::AllOffQuestion;
    if (!Msg::confirm(question + QString::number(personIds.size())))
        return false;
    return switchFamilies(personIds, insured);
}

Condition insurerSelection(const CurrentUser& user, const ListFilters& f)
{
    // The scope of this list: a single user's own person, a "multi" user's
    // companies; every other level, the administrator's included, sees all.
    const ScopeClause scope = insurance_scope_by_level(user);
    Condition c{scope.sql, scope.values};
    const auto contains = [&](const std::optional<QString>& text, const char* column) {
        if (text) {
            c.sql += like(QLatin1String(column));
            c.values << wrapped(*text);
        }
    };
    contains(f.lname, "lname");
    if (f.places) {
        // No place listed finds no row.
        c.sql += QStringLiteral(" and (loc=?");
        c.values << QStringLiteral("???");
        for (const QString& place : *f.places) {
            c.sql += QStringLiteral(" or ") + Database::current().dialect().likeInsensitive(QStringLiteral("loc"));
            c.values << wrapped(place);
        }
        c.sql += QLatin1Char(')');
    }
    contains(f.semat, "semat");
    if (!f.gender.isEmpty()) {
        c.sql += QStringLiteral(" and gender=?");
        c.values << f.gender;
    }
    if (f.nation) {
        c.sql += QStringLiteral(" and nation=?");
        c.values << *f.nation;
    }
    contains(f.vahed, "vahed");
    contains(f.hamkari, "hamkari");
    contains(f.company, "company");
    return c;
}

QStringList insurerColumns()
{
    return {QStringLiteral("lname"),   QStringLiteral("fname"),       QStringLiteral("father"),
            QStringLiteral("gender"),  QStringLiteral("bime_no"),     QStringLiteral("nation"),
            QStringLiteral("sodor"),   QStringLiteral("birthday"),    QStringLiteral("sh_no"),
            QStringLiteral("mobile"),  QStringLiteral("personel_id"), QStringLiteral("loc"),
            QStringLiteral("hamkari"), QStringLiteral("company"),     QStringLiteral("nesbat"),
            QStringLiteral("mali_cod"), QStringLiteral("tak")};
}

QList<QVariantList> insurerRows(const Condition& selection)
{
    return insurerRows(Database::current(), selection);
}

QList<QVariantList> insurerRows(Database& db, const Condition& selection)
{
    // One statement, so that the lists of two workstations never mix: the
    // heads, then their dependants (an insured dependant is listed even when
    // the head is not), family by family.
    const QString persons = QStringLiteral("(select id from personel where id<>-1") + selection.sql + QLatin1Char(')');
    const QString text = QStringLiteral("cast(? as %1)").arg(db.dialect().type(ColumnType::Text, 80));
    const QString sql =
        QStringLiteral("select lname, fname, father, gender, bime_no, nation, sodor, birthday, sh_no, mobile, "
                       "id as personel_id, loc, hamkari, company, %1 as nesbat, mali_cod, %1 as tak, "
                       "0 as part, 0 as member from personel where bime=? and id in %2 "
                       "union all "
                       "select lname, fname, father, gender, bime_no, nation, sodor, birthday, sh_no, mobile, "
                       "personel_id, %1, %1, %1, nesbat, %1, tak, 1, id from takafol "
                       "where bime=? and personel_id in %2 "
                       "order by personel_id, part, member")
            .arg(text, persons);
    QVariantList values{PersonnelText::HeadRelation, PersonnelText::HeadSelf, PersonnelText::InsuranceYes};
    values += selection.values;
    values += QVariantList{QString(""), QString(""), QString(""), QString(""), PersonnelText::InsuranceYes};
    values += selection.values;

    QList<QVariantList> rows;
    const int columns = insurerColumns().size();
    QSqlQuery q = Sql::exec(db, sql, values);
    while (Sql::next(q, db)) {
        QVariantList row;
        for (int c = 0; c < columns; ++c)
            row << q.value(c);
        rows << row;
    }
    Sql::checkRead(q, db);
    return rows;
}

bool exportInsurerList(const Condition& selection)
{
    return export_rows_to_excel(insurerColumns(), PersonnelText::InsurerListTitles, [&](const RowWriter& write) {
        for (const QVariantList& row : insurerRows(selection)) {
            QStringList texts;
            for (const QVariant& v : row)
                texts << ListModel::text(v);
            write(texts);
        }
    }, PersonnelText::InsurerListFile);
}

std::optional<QString> writeNationalCodes(const Condition& selection)
{
    if (!adminOnly())
        return std::nullopt;
    {
        // The administrator's alone, as the level is stored when the file is written.
        const AccountNow::ForLevels admin;
        if (AccountNow::standingNow() == AccountNow::Standing::Refused)
            return std::nullopt;
    }
    QList<QVariantList> rows;
    if (!Db::guard([&] { rows = insurerRows(selection); }))
        return std::nullopt;
    const int nation = insurerColumns().indexOf(QStringLiteral("nation"));
    // The clerk keeps the file for the insurer: it goes where the user's
    // documents go, named after its list.
    const QString path = documents_file(PersonnelText::InsurerCodesFile, QStringLiteral(".txt"));
    if (path.isEmpty()) {
        Msg::error(PersonnelText::SaveFailed);
        return std::nullopt;
    }
    // Written whole or not at all; a full disk or a folder that cannot be
    // written is said with the path.
    SaveFile::Writer file(path);
    for (const QVariantList& row : rows)
        file.write(row[nation].toString().toUtf8() + "\r\n");
    if (!file.commit().said(PersonnelText::SaveFailed))
        return std::nullopt;
    Desktop::openFile(path);
    return path;
}

std::optional<qint64> amountOf(const QString& typed)
{
    QString digits = TextInput::asciiDigits(typed).trimmed();
    digits.remove(QLatin1Char(','));
    digits.remove(QChar(0x066C)); // the Arabic thousands separator
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

QString groupThousands(qint64 value)
{
    // The magnitude as unsigned, so that the smallest value has one too.
    const quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    const QString digits = QString::number(magnitude);
    QString out;
    const int head = digits.size() % 3;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (i - head) % 3 == 0)
            out += QLatin1Char(',');
        out += digits[i];
    }
    return value < 0 ? QLatin1Char('-') + out : out;
}

ChargeTexts chargeTexts(const QString& typed, qint64 rows)
{
    const std::optional<qint64> amount = amountOf(typed);
    if (!amount)
        return {typed, QString()};
    qint64 total = 0;
    if (__builtin_mul_overflow(*amount, rows, &total))
        return {groupThousands(*amount), QString()};
    return {groupThousands(*amount), groupThousands(total)};
}

void printLetter(const FamilyHead& head, QWidget* parent)
{
    if (!head.isValid())
        return;
    QList<QVariantMap> dependants;
    if (!Db::guard([&] {
            dependants = Sql::rows(QStringLiteral("select * from takafol where personel_id=? and bime=? order by id"),
                                   {head.id, PersonnelText::InsuranceYes});
        }))
        return;
    Report* report = &win<ReportSheet>(QStringLiteral("takafol_print"))->report();
    const std::unique_ptr<QStandardItemModel> rows = fieldModel(
        {QStringLiteral("fname"), QStringLiteral("lname"), QStringLiteral("father"), QStringLiteral("nesbat"),
         QStringLiteral("nation"), QStringLiteral("birthday")},
        dependants);
    report->setCaption(QStringLiteral("dat"), Shamsi::today());
    report->setCaption(QStringLiteral("fname"), head.fname);
    report->setCaption(QStringLiteral("lname"), head.lname);
    report->setCaption(QStringLiteral("father"), head.father);
    report->setCaption(QStringLiteral("birthday"), head.birthday);
    report->setCaption(QStringLiteral("nation"), head.nation);
    report->setModel(rows.get());
    report->preview(parent);
    report->setModel(nullptr);
}

void printChargeList(const QList<QVariantMap>& persons, QWidget* parent)
{
    // A cancelled box charges the preset: the list is always produced.
    const QString preset = QStringLiteral("1000000");
    const QString typed =
        Msg::input(QStringLiteral("Mablagh"), PersonnelText::ChargeAmountPrompt, preset).value_or(preset);
    Report* report = &win<ReportSheet>(QStringLiteral("pec_rep"))->report();
    const std::unique_ptr<QStandardItemModel> rows =
        fieldModel({QStringLiteral("fname"), QStringLiteral("lname"), QStringLiteral("pec")}, persons);
    report->setCaption(QStringLiteral("mablagh"), chargeTexts(typed, 0).perRow);
    // The total is of the rows the list really printed.
    Report* r = report;
    report->band(BandKind::Summary)->BeforePrint = [r, typed](ReportBand&, bool&) {
        r->setCaption(QStringLiteral("mablagh_sum"), chargeTexts(typed, r->detailNumber()).total);
    };
    report->setModel(rows.get());
    report->preview(parent);
    report->setModel(nullptr);
}

} // namespace Insurance
