#pragma once
// What the personnel subsystem brings to the program block.

class Tmain;

// Makes the personnel windows known to the window set.
void definePersonnelWindows();

// Connects the main-menu items of the personnel pages.
void connectPersonnelPages(Tmain& main);
