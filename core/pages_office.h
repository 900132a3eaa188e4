#pragma once

class Tmain;

// Connects the main-menu items of the office's shared stores: messages (N9),
// for every user; the phone book (N11) and the attachments (N12), by rights.
void connectOfficePages(Tmain& main);
