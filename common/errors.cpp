// Translation unit so that the libraries are never empty.
#include "common/errors.h"
