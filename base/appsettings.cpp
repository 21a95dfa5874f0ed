#include "base/appsettings.h"

AppSettings Cfg;
