#pragma once
// What the clerk is told of an error that no code on its way up caught.

#include <QString>
#include <exception>

namespace Failure {
// Logs the error and gives its message: a database error by its kind (empty
// when it was already shown), any other as a command stopped by an error the
// program did not foresee.
QString told(const std::exception_ptr& error);
}
