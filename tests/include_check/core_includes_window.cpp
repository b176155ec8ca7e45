#include "ui/qt/form1.h"
