#pragma once
// The program block: what start-up does before the message loop runs.

class QApplication;

namespace Program {
// Makes every window class of every subsystem known, in the creation order.
void defineWindows();
// Application settings, then the whole window set, created once in order.
void start(QApplication& app);
}
