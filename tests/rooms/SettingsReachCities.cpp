// Compiled in the settings' room: the cities and the settings are side by
// side (the main screen hands the settings the cities' screen), so this
// include must not be found.
#include "screens/cities/SelectionController.h"
