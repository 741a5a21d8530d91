#pragma once

class QApplication;

// The look every run shares, whatever the desktop: the Fusion style, so that
// buttons and boxes keep the laid-out proportions, and the program's name.
void PrepareApplication(QApplication &app);
