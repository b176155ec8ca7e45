#include "files/hex_file.h"
