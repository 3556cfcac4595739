// Compiled in the calendar's room: the main screen is above it, so this
// include must not be found.
#include "screens/main/MainViewController.h"
