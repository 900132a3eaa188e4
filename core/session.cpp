#include "session.h"

namespace {
CurrentUser g_user;
}

namespace Session {
const CurrentUser& user() { return g_user; }
void setUser(const CurrentUser& user) { g_user = user; }
}
