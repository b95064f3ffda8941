// The application reaching into the command-line program.
#include "cli/commands.h"
