// Compiled in the cities' room: the settings sit above the cities (they
// open the city selection), so this include must not be found.
#include "screens/settings/OptionsViewController.h"
