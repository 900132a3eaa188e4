#include "kargozini_slips.h"

#include "personnel/texts.h"
#include "platform/ui/msg.h"
#include "services/request/request_letter.h"

using namespace Qt::StringLiterals;

namespace {
} // namespace

Tkargozini_morakhasi_rozane_frm::Tkargozini_morakhasi_rozane_frm(QObject* parent)
    : ReportSheet(u"kargozini_morakhasi_rozane_frm"_s, parent)
{
}

Tkargozini_morakhasi_saati_frm::Tkargozini_morakhasi_saati_frm(QObject* parent)
    : ReportSheet(u"kargozini_morakhasi_saati_frm"_s, parent)
{
}

Tkargozini_mamoriat_saati_frm::Tkargozini_mamoriat_saati_frm(QObject* parent)
    : ReportSheet(u"kargozini_mamoriat_saati_frm"_s, parent)
{
}

void print_kargozini_slip(const QVariantMap& row, QWidget* parent)
{
    using namespace Letter;
    using namespace PersonnelText;
    if (row.isEmpty())
        return;
    const QString typ = row.value(u"typ"_s).toString();
    if (typ == DailyLeave) {
        // Cancelling the question leaves the substitute blank.
        const QString substitute = Msg::input(SubstituteCaption, SubstitutePrompt).value_or(QString());
        print_letter(u"kargozini_morakhasi_rozane_frm"_s, row,
                     {fullName(u"lname"_s), fullName(u"lname2"_s), column(u"semat"_s, u"semat"_s),
                      column(u"loc"_s, u"loc"_s), column(u"roz"_s, u"roz"_s), column(u"roz2"_s, u"roz"_s),
                      column(u"roz3"_s, u"roz"_s), column(u"dat1"_s, u"dat1"_s), column(u"dat2"_s, u"dat2"_s),
                      text(u"janeshin"_s, substitute)},
                     parent);
        return;
    }
    QList<LetterCaption> captions = {fullName(u"lname"_s), column(u"cartsaat_no"_s, u"cartsaat_no"_s),
                                     column(u"dat1"_s, u"dat1"_s), column(u"exit_saat"_s, u"exit_saat"_s),
                                     column(u"vorod_saat"_s, u"vorod_saat"_s),
                                     // The guard's box prints the day the guard confirmed.
                                     column(u"negahban"_s, u"negahbani_dat"_s)};
    if (typ == HourlyLeave) {
        print_letter(u"kargozini_morakhasi_saati_frm"_s, row, captions, parent);
    } else if (typ == HourlyMission) {
        captions << column(u"cmt"_s, u"cmt"_s);
        print_letter(u"kargozini_mamoriat_saati_frm"_s, row, captions, parent);
    }
}
