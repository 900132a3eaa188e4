#include "khabghah_letters.h"

#include "platform/report/report_sheet.h"
#include "platform/ui/window_set.h"
#include "services/request/attached_persons.h"
#include "services/request/request_letter.h"
#include "services/request/texts.h"
#include "services/texts.h"

namespace {

QString s(const char* text) { return QString::fromLatin1(text); }

// The box that is filled black.
const QString Filled = QString(QChar(0x25A0));

} // namespace

QString stay_letter_sheet(StayLetter letter)
{
    switch (letter) {
    case StayLetter::Markazi: return s("khabghah_markazi");
    case StayLetter::Amirkola: return s("khabghah_amirkola");
    case StayLetter::Ramsar: return s("khabghah_ramsar");
    case StayLetter::Other: return s("khabghah_other");
    case StayLetter::Mashad: return s("khabghah_mashad");
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
    if (!Db::guard([&] { companions = AttachedPersons::rowsOf(s("hamrahan"), s("khabghah_id"), stay.value(s("id"))); }))
        return false;

    // The signatory is the officer of the requester's own province.
    QList<LetterCaption> captions = {fullName(s("nam")), fullName(s("nam2")), person(s("semat"), s("semat")),
                                     column(s("dat1"), s("dat1")), column(s("dat2"), s("dat2")),
                                     text(s("cnt"), QString::number(companions.size())),
                                     provincial(s("karshenas_tuvek"), RequestText::SignatoryExpert),
                                     person(s("mobile"), s("mobile"))};
    // Every row of the form is written, so nothing of an earlier stay stays.
    for (int i = 0; i < stay_letter_rows(letter); ++i) {
        const QVariantMap c = companions.value(i);
        const QString n = QString::number(i + 1);
        captions << text(s("fname") + n, c.value(s("fname")).toString())
                 << text(s("lname") + n, c.value(s("lname")).toString())
                 << text(s("nesbat") + n, c.value(s("nesbat")).toString());
    }
    switch (letter) {
    case StayLetter::Markazi:
        captions << person(s("ostan"), s("ostan"));
        break;
    case StayLetter::Amirkola:
        captions << person(s("father"), s("father")) << person(s("loc"), s("loc")) << column(s("roz"), s("roz"))
                 << column(s("shab"), s("shab")) << person(s("khodro"), s("khodro")) << person(s("pelak"), s("pelak"));
        break;
    case StayLetter::Ramsar: {
        auto box = [](bool retiredBox) {
            return [retiredBox](const LetterSource& source) {
                const bool retired = source.person().value(s("semat")).toString() == ServiceText::Retired;
                return retired == retiredBox ? Filled : QString();
            };
        };
        captions << LetterCaption{s("box_retired"), box(true)} << LetterCaption{s("box_employee"), box(false)};
        break;
    }
    case StayLetter::Other:
        captions << column(s("ostan_maghsad"), s("ostan")) << column(s("city"), s("city"));
        break;
    case StayLetter::Mashad:
        break;
    }
    return print_letter(stay_letter_sheet(letter), stay, captions, parent);
}

void print_stay_confirmation(QWidget* parent)
{
    if (auto* sheet = win<ReportSheet>(s("khabghah_taeid")))
        sheet->Preview(parent);
}
