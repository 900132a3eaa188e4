#pragma once

class Tmain;

// Makes the windows of the staff services known to the window set.
void defineServicesWindows();
// Connects the main-menu items of the staff services to their pages.
void connectServicesPages(Tmain& main);
