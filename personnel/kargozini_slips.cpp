#include "kargozini_slips.h"

#include "personnel/texts.h"
#include "platform/ui/msg.h"
#include "services/request/request_letter.h"

namespace {
QString s(const char* text) { return QString::fromLatin1(text); }
} // namespace

Tkargozini_morakhasi_rozane_frm::Tkargozini_morakhasi_rozane_frm(QObject* parent)
    : ReportSheet(s("kargozini_morakhasi_rozane_frm"), parent)
{
}

Tkargozini_morakhasi_saati_frm::Tkargozini_morakhasi_saati_frm(QObject* parent)
    : ReportSheet(s("kargozini_morakhasi_saati_frm"), parent)
{
}

Tkargozini_mamoriat_saati_frm::Tkargozini_mamoriat_saati_frm(QObject* parent)
    : ReportSheet(s("kargozini_mamoriat_saati_frm"), parent)
{
}

void print_kargozini_slip(const QVariantMap& row, QWidget* parent)
{
    using namespace Letter;
    using namespace PersonnelText;
    if (row.isEmpty())
        return;
    const QString typ = row.value(s("typ")).toString();
    if (typ == DailyLeave) {
        // Cancelling the question leaves the substitute blank.
        const QString substitute = Msg::input(SubstituteCaption, SubstitutePrompt).value_or(QString());
        print_letter(s("kargozini_morakhasi_rozane_frm"), row,
                     {fullName(s("lname")), fullName(s("lname2")), column(s("semat"), s("semat")),
                      column(s("loc"), s("loc")), column(s("roz"), s("roz")), column(s("roz2"), s("roz")),
                      column(s("roz3"), s("roz")), column(s("dat1"), s("dat1")), column(s("dat2"), s("dat2")),
                      text(s("janeshin"), substitute)},
                     parent);
        return;
    }
    QList<LetterCaption> captions = {fullName(s("lname")), column(s("cartsaat_no"), s("cartsaat_no")),
                                     column(s("dat1"), s("dat1")), column(s("exit_saat"), s("exit_saat")),
                                     column(s("vorod_saat"), s("vorod_saat")),
                                     // The guard's box prints the day the guard confirmed.
                                     column(s("negahban"), s("negahbani_dat"))};
    if (typ == HourlyLeave) {
        print_letter(s("kargozini_morakhasi_saati_frm"), row, captions, parent);
    } else if (typ == HourlyMission) {
        captions << column(s("cmt"), s("cmt"));
        print_letter(s("kargozini_mamoriat_saati_frm"), row, captions, parent);
    }
}
