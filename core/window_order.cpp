#include "window_order.h"

QStringList windowCreationOrder()
{
    return {
        "login", "server", "dm", "main", "change_pass", "users", "log", "setting", "backup",
        "payam", "zamaem", "phone", "personel_src", "takafol", "personel_pic", "personel_ins",
        "khabghah_src", "khabghah_ins", "khabghah_amirkola", "khabghah_ramsar", "khabghah_other",
        "khabghah_hamrahan", "mostanadat", "pec_rep", "cart_sodor", "cart_print", "vam_src",
        "vam_ins", "vam_chap", "paziraei_src", "paziraei_ins", "paziraei_chap", "paziraei_nafarat",
        "ticket_src", "ticket_ins", "ticket_chap", "ticket_nafarat", "hazine_src", "hazine_ins",
        "hazine_chap", "vam_chap2", "zemanat_src", "zemanat_ins", "zemanat_chap", "taeidat_src",
        "taeidat_ins", "zemanat_chap2", "khabghah_markazi", "khabghah_mashad", "khabghah_taeid",
        "khanevade", "takafol_print", "barcodeTypes", "barcodeTypes2", "khabghah_ins_modir",
        "abadiha", "abadiha_ins", "vam_ins_modir", "vam_chap_kargoshaei", "marateb_k",
        "kargozini_src", "kargozini_ins", "kargozini_morakhasi_rozane_frm",
        "kargozini_mamoriat_saati_frm", "kargozini_morakhasi_saati_frm", "khabgahha_src",
        "khabgahha_ins", "khabgahha_status", "khabgahha_pic", "users_ins", "setting_ost",
    };
}
