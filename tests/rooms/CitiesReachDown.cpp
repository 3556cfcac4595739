// Compiled in the cities' room: every room below it is in reach.
#include "calendar/IranClock.h"
#include "notifications/MyNotification.h"
#include "platform/ui/View.h"
#include "screens/common/AboutInfo.h"
#include "store/Cities.h"
