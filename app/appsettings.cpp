#include "app/appsettings.h"

AppSettings Cfg;
