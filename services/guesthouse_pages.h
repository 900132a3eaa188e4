#pragma once

class Tmain;

// Makes the guesthouse windows known to the window set.
void defineGuesthouseWindows();
// Connects the main-menu item of the guesthouse registry (N25) by rights, and
// the registry's windows to each other.
void connectGuesthousePages(Tmain& main);
