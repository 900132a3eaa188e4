#include "khabghah_letters.h"

#include "platform/report/report_sheet.h"
#include "platform/ui/window_set.h"
#include "services/request/attached_persons.h"
#include "services/request/request_letter.h"
#include "services/request/texts.h"
#include "services/texts.h"

using namespace Qt::StringLiterals;

QString stay_letter_sheet(StayLetter letter)
{
    switch (letter) {
    case StayLetter::Markazi: return u"khabghah_markazi"_s;
    case StayLetter::Amirkola: return u"khabghah_amirkola"_s;
    case StayLetter::Ramsar: return u"khabghah_ramsar"_s;
    case StayLetter::Other: return u"khabghah_other"_s;
    case StayLetter::Mashad: return u"khabghah_mashad"_s;
    }
    return {};
}

int stay_letter_rows(StayLetter letter) { return letter == StayLetter::Markazi ? 4 : 8; }

bool print_stay_letter(StayLetter letter, const QVariantMap& stay, QWidget* parent)
{
    if (stay.isEmpty())
        return false;
    using namespace Letter;
    QList<QVariantMap> companions;
    if (!Db::guard([&] { companions = AttachedPersons::rowsOf(u"hamrahan"_s, u"khabghah_id"_s, stay.value(u"id"_s)); }))
        return false;

    // The signatory is the officer of the requester's own province.
    QList<LetterCaption> captions = {fullName(u"nam"_s), fullName(u"nam2"_s), person(u"semat"_s, u"semat"_s),
                                     column(u"dat1"_s, u"dat1"_s), column(u"dat2"_s, u"dat2"_s),
                                     text(u"cnt"_s, QString::number(companions.size())),
                                     provincial(u"karshenas_tuvek"_s, RequestText::SignatoryExpert),
                                     person(u"mobile"_s, u"mobile"_s)};
    // Every row of the form is written, so nothing of an earlier stay stays.
    for (int i = 0; i < stay_letter_rows(letter); ++i) {
        const QVariantMap c = companions.value(i);
        const QString n = QString::number(i + 1);
        captions << text(u"fname"_s + n, c.value(u"fname"_s).toString())
                 << text(u"lname"_s + n, c.value(u"lname"_s).toString())
                 << text(u"nesbat"_s + n, c.value(u"nesbat"_s).toString());
    }
    switch (letter) {
    case StayLetter::Markazi:
        captions << person(u"ostan"_s, u"ostan"_s);
        break;
    case StayLetter::Amirkola:
        captions << person(u"father"_s, u"father"_s) << person(u"loc"_s, u"loc"_s) << column(u"roz"_s, u"roz"_s)
                 << column(u"shab"_s, u"shab"_s) << person(u"khodro"_s, u"khodro"_s) << person(u"pelak"_s, u"pelak"_s);
        break;
    case StayLetter::Ramsar: {
        // One of the two boxes is filled: the retired one for a retired requester.
        auto retired = [](bool retiredBox) {
            return [retiredBox](const LetterSource& source) {
                return (source.person().value(u"semat"_s).toString() == ServiceText::Retired) == retiredBox;
            };
        };
        captions << filledBox(u"box_retired"_s, retired(true)) << filledBox(u"box_employee"_s, retired(false));
        break;
    }
    case StayLetter::Other:
        captions << column(u"ostan_maghsad"_s, u"ostan"_s) << column(u"city"_s, u"city"_s);
        break;
    case StayLetter::Mashad:
        break;
    }
    return print_letter(stay_letter_sheet(letter), stay, captions, parent);
}

void print_stay_confirmation(QWidget* parent)
{
    if (auto* sheet = win<ReportSheet>(u"khabghah_taeid"_s))
        sheet->Preview(parent);
}
