#include "persian_collation.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>
#include <unicode/ucol.h>

#include <cstring>

namespace {

// One collator for the whole run; every database call runs on the GUI thread.
UCollator* collator()
{
    static UCollator* c = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* opened = ucol_open("fa", &status);
        if (U_FAILURE(status)) {
            if (opened)
                ucol_close(opened);
            return static_cast<UCollator*>(nullptr);
        }
        return opened;
    }();
    return c;
}

int compareUtf16(const UChar* a, int32_t na, const UChar* b, int32_t nb)
{
    if (UCollator* c = collator()) {
        switch (ucol_strcoll(c, a, na, b, nb)) {
        case UCOL_LESS: return -1;
        case UCOL_GREATER: return 1;
        default: return 0;
        }
    }
    // Without ICU: code point order.
    const int32_t n = na < nb ? na : nb;
    for (int32_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

// SQLite hands the texts over as they are stored, in UTF-8: no conversion per
// comparison, and equal texts (the many ties of a sorted column) need no collator.
int sqliteCompare(void*, int na, const void* a, int nb, const void* b)
{
    if (na == nb && std::memcmp(a, b, size_t(na)) == 0)
        return 0;
    const char* const ta = static_cast<const char*>(a);
    const char* const tb = static_cast<const char*>(b);
    if (UCollator* c = collator()) {
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult r = ucol_strcollUTF8(c, ta, na, tb, nb, &status);
        if (U_SUCCESS(status))
            return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
    }
    // Without ICU: code point order, which UTF-8 keeps byte by byte.
    const int n = std::memcmp(a, b, size_t(na < nb ? na : nb));
    return n != 0 ? (n < 0 ? -1 : 1) : (na == nb ? 0 : (na < nb ? -1 : 1));
}

} // namespace

namespace PersianCollation {

QString name() { return QStringLiteral("persian"); }

bool registerOn(QSqlDatabase& db)
{
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return false;
    return registerOn(*static_cast<sqlite3* const*>(v.data()));
}

bool registerOn(sqlite3* handle)
{
    return handle && sqlite3_create_collation(handle, "persian", SQLITE_UTF8, nullptr, &sqliteCompare) == SQLITE_OK;
}

int compare(const QString& a, const QString& b)
{
    return compareUtf16(reinterpret_cast<const UChar*>(a.utf16()), int32_t(a.size()),
                        reinterpret_cast<const UChar*>(b.utf16()), int32_t(b.size()));
}

} // namespace PersianCollation
