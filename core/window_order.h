#pragma once

#include <QStringList>

// The creation order of the window set, by instance name. The first one, the
// login window, is the application's main window.
QStringList windowCreationOrder();
