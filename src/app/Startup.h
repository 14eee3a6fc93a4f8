#pragma once

// Starts the program: the splash while the main window loads, then the main
// window. The program folder must be set first (setAppPath).
void Main();
