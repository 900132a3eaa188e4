#pragma once
// The printed slips of leave and missions, one report of the window set per
// design: the daily leave form, the hourly leave form and the hourly mission
// form. Each is filled from the request's row as the list shows it (the
// request joined with its owner's person row).

#include "platform/report/report_sheet.h"

#include <QVariantMap>

class Tkargozini_morakhasi_rozane_frm : public ReportSheet {
    Q_OBJECT
public:
    explicit Tkargozini_morakhasi_rozane_frm(QObject* parent = nullptr);
};

class Tkargozini_morakhasi_saati_frm : public ReportSheet {
    Q_OBJECT
public:
    explicit Tkargozini_morakhasi_saati_frm(QObject* parent = nullptr);
};

class Tkargozini_mamoriat_saati_frm : public ReportSheet {
    Q_OBJECT
public:
    explicit Tkargozini_mamoriat_saati_frm(QObject* parent = nullptr);
};

// The slip of the request's type in the preview (the daily leave form asks for
// the substitute first). Nothing for an empty row (no current request) or a
// type without a slip.
void print_kargozini_slip(const QVariantMap& row, QWidget* parent = nullptr);
