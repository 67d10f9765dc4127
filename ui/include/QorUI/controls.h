// Makes the ready-made controls of the library creatable by class name
// through the factories of windows and containers. The program calls it once
// at start, before it builds its first window; later calls change nothing.
#pragma once

void RegisterControls();
