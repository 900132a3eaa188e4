#include "core_windows.h"

#include "core/backup.h"
#include "core/change_pass.h"
#include "core/dm.h"
#include "core/log_viewer.h"
#include "core/login.h"
#include "core/main_window.h"
#include "core/payam.h"
#include "core/phone.h"
#include "core/server.h"
#include "core/setting.h"
#include "core/setting_ost.h"
#include "core/users.h"
#include "core/users_ins.h"
#include "core/zamaem.h"
#include "platform/ui/window_set.h"

void defineCoreWindows()
{
    WindowSet& set = WindowSet::instance();
    set.define("login", [] { return new Tlogin; });
    set.define("server", [] { return new Tserver; });
    set.define("dm", [] { return new Tdm; });
    set.define("main", [] { return new Tmain; });
    set.define("change_pass", [] { return new Tchange_pass; });
    set.define("users", [] { return new Tusers; });
    set.define("users_ins", [] { return new Tusers_ins; });
    set.define("payam", [] { return new Tpayam; });
    set.define("zamaem", [] { return new Tzamaem; });
    set.define("phone", [] { return new Tphone; });
    set.define("setting", [] { return new Tsetting; });
    set.define("setting_ost", [] { return new Tsetting_ost; });
    set.define("log", [] { return new Tlog; });
    set.define("backup", [] { return new Tbackup; });
}
