// Compiled in the cities' room: the cities and the settings are side by
// side, neither calls the other, so this include must not be found.
#include "screens/settings/OptionsViewController.h"
