#include "testing/fakes.h"
