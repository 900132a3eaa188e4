#include "vam_entry.h"

#include "core/entry.h"
#include "core/list_behaviours.h"
#include "core/mon_edit.h"
#include "platform/ui/entry_boxes.h"
#include "services/request/request_entry.h"
#include "services/texts.h"
#include "services/vam_src.h"

#include <QComboBox>
#include <QLineEdit>

RequestEntry* vam_entry(const VamBoxes& b, Form* window, QPushButton* ins_btn, QPushButton* edit_btn)
{
    auto* entry = new Entry(QStringLiteral("vam"), window);
    entry->bind({{b.typ, QStringLiteral("typ")},
                 {b.mablagh, QStringLiteral("mablagh")},
                 {b.aghsat, QStringLiteral("aghsat")},
                 {b.marhale, QStringLiteral("marhale")},
                 {b.status, QStringLiteral("status")},
                 {b.cmt, QStringLiteral("cmt")},
                 {b.bank, QStringLiteral("bank")}});
    entry->settingList(b.typ, ServiceText::VamTypeList);
    // Stages, statuses and banks keep the order the office entered them in.
    entry->settingList(b.marhale, ServiceText::VamStageList, SettingOrder::Table);
    entry->settingList(b.status, ServiceText::VamStatusList, SettingOrder::Table);
    entry->settingList(b.bank, ServiceText::VamBankList, SettingOrder::Table);
    digits_only_key(b.aghsat);
    enter_to_next_field({b.typ, b.mablagh, b.aghsat, b.marhale, b.status, b.bank, b.cmt});
    yellow_while_focused({b.typ, b.mablagh, b.aghsat, b.marhale, b.status, b.bank, b.cmt});

    auto* request = new RequestEntry(vam_desc(), entry, window, ins_btn, edit_btn);
    // No instalments typed count as 0.
    request->setNumbers({QStringLiteral("aghsat")});
    return request;
}
