#pragma once

class Form1;

// How the window reads to a screen reader where Qt's defaults fall short: the
// window is a frame named by its title, the two lines are separators, and the
// contact labels are links whose one action is their click. Called by each
// Form1 as it is made; installs the roles once for the program.
void installAccessibility();
