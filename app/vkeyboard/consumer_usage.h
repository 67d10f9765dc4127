// The consumer-control usage that carries each of the program's media and application functions
// (key codes 232 to 249) through the virtual keyboard.
#pragma once

// The usage of `code`; 0 (no usage) for any code outside 232..249.
int ConsumerUsageOfCode(int code);
