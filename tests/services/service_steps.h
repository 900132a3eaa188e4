#pragma once
// What the tests of the staff services share: people and settings lists in
// the test database, and the text of a letter rendered to PDF.

#include "platform/db/sql.h"

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <algorithm>

namespace ServiceSteps {

using namespace Qt::StringLiterals;

// A person of the personnel list, working in Shiraz.
inline qint64 person(const QString& lname, const QString& fname, const QString& nation)
{
    return Sql::insert(u"personel"_s, {{u"lname"_s, lname}, {u"fname"_s, fname}, {u"nation"_s, nation},
                                       {u"loc"_s, u"امور مالي"_s}, {u"ostan"_s, u"فارس"_s},
                                       {u"shahrestan"_s, u"شيراز"_s}});
}

// An item of a settings list (or the name kept under a signatory's title).
inline void setting(const QString& list, const QString& item)
{
    Sql::insert(u"setting"_s, {{u"component"_s, list}, {u"cmt"_s, item}});
}

// Text as a PDF's reader compares it: no spaces, zero-width non-joiners or
// direction marks, the letters in their plain forms, one yeh and one kaf
// (a font may map its glyphs to either).
inline QString comparable(QString text)
{
    text = text.normalized(QString::NormalizationForm_KC);
    text.remove(QRegularExpression(u"[\\s\\x{200C}\\x{200E}\\x{200F}\\x{202A}-\\x{202E}]"_s));
    text.replace(QChar(0x06CC), QChar(0x064A));
    text.replace(QChar(0x0643), QChar(0x06A9));
    return text;
}

// The text pdftotext finds in a PDF, made comparable.
inline QString pdfText(const QString& path)
{
    QProcess p;
    p.start(u"pdftotext"_s, {u"-raw"_s, path, u"-"_s});
    p.waitForFinished();
    return comparable(QString::fromUtf8(p.readAllStandardOutput()));
}

// Persian text as pdftotext gives it: either in reading order or letter by
// letter from the right.
inline bool contains(const QString& text, QString words)
{
    words = comparable(words);
    QString reversed = words;
    std::reverse(reversed.begin(), reversed.end());
    return text.contains(words) || text.contains(reversed);
}

} // namespace ServiceSteps
