#pragma once

class Tmain;

// Connects the main-menu items of the administration pages: general and
// provincial settings, the log viewer and the backup.
void connectAdminPages(Tmain& main);
