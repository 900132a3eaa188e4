#pragma once

class Tmain;

// Connects the main-menu items whose pages the core subsystem brings.
void connectCorePages(Tmain& main);
