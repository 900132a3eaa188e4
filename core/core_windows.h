#pragma once

// Makes the windows of the core subsystem known to the window set.
void defineCoreWindows();
