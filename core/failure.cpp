#include "failure.h"

#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/command.h"

#include <QtDebug>

namespace Failure {

QString told(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const DbError& failed) {
        qWarning().noquote() << "database error:" << failed.driverText << "in" << failed.sql;
        return failed.reported ? QString() : Db::errorMessage(failed);
    } catch (const Command::Failed&) {
        return QString(); // what failed beneath was logged and is told by itself
    } catch (const std::exception& failed) {
        qWarning().noquote() << "command failed:" << failed.what();
    } catch (...) {
        qWarning().noquote() << "command failed: an error of no known kind";
    }
    return CoreText::CommandFailed;
}

} // namespace Failure
